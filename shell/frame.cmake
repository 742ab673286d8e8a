# The main frame, the window classes, the start-up steps and the program.
# The reading of the command line is pure.
zelvar_pure_library(shell_start ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp)

if(WIN32)
  zelvar_win32_library(shell_ui
    ${CMAKE_CURRENT_LIST_DIR}/frame_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/location_commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_picture_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_classes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_location.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_loop.cpp)
  target_link_libraries(shell_ui PUBLIC
    shell_start shell_controls view_ui orbits_ui export_ui engine_ui shell_status common_ui
    comctl32 comdlg32 gdi32 shell32)

  # zelvar.exe: the explorer itself, statically linked, in bin/.
  add_executable(zelvar WIN32 ${CMAKE_CURRENT_LIST_DIR}/winmain.cpp)
  target_link_libraries(zelvar PRIVATE shell_ui zelvar_resources)
endif()
