# Parse throughput of realistic scripts, and the same statements prepared by SQLite.
add_executable(bench_parse ${CMAKE_CURRENT_LIST_DIR}/parse_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/parse_scripts.cpp)
target_link_libraries(bench_parse PRIVATE vela_lang SQLite::SQLite3 benchmark::benchmark)
