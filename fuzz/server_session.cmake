# Whole sessions against a velaserver running in the fuzzing process: a login (valid or made
# up), then statement frames and stray bytes, over loopback. Run with a memory limit, e.g.
#   fuzz_server_session -rss_limit_mb=1024 -malloc_limit_mb=256 -timeout=30
add_executable(fuzz_server_session ${CMAKE_CURRENT_LIST_DIR}/server_session_fuzz.cpp)
target_link_libraries(fuzz_server_session PRIVATE vela_server_core)
target_link_options(fuzz_server_session PRIVATE -fsanitize=fuzzer)
