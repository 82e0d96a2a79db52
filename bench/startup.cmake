# The start-up benchmark: bench/startup.sh launches the bare window and the
# staged program through startup_probe. Not Google Benchmark programs, so not
# named bench_*.
find_package(X11 REQUIRED)
add_executable(startup_bare startup_bare.cpp)
target_link_libraries(startup_bare PRIVATE Qt6::Widgets)
add_executable(startup_probe startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE X11::X11)
set_target_properties(startup_bare startup_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
add_dependencies(benchmarks startup_bare startup_probe paxelo-memo)
