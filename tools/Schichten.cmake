# Registers the layer check: tools/schichten.py fails when an #include in src/ goes up or
# sideways against its stack of folders, or when the file pairs of one folder include each
# other in a circle; tools/schichten_test.py tests the check itself.
# Included at the end of the top-level CMakeLists.txt, after tools/Bilder.cmake found Python.
#
# The check of src/ runs when ENDWART_SCHICHTEN is ON (-DENDWART_SCHICHTEN=ON, or the default
# below); while it is OFF, CTest lists it as disabled and runs it not.
if(NOT DEFINED ENDWART_SCHICHTEN)
  set(ENDWART_SCHICHTEN ON)
endif()

if(TARGET endwart_tests)
  set(ENDWART_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR})
  add_test(NAME schichten.Pruefung
           COMMAND ${Python3_EXECUTABLE} ${ENDWART_TOOLS_DIR}/schichten_test.py)
  add_test(NAME schichten COMMAND ${Python3_EXECUTABLE} ${ENDWART_TOOLS_DIR}/schichten.py
                                  ${CMAKE_SOURCE_DIR}/src)
  set_tests_properties(schichten.Pruefung schichten PROPERTIES TIMEOUT 60 LABELS schichten)
  if(NOT ENDWART_SCHICHTEN)
    set_tests_properties(schichten PROPERTIES DISABLED TRUE)
  endif()
endif()
