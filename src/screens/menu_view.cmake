# The function menu view: the outline of branch and leaf buttons inside the menu window.
add_library(corvane_menuview STATIC
  ${CMAKE_CURRENT_LIST_DIR}/corv_menu.cpp
)
target_include_directories(corvane_menuview PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_menuview PUBLIC corvane_controls corvane_content Qt6::Widgets)
