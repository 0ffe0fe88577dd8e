# Tests of the main window: layout and drag zones, the window-state cycle, sizing and moving,
# wheel routing, closing, painting and the status line; start-up decisions, connection
# supervision and the trace switch; the menu, pages and choices. Offscreen, with the
# configuration file in a temporary folder and a pseudo-terminal as the port.
add_executable(main_window_tests
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_sysfs.cpp
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_device_event_source.h
  ${CMAKE_CURRENT_LIST_DIR}/main_window_fixture.h
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_geometry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_startup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_config_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_supervision_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_line_faults_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_switch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_choices_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_updates_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/notification_fold_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waiting_notifications_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_save_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_write_test.cpp
)
target_link_libraries(main_window_tests PRIVATE corvane_screens corvane_unitsim corvane_widget_test_main GTest::gtest
                      Qt6::Widgets Qt6::Test util)
target_include_directories(main_window_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tests/shell
                           ${PROJECT_SOURCE_DIR}/tests/link ${PROJECT_SOURCE_DIR}/tests/controls)
gtest_discover_tests(main_window_tests DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 60 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
