# The Debian package: `make package` runs cpack in the release build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavrel)
set(CPACK_PACKAGE_VENDOR "The Kavrel developers")
set(CPACK_PACKAGE_CONTACT "The Kavrel developers <kavrel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Section properties of steel hollow sections")
set(CPACK_PACKAGE_DESCRIPTION "\
A desktop calculator for engineers who design steelwork. For 191 standard
rectangular, square and circular hollow sections it computes the sectional
area, unit weight, second moments of area, elastic moduli, radii of gyration,
torsional constants and outer surface area per metre, and appends them to a
plain-text report. kavrel-table writes the whole catalogue as CSV.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel
    RENAME copyright)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the programs link (Qt 6 Widgets, Gui, Core, the C++
# runtime); Qt's platform plugins and the font the window asks for are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")

include(CPack)

if(BUILD_TESTING AND NOT KAVREL_CORE_ONLY)
    find_program(DPKG dpkg REQUIRED)
    find_program(FILE_COMMAND file REQUIRED)
    add_test(NAME package_unpacks_and_runs
        COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DCPACK=${CMAKE_CPACK_COMMAND}
            -DDPKG=${DPKG} -DFILE_COMMAND=${FILE_COMMAND} -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_package.cmake)
endif()
