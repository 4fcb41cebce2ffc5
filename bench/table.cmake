# The grid model over a large result: load, memory per cell, sort, commit; PostgreSQL
# through psql as the reference (started on loopback by table_pg.sh for the run only).
if(TARGET vela_table AND TARGET vela_script AND TARGET vela_server_fixture)
  add_executable(bench_table ${CMAKE_CURRENT_LIST_DIR}/table_bench.cpp)
  target_link_libraries(bench_table PRIVATE vela_table vela_script vela_server_fixture vela_resources benchmark::benchmark Qt5::Widgets)
  target_compile_definitions(bench_table PRIVATE VELA_TABLE_PG_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/table_pg.sh")
endif()
