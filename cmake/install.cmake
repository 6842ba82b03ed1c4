# Installation and the Debian package. The programs go to bin/, what they ship (the template,
# the icon folder, the README the guide links to and its pictures) to share/tavrolin/, which an
# installed program finds as ../share/tavrolin/ beside its bin folder and copies into the user's
# data folder on first start. The desktop's menu gets both programs with their icons.
include(GNUInstallDirs)

set(TAVROLIN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tavrolin)
set(TAVROLIN_DESKTOP ${PROJECT_SOURCE_DIR}/data/desktop)

install(TARGETS tavrolin migrova RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/Tavrolin.dbf ${CMAKE_BINARY_DIR}/README.md
    DESTINATION ${TAVROLIN_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons DESTINATION ${TAVROLIN_INSTALL_DATADIR}
    PATTERN ".made" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${TAVROLIN_INSTALL_DATADIR}
    FILES_MATCHING PATTERN "*.png")
install(FILES ${TAVROLIN_DESKTOP}/tavrolin.desktop ${TAVROLIN_DESKTOP}/migrova.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVROLIN_DESKTOP}/tavrolin.svg ${TAVROLIN_DESKTOP}/migrova.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrolin)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "Tavrolin")
set(CPACK_PACKAGE_CONTACT "Tavrolin developers <tavrolin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Display attributes for the shapefile tables of echo-sounder maps, and Migrova")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrolin gives each record of a shapefile's attribute table the display attributes of its
type from an editable template and writes the table an echo-sounder map compiler reads. It
also colours depth areas by depth, processes Polish-format .mp maps and writes map-editor
skins. Migrova carries a user's template edits into a newer template.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link are found by dpkg-shlibdeps; Qt's platform plugins are loaded
# at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TAVROLIN_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_tools.cmake)
include(CPack)
