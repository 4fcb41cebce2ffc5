# The server's frame reader fed arbitrary bytes in arbitrary pieces: the frames it hands out,
# written again, must be exactly the bytes it consumed.
add_executable(fuzz_server_frames ${CMAKE_CURRENT_LIST_DIR}/server_frames_fuzz.cpp)
target_link_libraries(fuzz_server_frames PRIVATE vela_server_core)
target_link_options(fuzz_server_frames PRIVATE -fsanitize=fuzzer)
