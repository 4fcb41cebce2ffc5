# Key-stroke latency of the script editor (insert, re-parse, layout, repaint of the visible
# part) and the memory of a large script, beside the same work done by QScintilla when its
# development package is installed (libqscintilla2-qt5-dev; only this benchmark uses it).
if(VELA_GUI AND TARGET vela_editor)
  add_executable(bench_editor ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp)
  target_link_libraries(bench_editor PRIVATE vela_editor benchmark::benchmark Qt5::Widgets)
  find_library(VELA_QSCI_LIB qscintilla2_qt5)
  find_path(VELA_QSCI_INC Qsci/qsciscintilla.h PATH_SUFFIXES x86_64-linux-gnu/qt5 qt5)
  if(VELA_QSCI_LIB AND VELA_QSCI_INC)
    target_compile_definitions(bench_editor PRIVATE VELA_HAVE_QSCI=1)
    target_include_directories(bench_editor PRIVATE ${VELA_QSCI_INC})
    target_link_libraries(bench_editor PRIVATE ${VELA_QSCI_LIB})
  else()
    message(STATUS "bench_editor: QScintilla not found, the comparison is left out")
  endif()
endif()
