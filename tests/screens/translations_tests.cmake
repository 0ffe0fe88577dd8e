# The German texts in their controls: a program of its own, since the catalogue it installs
# would change the texts the other screen tests expect. It holds the workshop jobs' German too.
add_executable(translation_fit_tests
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_sysfs.cpp
  ${PROJECT_SOURCE_DIR}/tests/shell/fake_device_event_source.h
  ${CMAKE_CURRENT_LIST_DIR}/translations_fit_test.cpp
)
target_link_libraries(translation_fit_tests PRIVATE corvane_jobs corvane_widget_test_main GTest::gtest Qt6::Widgets
                      Qt6::Test)
target_include_directories(translation_fit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/tests/shell)
gtest_discover_tests(translation_fit_tests DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 60 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1")
