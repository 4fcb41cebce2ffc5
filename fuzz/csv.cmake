# CSV files into the server's reader, with every kind of separator: no crash, no endless loop,
# and what it reads writes back to the same records.
add_executable(fuzz_csv ${CMAKE_CURRENT_LIST_DIR}/csv_fuzz.cpp)
target_link_libraries(fuzz_csv PRIVATE vela_server_core)
target_link_options(fuzz_csv PRIVATE -fsanitize=fuzzer)
