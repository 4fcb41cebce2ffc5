# libFuzzer target for the result payload decoder and everything that reads its
# result (readers, console dump), plus the reply and login-reply framing.
add_executable(fuzz_decoder ${CMAKE_CURRENT_LIST_DIR}/decoder_fuzz.cpp)
target_link_libraries(fuzz_decoder PRIVATE velalink_core)
target_link_options(fuzz_decoder PRIVATE -fsanitize=fuzzer)
