# velaserver over loopback: single-row inserts and a 100,000-row select, from 1 and 8
# clients. bench/server_compare.sh runs it beside PostgreSQL doing the same through psql.
if(TARGET velaserver AND TARGET velalink)
  add_executable(bench_server ${CMAKE_CURRENT_LIST_DIR}/server_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/server_fixture.cpp)
  target_include_directories(bench_server PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(bench_server PRIVATE VELA_SERVER_BIN="$<TARGET_FILE:velaserver>")
  target_link_libraries(bench_server PRIVATE velalink benchmark::benchmark Threads::Threads)
  add_dependencies(bench_server velaserver)
endif()

# A minute of honest clients beside hostile peers, with figures (not a Google Benchmark).
if(TARGET velaserver AND TARGET velalink)
  add_executable(soak_server ${CMAKE_CURRENT_LIST_DIR}/server_soak.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/server_fixture.cpp)
  target_include_directories(soak_server PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(soak_server PRIVATE VELA_SERVER_BIN="$<TARGET_FILE:velaserver>")
  target_link_libraries(soak_server PRIVATE velalink Threads::Threads)
  add_dependencies(soak_server velaserver)
endif()
