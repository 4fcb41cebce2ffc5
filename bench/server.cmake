# velaserver over loopback: single-row inserts and a 100,000-row select, from 1 and 8
# clients. bench/server_compare.sh runs it beside PostgreSQL doing the same through psql.
if(TARGET velalink AND TARGET vela_server_fixture)
  add_executable(bench_server ${CMAKE_CURRENT_LIST_DIR}/server_bench.cpp)
  target_link_libraries(bench_server PRIVATE vela_server_fixture velalink benchmark::benchmark
    Threads::Threads)
endif()

# A minute of honest clients beside hostile peers, with figures (not a Google Benchmark).
if(TARGET velalink AND TARGET vela_server_fixture)
  add_executable(soak_server ${CMAKE_CURRENT_LIST_DIR}/server_soak.cpp)
  target_link_libraries(soak_server PRIVATE vela_server_fixture velalink Threads::Threads)
endif()
