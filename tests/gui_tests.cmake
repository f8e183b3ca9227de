# Widget tests (offscreen) and end-to-end tests (the real program under Xvfb).
add_library(gui_test_main STATIC gui_test_main.cpp)
target_link_libraries(gui_test_main PUBLIC Qt6::Widgets GTest::gtest)

function(larkspire_gui_test name)
  add_executable(${name} ${name}.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN} gui_test_main GTest::gtest Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=UTC")
endfunction()

find_package(Qt6 REQUIRED COMPONENTS Test)
larkspire_gui_test(test_input_form application)
larkspire_gui_test(test_viewer application)
larkspire_gui_test(test_report report)
larkspire_gui_test(test_rtf report)
larkspire_gui_test(test_links report)
larkspire_gui_test(test_help widgets)
larkspire_gui_test(test_startup application)
larkspire_gui_test(test_web_links application)
larkspire_gui_test(test_platform platform)

add_test(NAME e2e_main_road
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/main_road.sh $<TARGET_FILE:larkspire>)
set_tests_properties(e2e_main_road PROPERTIES TIMEOUT 240)

foreach(road whole_road keyboard_road themes accessibility command_line)
  add_test(NAME e2e_${road} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${road}.sh $<TARGET_FILE:larkspire>)
  set_tests_properties(e2e_${road} PROPERTIES TIMEOUT 240)
endforeach()

add_test(NAME e2e_package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(e2e_package PROPERTIES TIMEOUT 240)
