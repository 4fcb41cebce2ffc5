# A script and a run of edits: after each edit the incremental parse equals a full parse.
add_executable(fuzz_parse_edit ${CMAKE_CURRENT_LIST_DIR}/parse_edit_fuzz.cpp)
target_include_directories(fuzz_parse_edit PRIVATE ${PROJECT_SOURCE_DIR}/tests/lang)
target_link_libraries(fuzz_parse_edit PRIVATE vela_lang)
target_link_options(fuzz_parse_edit PRIVATE -fsanitize=fuzzer)
