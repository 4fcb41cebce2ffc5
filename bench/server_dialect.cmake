# velaserver on the larger work of the dialect: a hash join, a group, CSV export and import,
# the memory of a large select, the first selects after a bulk load, and the time and memory
# of selects, updates and deletes that pick rows by a condition.
if(TARGET velalink AND TARGET vela_server_fixture)
  add_executable(bench_server_dialect ${CMAKE_CURRENT_LIST_DIR}/server_dialect_bench.cpp)
  target_link_libraries(bench_server_dialect PRIVATE vela_server_fixture velalink Threads::Threads)
endif()
