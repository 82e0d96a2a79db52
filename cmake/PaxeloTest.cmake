# The tests draw text with a font set of their own, so glyph pixels do not
# depend on the fonts and font settings other programs have installed: a
# fontconfig configuration that sees only these files, from packages the
# Makefile installs (fonts-noto-cjk, fonts-liberation, fonts-dejavu-core).
set(PAXELO_TEST_FONT_FILES
  /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
  /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
  /usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc
  /usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc
  /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
  /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
  /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf
  /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf)
set(PAXELO_TEST_FONTS_DIR ${CMAKE_BINARY_DIR}/test-fonts)
set(PAXELO_TEST_FONTCONFIG)
if(UNIX AND NOT APPLE)
  file(REMOVE_RECURSE ${PAXELO_TEST_FONTS_DIR}/files)
  file(MAKE_DIRECTORY ${PAXELO_TEST_FONTS_DIR}/files)
  foreach(font ${PAXELO_TEST_FONT_FILES})
    if(EXISTS ${font})
      get_filename_component(name ${font} NAME)
      file(CREATE_LINK ${font} ${PAXELO_TEST_FONTS_DIR}/files/${name} SYMBOLIC)
    else()
      message(WARNING "Test font ${font} is missing (make deps installs it); text tests may fail")
    endif()
  endforeach()
  configure_file(${CMAKE_CURRENT_LIST_DIR}/testfonts.conf.in ${PAXELO_TEST_FONTS_DIR}/fonts.conf @ONLY)
  set(PAXELO_TEST_FONTCONFIG "FONTCONFIG_FILE=${PAXELO_TEST_FONTS_DIR}/fonts.conf")
  # Filled once here rather than by the first tests that run side by side.
  find_program(PAXELO_FC_CACHE fc-cache)
  if(PAXELO_FC_CACHE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${PAXELO_TEST_FONTCONFIG} ${PAXELO_FC_CACHE}
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
endif()

# paxelo_add_test(<name> [AS_ORDINARY_USER] SOURCES <files...> LIBS <targets...>)
# One executable per test file, run by ctest on the offscreen platform with no D-Bus session.
# AS_ORDINARY_USER: the cases about permissions and ownership, which the superuser
# cannot see, run as a throwaway uid (tests/support/as-ordinary-user.sh).
function(paxelo_add_test name)
  cmake_parse_arguments(ARG "AS_ORDINARY_USER" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test paxelo_test_support ${ARG_LIBS})
  if(ARG_AS_ORDINARY_USER)
    add_test(NAME ${name} COMMAND sh ${CMAKE_SOURCE_DIR}/tests/support/as-ordinary-user.sh $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=disabled:;LANG=C.UTF-8")
  if(PAXELO_TEST_FONTCONFIG)
    list(APPEND environment "${PAXELO_TEST_FONTCONFIG}")
  endif()
  if(PAXELO_SANITIZE)
    list(APPEND environment "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 300)
endfunction()
