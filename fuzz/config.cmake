# The config file reader over arbitrary bytes: never crashes, never reads out of bounds,
# and what it accepted writes back to bytes that read the same again.
add_executable(fuzz_config ${CMAKE_CURRENT_LIST_DIR}/config_fuzz.cpp)
target_link_libraries(fuzz_config PRIVATE vela_config)
target_link_options(fuzz_config PRIVATE -fsanitize=fuzzer)
