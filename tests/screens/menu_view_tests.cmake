# Tests of the function menu view.
add_executable(corvane_menuview_tests
  ${CMAKE_CURRENT_LIST_DIR}/corv_menu_test.cpp
)
target_include_directories(corvane_menuview_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/controls)
target_link_libraries(corvane_menuview_tests PRIVATE corvane_menuview corvane_widget_test_main Qt6::Test)
gtest_discover_tests(corvane_menuview_tests
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
