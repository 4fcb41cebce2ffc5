# Statement texts straight into the server's executor over a scratch database, and login
# bodies into the login reader: nothing a client sends may crash the server.
add_executable(fuzz_server_exec ${CMAKE_CURRENT_LIST_DIR}/server_exec_fuzz.cpp)
target_link_libraries(fuzz_server_exec PRIVATE vela_server_core)
target_link_options(fuzz_server_exec PRIVATE -fsanitize=fuzzer)
