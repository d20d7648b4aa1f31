# Installing qrn like a desktop program (programs, shipped data, menu entry,
# icons, metainfo, manual pages) and the Debian package of it: cpack -G DEB
# from the build folder, or scripts/package.

install(TARGETS qrn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/qrn)
# One script serves the source tree (scripts/run) and the installation.
install(PROGRAMS scripts/demo-catalogue DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME qrn-demo-catalogue)

install(FILES app/qrn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES app/qrn.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs were drawn from qrn.svg with rsvg-convert -w SIZE -h SIZE.
foreach(size 48 128 256)
    install(FILES app/icons/qrn-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME qrn.png)
endforeach()

set(QRN_APPSTREAM_ID local.qrn.qrn)
configure_file(app/qrn.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/${QRN_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QRN_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages made from the programs' own --help and --version, so the two
# never disagree.
find_program(QRN_HELP2MAN help2man REQUIRED)
configure_file(scripts/demo-catalogue ${CMAKE_BINARY_DIR}/man/qrn-demo-catalogue COPYONLY)
file(CHMOD ${CMAKE_BINARY_DIR}/man/qrn-demo-catalogue
    PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
set(qrn_man_qrn "search library catalogues that speak Z39.50")
set(qrn_man_qrn-search "search Z39.50 catalogues without a window")
set(qrn_man_qrn-brief "list title, author and date of MARC records")
set(qrn_man_qrn-send "send MARC records into the library's own catalogue")
set(qrn_man_qrn-setup "set qrn up for the current user")
set(qrn_man_qrn-validate "check MARC records against MARC 21")
set(qrn_man_qrn-import-targets "add the targets of a ZeeRex directory to a qrn target list")
set(qrn_man_qrn-demo-catalogue "run the local demo catalogue for qrn")
set(man_pages "")
foreach(program qrn qrn-search qrn-brief qrn-send qrn-setup qrn-validate qrn-import-targets qrn-demo-catalogue)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    if(TARGET ${program})
        set(executable $<TARGET_FILE:${program}>)
        set(version_option "")
    else()
        set(executable ${CMAKE_BINARY_DIR}/man/${program})
        set(version_option --version-string=${PROJECT_VERSION})
    endif()
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            HOME=${CMAKE_BINARY_DIR}/man
            ${QRN_HELP2MAN} --no-info --section=1 "--name=${qrn_man_${program}}"
            ${version_option} --output=${page} ${executable}
        COMMAND gzip -9nf ${page}
        DEPENDS ${executable} VERBATIM)
    list(APPEND man_pages ${page}.gz)
endforeach()
add_custom_target(qrn_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(QRN_PACKAGE_MAINTAINER "qrn developers" CACHE STRING
    "Maintainer field of the Debian package (name <address> of whoever ships it)")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QRN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "search client for library catalogues that speak Z39.50
qrn asks many Z39.50 catalogue servers at once and merges the records they
find into one list, showing every server's progress. Queries are written on
basic, advanced, Prefix Query Format and ISBN/ISSN batch pages. Records
(MARC 21, MARCXML, MODS, Dublin Core, SUTRS) are shown as HTML and can be
exported to files, through XSL stylesheets, or into SQL databases.
The package also has the command-line programs qrn-search, qrn-brief and
qrn-validate, qrn-import-targets, and
qrn-demo-catalogue, a local catalogue to try qrn with.")
# Libraries come from the programs themselves; Qt's platform plugins and the
# SQL drivers are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "idzebra-2.0-utils, idzebra-2.0-common, libqt6sql6-sqlite, libqt6sql6-psql, libqt6sql6-odbc")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
