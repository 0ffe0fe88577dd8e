# Tests of the main window's frame: layout and drag zones, the window-state cycle, sizing and
# moving, wheel routing, closing, painting and the status line. Offscreen, with the
# configuration file in a temporary folder and a pseudo-terminal as the port.
add_executable(main_window_tests
  ${PROJECT_SOURCE_DIR}/tests/app/fake_sysfs.cpp
  ${PROJECT_SOURCE_DIR}/tests/app/fake_device_event_source.h
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_geometry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_choices_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_updates_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_save_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_write_test.cpp
)
target_link_libraries(main_window_tests PRIVATE corvane_main_window corvane_unitsim corvane_widget_test_main GTest::gtest Qt6::Widgets Qt6::Test util)
target_include_directories(main_window_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/app ${PROJECT_SOURCE_DIR}/tests/link)
gtest_discover_tests(main_window_tests DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 60 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
