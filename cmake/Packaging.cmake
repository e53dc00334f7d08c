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
plain-text report. kavrel-table writes section tables of the catalogue or of
sizes of the user's own, with the plastic moduli, selected and sorted, as
CSV, JSON or text, for the window's sizes and for the European hot-finished
(EN 10210-2) and cold-formed (EN 10219-2) sizes, and explains every number in
a calculation sheet. Kavrel Sections shows the same tables in a window,
filtered, sorted, drawn to scale, copied, exported and printed.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Stripped as Debian strips its own packages: the compiler's version string goes as well.
install(CODE "
    foreach(program kavrel kavrel-table kavrel-sections)
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
        if(EXISTS \${file})
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \${file}
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endforeach()")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel
    RENAME copyright)

# The package's changelog is CHANGELOG, in Debian's format, compressed like the manual pages so
# that its bytes depend on the file alone. Its newest entry must be this version.
set(changelog ${PROJECT_SOURCE_DIR}/CHANGELOG)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^kavrel \\(([^)]*)\\) " OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG's newest entry must be \"kavrel (${PROJECT_VERSION}) ...\"")
endif()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND ${GZIP} -9n -c ${changelog} > ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS ${changelog}
    VERBATIM)
add_custom_target(kavrel_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kavrel)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the programs link (Qt 6 Widgets, Gui, Core, the C++
# runtime; libqt6gui6 holds the X11 platform plugin). The font the window asks for is loaded at
# run time; the Wayland platform plugin lets it run without XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)

# Only the build that is packaged is checked as a package: the others build no programs
# (asan builds only its test programs) or other flags than the ones that ship.
if(BUILD_TESTING AND KAVREL_PACKAGED_BUILD AND NOT KAVREL_CORE_ONLY)
    find_program(DPKG dpkg REQUIRED)
    find_program(FILE_COMMAND file REQUIRED)
    add_test(NAME package_unpacks_and_runs
        COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DCPACK=${CMAKE_CPACK_COMMAND}
            -DDPKG=${DPKG} -DFILE_COMMAND=${FILE_COMMAND} -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_package.cmake)

    find_program(LINTIAN lintian REQUIRED)
    execute_process(COMMAND ${DPKG} --print-architecture OUTPUT_VARIABLE architecture
        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set_tests_properties(package_unpacks_and_runs PROPERTIES FIXTURES_SETUP kavrel_deb)
    add_test(NAME package_passes_lintian
        COMMAND ${LINTIAN} --fail-on error,warning --display-info
            ${PROJECT_BINARY_DIR}/package_check/out/kavrel_${PROJECT_VERSION}_${architecture}.deb)
    set_tests_properties(package_passes_lintian PROPERTIES FIXTURES_REQUIRED kavrel_deb)
endif()
