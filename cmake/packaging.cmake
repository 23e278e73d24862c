# The Debian package: the three programs in a folder of their own with the start file beside
# them (the configurator loads it from its executable's folder), linked from the command path.
include(GNUInstallDirs)

set(qzv6_programs qzv6-configurator qzv6 qzv6-panel-sim)
set(qzv6_libexec lib/qzv6)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/links)
foreach(program ${qzv6_programs})
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${qzv6_libexec})
  file(CREATE_LINK ../${qzv6_libexec}/${program} ${CMAKE_BINARY_DIR}/links/${program} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/links/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
install(FILES resources/1_Start.qzv DESTINATION ${qzv6_libexec})
install(FILES resources/linux/qzv6-configurator.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/linux/qzv6-configurator.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the copyright and a compressed changelog in the package's documentation folder.
set(qzv6_docdir ${CMAKE_INSTALL_DATADIR}/doc/qzv6-configurator)
install(FILES resources/linux/copyright DESTINATION ${qzv6_docdir})
set(qzv6_changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${qzv6_changelog}
                   COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/resources/linux/changelog > ${qzv6_changelog}
                   DEPENDS resources/linux/changelog)
add_custom_target(qzv6_changelog DEPENDS ${qzv6_changelog})
install(FILES ${qzv6_changelog} DESTINATION ${qzv6_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qzv6-configurator)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QZV-6 configurator developers <qzv6-dev@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the QZV-6 security alarm panel")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads, edits and writes the configuration of a QZV-6 alarm panel over a\n\
USB-UART serial adapter, keeps configurations in .qzv files and watches the\n\
panel live. Programs: qzv6-configurator (the window), qzv6 (the command line)\n\
and qzv6-panel-sim (a virtual panel on a pseudo-terminal).\n\
.\n\
Serial ports belong to the dialout group: add yourself with\n\
\"sudo adduser $USER dialout\" and log in again before the first read.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the programs are packaged; the tests are not built for it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
