#A loopback TCP peer that plays scripted replies, for the client library tests.
add_library(vela_scripted_peer STATIC ${CMAKE_CURRENT_LIST_DIR} /
            scripted_peer.cpp ${CMAKE_CURRENT_LIST_DIR} / scripted_peer.h)
    target_include_directories(vela_scripted_peer PUBLIC ${CMAKE_CURRENT_LIST_DIR})
        target_link_libraries(vela_scripted_peer PUBLIC Threads::Threads)
