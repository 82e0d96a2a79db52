# make install and make package: the program in bin/, the template of a
# user's data folder in share/paxelo-memo/ (the program looks for it at
# bin/../share/paxelo-memo), the desktop entry, icons, metainfo, manual page
# and the Debian package documents. The desktop files live in desktop/.
set(PAXELO_DESKTOP ${CMAKE_SOURCE_DIR}/desktop)
set(PAXELO_TEMPLATE_DIR ${CMAKE_BINARY_DIR}/template)
set(PAXELO_DOC_DIR ${CMAKE_BINARY_DIR}/doc)

# The template is made fresh, never taken from build/app/, whose store holds
# the notes written while trying the program.
add_custom_command(
  OUTPUT ${PAXELO_TEMPLATE_DIR}/Data/UserData.mdb ${PAXELO_TEMPLATE_DIR}/source/DeskTopBG/A1.bmp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PAXELO_TEMPLATE_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PAXELO_TEMPLATE_DIR}/Data ${PAXELO_TEMPLATE_DIR}/source/DeskTopBG
  COMMAND mkstore ${CMAKE_SOURCE_DIR}/store/schema.sql ${PAXELO_TEMPLATE_DIR}/Data/UserData.mdb
  COMMAND mkbackground ${PAXELO_TEMPLATE_DIR}/source/DeskTopBG/A1.bmp
  DEPENDS mkstore mkbackground ${CMAKE_SOURCE_DIR}/store/schema.sql
  COMMENT "Making the template of a user's data folder"
  VERBATIM)

# Debian wants the manual page and the changelog compressed, reproducibly.
add_custom_command(
  OUTPUT ${PAXELO_DOC_DIR}/paxelo-memo.1.gz ${PAXELO_DOC_DIR}/zh_CN/paxelo-memo.1.gz ${PAXELO_DOC_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PAXELO_DOC_DIR}/zh_CN
  COMMAND sh -c "gzip -9n < '${PAXELO_DESKTOP}/paxelo-memo.1' > '${PAXELO_DOC_DIR}/paxelo-memo.1.gz'"
  COMMAND sh -c "gzip -9n < '${PAXELO_DESKTOP}/zh_CN/paxelo-memo.1' > '${PAXELO_DOC_DIR}/zh_CN/paxelo-memo.1.gz'"
  COMMAND sh -c "gzip -9n < '${PAXELO_DESKTOP}/changelog' > '${PAXELO_DOC_DIR}/changelog.gz'"
  DEPENDS ${PAXELO_DESKTOP}/paxelo-memo.1 ${PAXELO_DESKTOP}/zh_CN/paxelo-memo.1 ${PAXELO_DESKTOP}/changelog
  VERBATIM)

add_custom_target(install_files ALL DEPENDS
  ${PAXELO_TEMPLATE_DIR}/Data/UserData.mdb ${PAXELO_DOC_DIR}/paxelo-memo.1.gz
  ${PAXELO_DOC_DIR}/zh_CN/paxelo-memo.1.gz ${PAXELO_DOC_DIR}/changelog.gz)

# Two packages from one build: the program (component memo) and the browser
# engine's module (component web), which only a configured web site needs.
install(TARGETS paxelo-memo RUNTIME DESTINATION bin COMPONENT memo)
install(DIRECTORY ${PAXELO_TEMPLATE_DIR}/ DESTINATION share/paxelo-memo COMPONENT memo)
install(FILES ${PAXELO_DESKTOP}/com.paxelo.memo.desktop DESTINATION share/applications COMPONENT memo)
install(FILES ${PAXELO_DESKTOP}/com.paxelo.memo.metainfo.xml DESTINATION share/metainfo COMPONENT memo)
install(FILES ${PAXELO_DESKTOP}/icons/paxelo-memo.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT memo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PAXELO_DESKTOP}/icons/${size}x${size}/paxelo-memo.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps COMPONENT memo)
endforeach()
install(FILES ${PAXELO_DOC_DIR}/paxelo-memo.1.gz DESTINATION share/man/man1 COMPONENT memo)
install(FILES ${PAXELO_DOC_DIR}/zh_CN/paxelo-memo.1.gz DESTINATION share/man/zh_CN/man1 COMPONENT memo)
foreach(package paxelo-memo paxelo-memo-web)
  if(package STREQUAL paxelo-memo)
    set(component memo)
  else()
    set(component web)
  endif()
  install(FILES ${PAXELO_DOC_DIR}/changelog.gz ${PAXELO_DESKTOP}/copyright
          DESTINATION share/doc/${package} COMPONENT ${component})
endforeach()

# The installed desktop entry and metainfo pass their validators.
add_test(NAME install_validates
  COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/install-check)
set_tests_properties(install_validates PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL memo web)
set(CPACK_PACKAGE_NAME paxelo-memo)
set(CPACK_PACKAGE_VENDOR Paxelo)
set(CPACK_PACKAGE_CONTACT "Paxelo <memo@paxelo.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.paxelo.com)
# The libraries each package's files link are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# The program. Qt loads the SQLite driver and the X11 platform plugin at run
# time, and the windows are drawn in a Chinese face.
set(CPACK_DEBIAN_MEMO_PACKAGE_NAME paxelo-memo)
set(CPACK_DEBIAN_MEMO_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-noto-cjk | fonts-arphic-uming | fonts-wqy-zenhei | fonts-wqy-microhei")
set(CPACK_DEBIAN_MEMO_PACKAGE_RECOMMENDS "qt6-translations-l10n, gsettings-desktop-schemas")
set(CPACK_DEBIAN_MEMO_PACKAGE_SUGGESTS paxelo-memo-web)
# The summary is the first line; CPack indents the rest.
set(CPACK_DEBIAN_MEMO_DESCRIPTION "desktop memo that puts its notes on the wallpaper
A small memo with a Chinese user interface. Notes are written on a board in
a borderless window; the position letters A, B and C each keep a page of
their own, and every change is stored at once. One click composes the notes
onto a background picture and sets it as the desktop wallpaper.

Each user's notes are kept in ~/.local/share/paxelo-memo.")

# The browser engine's module, with the engine's libraries, for the program
# of the same build.
set(CPACK_DEBIAN_WEB_PACKAGE_NAME paxelo-memo-web)
set(CPACK_DEBIAN_WEB_PACKAGE_DEPENDS "paxelo-memo (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_WEB_DESCRIPTION "web site panel for the paxelo-memo desktop memo
The browser engine's module of paxelo-memo. The memo loads it only when
Data/WebSite.ini names a web site: the memo's web panel, help and feedback
pages then show that site's pages. Without a configured site the memo shows
its own pages and never needs this package.")
include(CPack)
