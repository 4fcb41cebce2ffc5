# Find and replace over arbitrary patterns and texts, followed by random edits and a full
# undo: matches stay inside the text, the cursor stays on a character start, and undoing
# everything gives back the original bytes.
# The editor folder is configured with the GUI only.
if(TARGET vela_editor_core)
  add_executable(fuzz_text_edit ${CMAKE_CURRENT_LIST_DIR}/text_edit_fuzz.cpp)
  target_link_libraries(fuzz_text_edit PRIVATE vela_editor_core)
  target_link_options(fuzz_text_edit PRIVATE -fsanitize=fuzzer)
endif()
