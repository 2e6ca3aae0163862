# Install layout and the Debian package.
#
# Under the prefix: bin/orvela-wp and bin/orvela-wp-cli (installed by their folders), the
# example report templates in share/orvela-wp/reports (the program's fallback when no
# report directory is set), the desktop entry, the work-file MIME type, the AppStream
# data, the icons, the man pages, and README plus the example work file in the package's
# doc folder. The help topics are compiled into the program and need no files.

set(ORVELA_APP_ID org.example.OrvelaWP)
set(ORVELA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ORVELA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvela-wp)

# Templates: every *.rtf of examples/reports, letter case of the extension ignored.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/reports/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/orvela-wp/reports
  FILES_MATCHING REGEX "\\.[Rr][Tt][Ff]$")

# The work-file type belongs to the CLI as much as to the program.
install(FILES ${ORVELA_PACKAGING_DIR}/orvela-wp.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

if(ORVELA_BUILD_GUI)
  install(FILES ${ORVELA_PACKAGING_DIR}/${ORVELA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ORVELA_PACKAGING_DIR}/${ORVELA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${ORVELA_PACKAGING_DIR}/icons/hicolor/${size}x${size}/orvela-wp.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${ORVELA_PACKAGING_DIR}/icons/orvela-wp.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Man pages, compressed as Debian ships them (-n: no time stamp, so builds repeat).
set(_man_pages orvela-wp-cli.1)
if(ORVELA_BUILD_GUI)
  list(APPEND _man_pages orvela-wp.1)
endif()
set(_man_outputs)
foreach(page IN LISTS _man_pages)
  set(_gz ${PROJECT_BINARY_DIR}/packaging/man/${page}.gz)
  add_custom_command(OUTPUT ${_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/man
    COMMAND ${CMAKE_COMMAND} -E copy ${ORVELA_PACKAGING_DIR}/man/${page} ${PROJECT_BINARY_DIR}/packaging/man/${page}
    COMMAND gzip -9 -n -f ${PROJECT_BINARY_DIR}/packaging/man/${page}
    DEPENDS ${ORVELA_PACKAGING_DIR}/man/${page}
    COMMENT "Compressing man page ${page}" VERBATIM)
  list(APPEND _man_outputs ${_gz})
endforeach()
add_custom_target(orvela_man_pages ALL DEPENDS ${_man_outputs})
install(FILES ${_man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${ORVELA_PACKAGING_DIR}/copyright DESTINATION ${ORVELA_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/Musterpruefung.owp ${PROJECT_SOURCE_DIR}/examples/Musterpruefung.json
  DESTINATION ${ORVELA_DOC_DIR}/examples)
if(EXISTS ${PROJECT_SOURCE_DIR}/docs)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${ORVELA_DOC_DIR}/docs FILES_MATCHING PATTERN "*.png")
endif()

# Debian package: `cpack` in the build folder (needs dpkg-dev for dpkg-shlibdeps, which
# finds the library packages the binaries link).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvela-wp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Die Entwickler von Orvela WP")
set(CPACK_PACKAGE_CONTACT "Die Entwickler von Orvela WP <orvela-wp@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://orvela-wp.example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "working papers of an audit in one work file")
# The long description; cpack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Orvela WP keeps the working papers of one audit project in a single work
file (*.owp): the audit structure with risk, organisational units, work
states, results and findings, a register of the supporting documents, the
project's definition lists and a formatted description. It fills RTF report
templates from that data. The user interface is German.

The package holds the desktop program orvela-wp and the command-line tool
orvela-wp-cli (check, export, import, report).")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# German texts of Qt's own dialogs; the desktop's "open with" for documents and links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-qpa-plugins, xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
