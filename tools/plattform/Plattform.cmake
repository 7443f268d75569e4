# Registers the checks that Endwart.exe loads on Windows 95 and stays small (pruefen.py), and
# pruefen.py's own test. Included at the end of the top-level CMakeLists.txt. In the 32-bit
# build they check its own program; in the 64-bit one, which ./test builds only where the kernel
# cannot run 32-bit programs, they look at the 32-bit program beside it, which ./test then
# builds first into build-i686.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(_i686 $<TARGET_FILE:Endwart>)
  set(_programme ${_i686})
else()
  set(ENDWART_I686_EXE ${CMAKE_SOURCE_DIR}/build-i686/Endwart.exe CACHE FILEPATH
      "The 32-bit Endwart.exe whose imports are checked")
  set(_i686 ${ENDWART_I686_EXE})
  set(_programme ${_i686} $<TARGET_FILE:Endwart>)
endif()
set(ENDWART_HOECHSTENS_KB 400)

if(TARGET endwart_tests)
  set(_pruefen ${CMAKE_CURRENT_LIST_DIR}/pruefen.py)
  add_test(NAME plattform.importe
           COMMAND ${Python3_EXECUTABLE} ${_pruefen} importe ${CMAKE_OBJDUMP} ${_i686})
  add_test(NAME plattform.groesse
           COMMAND ${Python3_EXECUTABLE} ${_pruefen} groesse ${ENDWART_HOECHSTENS_KB}
                   ${_programme})
  add_test(NAME plattform.pruefen_test
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/pruefen_test.py)
  set_tests_properties(plattform.importe plattform.groesse plattform.pruefen_test
                       PROPERTIES TIMEOUT 60)
endif()
