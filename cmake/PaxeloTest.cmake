# paxelo_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One executable per test file, run by ctest on the offscreen platform with no D-Bus session.
function(paxelo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test paxelo_test_support ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=disabled:;LANG=C.UTF-8"
    TIMEOUT 300)
endfunction()
