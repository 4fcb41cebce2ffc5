# Pictures of widgets for a person to look at (VELA_SHOTS=<folder>).
if(VELA_GUI)
  add_library(vela_shot STATIC ${CMAKE_CURRENT_LIST_DIR}/shot.h ${CMAKE_CURRENT_LIST_DIR}/shot.cpp)
  target_include_directories(vela_shot PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(vela_shot PUBLIC Qt5::Widgets)
endif()
