# Payload decoding throughput against memcpy of the same bytes.
add_executable(bench_decode ${CMAKE_CURRENT_LIST_DIR}/decode_bench.cpp)
target_link_libraries(bench_decode PRIVATE velalink_core benchmark::benchmark)
