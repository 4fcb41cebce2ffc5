# vela_server_fixture: starts velaserver for end-to-end tests (see server_fixture.h).
if(TARGET velaserver)
  add_library(vela_server_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/server_fixture.cpp)
  target_include_directories(vela_server_fixture PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(vela_server_fixture PRIVATE VELA_SERVER_BIN="$<TARGET_FILE:velaserver>")
  add_dependencies(vela_server_fixture velaserver)
  # A server that ended badly fails the test that ran it.
  target_link_libraries(vela_server_fixture PUBLIC GTest::gtest)
  vela_add_test(server_fixture_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/server_fixture_test.cpp
    LIBS vela_server_fixture LABELS server)
endif()
