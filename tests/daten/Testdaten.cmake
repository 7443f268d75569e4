# Files with known icons for the change dialog and icon chooser tests, made with the cross
# compiler and windres into ${CMAKE_BINARY_DIR}/testdaten (the tests look beside their own
# folder):
#   symbol00.ico ... symbol11.ico  one icon each, filled with a colour of its own (symbole.py)
#   symbole7.dll, symbole12.dll    7 and 12 of those icons; symbole8.exe 8 of them
#   luecke.dll                     3 icons, the second of which cannot be extracted
#   ohne.dll                       no icons
# Also the benchmark of the icon strip, bench/symbolleiste_bench.cpp.
set(ENDWART_TESTDATEN ${CMAKE_BINARY_DIR}/testdaten)
set(_daten ${CMAKE_CURRENT_LIST_DIR})

set(_symbole)
foreach(i RANGE 0 11)
  string(LENGTH "${i}" _n)
  if(_n EQUAL 1)
    set(i "0${i}")
  endif()
  list(APPEND _symbole ${ENDWART_TESTDATEN}/symbol${i}.ico)
endforeach()
add_custom_command(
  OUTPUT ${_symbole}
  COMMAND ${Python3_EXECUTABLE} ${_daten}/symbole.py ${ENDWART_TESTDATEN}
  DEPENDS ${_daten}/symbole.py
  COMMENT "Drawing the test icons"
  VERBATIM)
add_custom_target(endwart_testsymbole DEPENDS ${_symbole})

function(endwart_testdatei name art)
  set(quellen ${_daten}/leer.c ${ARGN})
  if(art STREQUAL "exe")
    add_executable(${name} WIN32 ${quellen})
  else()
    add_library(${name} SHARED ${quellen})
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${ENDWART_TESTDATEN})
  target_include_directories(${name} PRIVATE ${ENDWART_TESTDATEN})
  add_dependencies(${name} endwart_testsymbole)
  if(ARGN)
    set_source_files_properties(${ARGN} PROPERTIES OBJECT_DEPENDS "${_symbole}")
  endif()
  add_dependencies(endwart_tests ${name})
endfunction()

endwart_testdatei(symbole7 dll ${_daten}/sieben.rc)
endwart_testdatei(symbole8 exe ${_daten}/acht.rc)
endwart_testdatei(symbole12 dll ${_daten}/zwoelf.rc)
endwart_testdatei(luecke dll ${_daten}/luecke.rc)
endwart_testdatei(ohne dll)
add_dependencies(endwart_tests endwart_testsymbole)

add_executable(symbolleiste_bench ${CMAKE_SOURCE_DIR}/bench/symbolleiste_bench.cpp)
target_link_libraries(symbolleiste_bench PRIVATE endwart_core)
target_link_options(symbolleiste_bench PRIVATE -static)
set_target_properties(symbolleiste_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
