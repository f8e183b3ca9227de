# The benchmarks of the windows and of the report box (offscreen) and the start-up timer (under
# Xvfb).
add_library(gui_bench_main STATIC GuiBenchMain.cpp)
target_link_libraries(gui_bench_main PUBLIC Qt6::Widgets benchmark::benchmark)
add_executable(bench_windows bench_windows.cpp)
target_link_libraries(bench_windows PRIVATE application gui_test_support gui_bench_main)
add_executable(bench_report bench_report.cpp)
target_link_libraries(bench_report PRIVATE report gui_test_support gui_bench_main)

# The reference for start-up: the least a Qt Widgets program does to show one window.
add_executable(minimal_window minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)

find_package(X11 REQUIRED)
add_executable(startup_timer startup_timer.cpp)
target_link_libraries(startup_timer PRIVATE X11::X11 X11::Xdamage)
set_target_properties(startup_timer PROPERTIES AUTOMOC OFF)

# Memory kept by report openings and by readings (offscreen): heap in use and resident set.
add_executable(bench_memory bench_memory.cpp)
target_link_libraries(bench_memory PRIVATE application gui_test_support benchmark::benchmark)

# The command line: a file of people to JSON Lines, without windows or an application object.
add_executable(bench_command_line bench_command_line.cpp)
target_link_libraries(bench_command_line PRIVATE application benchmark::benchmark)
