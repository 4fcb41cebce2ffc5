# parse_all over arbitrary bytes: never crashes, hangs or reads out of bounds.
add_executable(fuzz_parse ${CMAKE_CURRENT_LIST_DIR}/parse_fuzz.cpp)
target_link_libraries(fuzz_parse PRIVATE vela_lang)
target_link_options(fuzz_parse PRIVATE -fsanitize=fuzzer)
