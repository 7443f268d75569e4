# Benchmarks: built with the program, run by hand under Wine, never part of the tests.
#
#   wine build/bench/hinzu_bench.exe [runs]
add_executable(hinzu_bench ${CMAKE_CURRENT_LIST_DIR}/hinzu_bench.cpp)
target_link_libraries(hinzu_bench PRIVATE endwart_core)
target_link_options(hinzu_bench PRIVATE -static)
set_target_properties(hinzu_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

#   wine build/bench/protokoll_bench.exe [runs]
add_executable(protokoll_bench ${CMAKE_CURRENT_LIST_DIR}/protokoll_bench.cpp)
target_link_libraries(protokoll_bench PRIVATE endwart_core)
target_link_options(protokoll_bench PRIVATE -static)
set_target_properties(protokoll_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
