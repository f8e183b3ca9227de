# Widget tests (offscreen) and end-to-end tests (the real program under Xvfb, or under Wine for the
# Windows build).
find_package(Qt6 REQUIRED COMPONENTS Test)

# What the widget tests (and the benchmarks) share: finding controls, answering message boxes,
# recording opened addresses, and the fake Save As and Print dialogs; and the tests' main.
add_library(gui_test_support STATIC GuiTestSupport.h)
target_link_libraries(gui_test_support PUBLIC report Qt6::Test GTest::gtest)
target_include_directories(gui_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
add_library(gui_test_main STATIC GuiTestMain.cpp)
target_link_libraries(gui_test_main PUBLIC gui_test_support)

# The tests of what each operating system does its own way: posix or windows.
if(WIN32)
  set(system windows)
else()
  set(system posix)
endif()
larkspire_unit_test(test_safe_files_${system} platform gui_test_main)
target_sources(test_safe_files_${system} PRIVATE test_safe_files.cpp) # what every system shares
larkspire_unit_test(test_instance_lock_${system} platform gui_test_main)
target_sources(test_instance_lock_${system} PRIVATE test_instance_lock.cpp) # what every system shares
larkspire_unit_test(test_settings_store_${system} platform gui_test_main)
larkspire_unit_test(test_report_saving_${system} report gui_test_main)
if(NOT WIN32)
  larkspire_unit_test(test_file_names_posix platform GTest::gtest_main)
endif()

larkspire_unit_test(test_settings_store platform gui_test_main)
larkspire_unit_test(test_program_style widgets gui_test_main)
larkspire_unit_test(test_about_dialog widgets gui_test_main)
larkspire_unit_test(test_rtf_writer report gui_test_main)
larkspire_unit_test(test_report_links report gui_test_main)
larkspire_unit_test(test_report_dialog report gui_test_main)
larkspire_unit_test(test_update_reminder application gui_test_main)
larkspire_unit_test(test_command_line application GTest::gtest_main)
larkspire_unit_test(test_csv_reader csv GTest::gtest_main)
larkspire_unit_test(test_application application gui_test_main)
larkspire_unit_test(test_input_window application gui_test_main)
larkspire_unit_test(test_results_window application gui_test_main)
larkspire_unit_test(test_web_pages application gui_test_main)

if(WIN32)
  # Under Wine, from Linux: the road of a reading on the real program, the single instance, the
  # installer, and the command line through cmd.exe (scripts/windows runs these).
  set(setup ${PROJECT_SOURCE_DIR}/dist/Larkspire-${PROJECT_VERSION}-setup.exe)
  # Starts a command line that no console can type (a lone surrogate in a word).
  add_executable(wide_command windows/wide_command.cpp)
  set_target_properties(wide_command PROPERTIES AUTOMOC OFF)
  foreach(road road single_instance installer command_line)
    set(helper)
    if(road STREQUAL command_line)
      set(helper $<TARGET_FILE:wide_command>)
    endif()
    add_test(NAME wine_${road} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/${road}.sh $<TARGET_FILE:larkspire> ${setup} ${helper})
    set_tests_properties(wine_${road} PROPERTIES TIMEOUT 600 LABELS e2e)
  endforeach()
  return()
endif()

# Qt's own Save As and Print dialogs, answered from inside their modal loops (on Windows both are
# the system's own, which no test in the process can answer).
larkspire_unit_test(test_save_and_print_dialogs report gui_test_main)

# Another program on the display that offers what the tests paste and drop.
add_executable(clipboard_owner e2e/clipboard_owner.cpp)
target_link_libraries(clipboard_owner PRIVATE Qt6::Widgets)
foreach(road main_road whole_road keyboard_road themes accessibility command_line readings)
  add_test(NAME e2e_${road} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${road}.sh $<TARGET_FILE:larkspire>
                                    $<TARGET_FILE:clipboard_owner>)
  set_tests_properties(e2e_${road} PROPERTIES TIMEOUT 240 LABELS e2e)
endforeach()

add_test(NAME e2e_package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e_package PROPERTIES TIMEOUT 240 LABELS package)
