# The script tab: a 10,000-insert run through exec_sql beside a bare velalink exec loop, the
# completion popup at the end of a 128 KiB script and for 2,000 tables, and opening a 4 MiB
# script until its first paint. A small timing program that prints medians.
if(TARGET vela_app AND TARGET vela_server_fixture)
  add_executable(bench_script ${CMAKE_CURRENT_LIST_DIR}/script_bench.cpp)
  target_link_libraries(bench_script PRIVATE vela_app vela_script vela_server_fixture vela_resources
    velalink Qt5::Widgets Qt5::Test)
endif()
