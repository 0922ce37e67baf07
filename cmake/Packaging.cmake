# The Debian package: `cpack -G DEB` in the build folder.
# Library dependencies come from dpkg-shlibdeps (the Qt 6 runtime and, once
# the binaries use them, libzip and pugixml); the fonts the windows and
# reports are drawn with are named here because no binary links them.
set(CPACK_PACKAGE_NAME orvik50)
set(CPACK_PACKAGE_VENDOR "The Orvik50 developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvik50 developers <dev@orvik50.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for PON optical power meter record files")
set(CPACK_PACKAGE_DESCRIPTION
  "Opens the record files (*.bin) of a PON optical power meter and shows every
stored measurement in a table, with the threshold verdicts in green, yellow
or red. The table can be saved as tab- or comma-separated text, printed and
previewed. orvik50-export converts record files without the window.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvik50.org/")
# The menu, icon and file-type caches are refreshed by the triggers of the
# packages that own them; the package needs no scripts of its own.

# Copyright and changelog, where Debian expects every package to have them.
set(ORVIK50_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/orvik50)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${ORVIK50_DOC_DIR})
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
  set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_PROGRAM} -9n < ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
  add_custom_target(orvik50_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${ORVIK50_DOC_DIR})
endif()

include(CPack)
