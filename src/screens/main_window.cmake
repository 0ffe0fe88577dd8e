# The main window: its frame, status band, panes, start-up and connection supervision.
add_library(corvane_main_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/corvane_new_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_frame_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_panes.cpp
)
target_include_directories(corvane_main_window PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_main_window PUBLIC corvane_appui corvane_appcore corvane_controls corvane_link
                      corvane_platform Qt6::Widgets)
# The menu and client windows, once both are part of the build.
if(TARGET corvane_forms AND EXISTS ${PROJECT_SOURCE_DIR}/src/forms/client_wnd.h)
  target_link_libraries(corvane_main_window PUBLIC corvane_forms)
  target_compile_definitions(corvane_main_window PUBLIC CORVANE_HAVE_FORMS=1)
endif()
