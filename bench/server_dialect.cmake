# velaserver on the larger work of the dialect: a hash join, a group, CSV export and import,
# the memory of a large select, and the first selects after a bulk load.
if(TARGET velaserver AND TARGET velalink)
  add_executable(bench_server_dialect ${CMAKE_CURRENT_LIST_DIR}/server_dialect_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/server_fixture.cpp)
  target_include_directories(bench_server_dialect PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(bench_server_dialect PRIVATE VELA_SERVER_BIN="$<TARGET_FILE:velaserver>")
  target_link_libraries(bench_server_dialect PRIVATE velalink Threads::Threads)
  add_dependencies(bench_server_dialect velaserver)
endif()
