# The main window: its frame, status band, panes, start-up and connection supervision.
add_library(corvane_main_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/corvane_new_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_panes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_choices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_updates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_text.cpp
)
target_include_directories(corvane_main_window PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_main_window PUBLIC corvane_appui corvane_appcore corvane_forms corvane_controls
                      corvane_link corvane_platform Qt6::Widgets)
