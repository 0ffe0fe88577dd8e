# The unit's pop-ups: message boxes, list and string windows, the key pad and the files the
# unit moves through the PC. Part of the main window's library.
target_sources(corvane_screens PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pop_ups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/corv_list_wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/corv_string_wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transport_tool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_files.cpp
)
