# Builds the help file Endwart.hlp from help/Endwart.hlp.txt with tools/hlp/hilfe.py and
# registers its tests. Included at the end of the top-level CMakeLists.txt.
#
#   endwart_hilfe(<quelle> <ausgabe>)
#
# adds a custom command that writes <ausgabe> from <quelle> and a target endwart_hilfe that
# builds it. A fault in the source fails the command with "<quelle>:<zeile>: <text>".
find_package(Python3 3.6 REQUIRED COMPONENTS Interpreter)

set(ENDWART_HLP_DIR ${CMAKE_CURRENT_LIST_DIR})

function(endwart_hilfe quelle ausgabe)
  add_custom_command(
    OUTPUT ${ausgabe}
    COMMAND ${Python3_EXECUTABLE} ${ENDWART_HLP_DIR}/hilfe.py ${quelle} ${ausgabe}
    DEPENDS ${ENDWART_HLP_DIR}/hilfe.py ${quelle}
    COMMENT "Building help file ${ausgabe}"
    VERBATIM)
  add_custom_target(endwart_hilfe DEPENDS ${ausgabe})
endfunction()

if(TARGET Endwart)
  endwart_hilfe(${CMAKE_SOURCE_DIR}/help/Endwart.hlp.txt ${CMAKE_BINARY_DIR}/Endwart.hlp)
  add_dependencies(Endwart endwart_hilfe)
endif()

# The tests folder exists only where testing was enabled in this directory.
if(TARGET endwart_tests)
  add_dependencies(endwart_tests endwart_hilfe)     # HilfeTests opens the real help file
  foreach(teil Rundlauf Quellfehler)
    add_test(NAME hilfe.${teil}
             COMMAND ${Python3_EXECUTABLE} ${ENDWART_HLP_DIR}/hilfe_test.py ${teil})
    set_tests_properties(hilfe.${teil} PROPERTIES TIMEOUT 120)
  endforeach()
endif()
