# Benchmarks: built with the program, run by hand under Wine, never part of the tests.
#
#   wine build/bench/hinzu_bench.exe [runs]
#   wine build/bench/wiederherstellen_bench.exe [runs]
#   wine build/bench/protokoll_bench.exe [runs]
#   bench/autostart_bench.sh [runs] [NAME=Endwart.exe ...]
foreach(bench hinzu_bench wiederherstellen_bench protokoll_bench)
  add_executable(${bench} ${CMAKE_CURRENT_LIST_DIR}/${bench}.cpp)
  target_link_libraries(${bench} PRIVATE endwart_core)
  target_link_options(${bench} PRIVATE -static)
  set_target_properties(${bench} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
# The whole-process bench and its floor use nothing of the program.
foreach(bench autostart_bench autostart_boden)
  add_executable(${bench} ${CMAKE_CURRENT_LIST_DIR}/${bench}.cpp)
  target_link_libraries(${bench} PRIVATE advapi32 user32)
  target_link_options(${bench} PRIVATE -static)
  set_target_properties(${bench} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
