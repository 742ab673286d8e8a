# The end-to-end tests: zelvar.exe started in a process of its own and driven
# from outside by keys and mouse, as a user does.
if(WIN32)
  set(e2e ${CMAKE_CURRENT_LIST_DIR})

  # Starts the program, finds its windows, gives input and reads the screen.
  add_library(e2e_driver STATIC
    ${e2e}/explorer_process.cpp
    ${e2e}/user_input.cpp
    ${e2e}/screen_capture.cpp
    ${e2e}/unix_command.cpp)
  target_include_directories(e2e_driver PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(e2e_driver PUBLIC remote_window comctl32 gdi32 user32)

  add_executable(zelvar_e2e_tests
    ${e2e}/expected_picture.cpp
    ${e2e}/picture_check.cpp
    ${e2e}/dialog_steps.cpp
    ${e2e}/e2e_start_test.cpp
    ${e2e}/e2e_navigation_test.cpp
    ${e2e}/e2e_location_test.cpp
    ${e2e}/e2e_dialogs_test.cpp
    ${e2e}/e2e_exit_test.cpp
    ${e2e}/e2e_waiting_test.cpp
    ${e2e}/e2e_screenshot_test.cpp
    ${e2e}/e2e_hidpi_test.cpp
    ${e2e}/e2e_save_picture_test.cpp
    ${e2e}/test_folder.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/png_picture.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/win32_test_support.cpp)
  # The saved pictures are decoded with the platform's imaging component.
  target_link_libraries(zelvar_e2e_tests PRIVATE e2e_driver export_core engine_core gtest_main windowscodecs ole32
    uuid)
  # The tests start the program from their own folder.
  add_dependencies(zelvar_e2e_tests zelvar)
  zelvar_test_program(zelvar_e2e_tests)
  zelvar_register_tests(zelvar_e2e_tests e2e 900)
endif()
