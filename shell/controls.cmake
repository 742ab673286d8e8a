# The toolbar, the About dialog and the program's icon. The pure part reads
# the text pixel maps of the button pictures and draws the About picture and
# the icon; the host tools that make the resource bitmaps use it too.
zelvar_pure_library(shell_core pixel_map.cpp toolbar_picture.cpp about_picture.cpp app_icon.cpp)
target_link_libraries(shell_core PUBLIC engine_core resources_core shell_dpi)

if(WIN32)
  zelvar_win32_library(shell_controls main_toolbar.cpp about_dialog.cpp)
  target_link_libraries(shell_controls PUBLIC shell_base shell_core comctl32)
endif()
