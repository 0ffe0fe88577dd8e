# The main window: its frame, status band, panes, start-up and connection supervision, and the
# handlers of the pages and pop-ups it shows.
add_library(corvane_screens STATIC
  ${CMAKE_CURRENT_LIST_DIR}/corvane_new_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_panes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_choices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_updates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screens_accessible.cpp
)
corvane_publish_headers(corvane_screens screens)
target_link_libraries(corvane_screens PUBLIC corvane_shell corvane_forms corvane_controls corvane_link corvane_platform
                      Qt6::Widgets)
