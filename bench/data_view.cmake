# The data view over a large table: opening it against the model load alone, scrolling,
# Find All and marking while typing, Apply of many edited cells against the server's own
# insert rate. A small timing program that prints medians.
if(TARGET vela_table AND TARGET vela_server_fixture)
  add_executable(bench_data_view ${CMAKE_CURRENT_LIST_DIR}/data_view_bench.cpp)
  target_link_libraries(bench_data_view PRIVATE vela_table vela_server_fixture vela_resources
    Qt5::Widgets)
endif()
