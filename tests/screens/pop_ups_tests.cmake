# Tests of the unit's pop-ups: the windows on their own, the files moved for the unit, and the
# whole request handling in the main window over a pseudo-terminal.
add_executable(pop_ups_tests
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_sysfs.cpp
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_device_event_source.h
  ${CMAKE_CURRENT_LIST_DIR}/pop_up_windows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pop_ups_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_test.cpp
)
target_link_libraries(pop_ups_tests PRIVATE corvane_screens corvane_unitsim corvane_widget_test_main GTest::gtest
                      Qt6::Widgets Qt6::Test util)
target_include_directories(pop_ups_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/shell ${PROJECT_SOURCE_DIR}/tests/link
                           ${PROJECT_SOURCE_DIR}/tests/controls)
gtest_discover_tests(pop_ups_tests DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")

# The walk through the whole demo in the real window: slow (the demo takes its time), so it is
# a program of its own with a longer time-out.
add_executable(demo_walk_tests
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_sysfs.cpp
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_device_event_source.h
  ${CMAKE_CURRENT_LIST_DIR}/demo_walk_test.cpp
)
target_link_libraries(demo_walk_tests PRIVATE corvane_screens corvane_unitsim corvane_widget_test_main GTest::gtest
                      Qt6::Widgets Qt6::Test util)
target_include_directories(demo_walk_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/shell)
gtest_discover_tests(demo_walk_tests DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
