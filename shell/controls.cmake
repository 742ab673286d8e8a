# The toolbar and the About dialog. The pure part gives the sizes of the
# toolbar's pictures, which the toolbar uses, and lays the button pictures
# into the strip, which the host tool that makes the toolbar bitmap uses.
zelvar_pure_library(shell_core toolbar_picture.cpp)
target_link_libraries(shell_core PUBLIC resources_core common_dpi)

if(WIN32)
  zelvar_win32_library(shell_controls main_toolbar.cpp about_dialog.cpp)
  target_link_libraries(shell_controls PUBLIC common_ui shell_core comctl32)
endif()
