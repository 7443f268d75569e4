# Draws the program's bitmaps and icon at build time with tools/bilder.py.
#
#   endwart_bilder(<ausgabeordner>)
#
# Adds a custom command that writes toolbar.bmp, leer.bmp, Endwart.ico, bildA.bmp, bildB.bmp,
# bildA_klein.bmp, bildB_klein.bmp, bildA.lz and bildB.lz (tools/packen.py) into <ausgabeordner>
# (a relative path is taken from the current binary directory), a target endwart_bilder that
# builds them, and sets ENDWART_BILDER in the caller's scope to their full paths, e.g. for
# OBJECT_DEPENDS of the resource script.
#
# Including this file looks up the host's Python once, so Python3_EXECUTABLE is also there for
# registering tools/bilder_test.py with CTest.
find_package(Python3 3.6 REQUIRED COMPONENTS Interpreter)

function(endwart_bilder ausgabe)
  set(skript ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/bilder.py)
  get_filename_component(ausgabe "${ausgabe}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(dateien toolbar.bmp leer.bmp Endwart.ico bildA.bmp bildB.bmp bildA_klein.bmp
              bildB_klein.bmp bildA.lz bildB.lz)
  list(TRANSFORM dateien PREPEND "${ausgabe}/")
  add_custom_command(
    OUTPUT ${dateien}
    COMMAND ${Python3_EXECUTABLE} ${skript} ${ausgabe}
    DEPENDS ${skript} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/packen.py
    COMMENT "Drawing bitmaps and icon"
    VERBATIM)
  add_custom_target(endwart_bilder DEPENDS ${dateien})
  set(ENDWART_BILDER ${dateien} PARENT_SCOPE)
endfunction()
