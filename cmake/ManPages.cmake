# Manual pages: each page is compressed at build time with gzip -9n (no name, no time stamp,
# so the package is the same bytes on every build) and installed under share/man/man1.
find_program(GZIP gzip REQUIRED)
add_custom_target(kavrel_man_pages ALL)

function(kavrel_man_page source)
    get_filename_component(name ${source} NAME)
    set(compressed ${PROJECT_BINARY_DIR}/man/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${GZIP} -9n -c ${source} > ${compressed}
        DEPENDS ${source}
        VERBATIM)
    add_custom_target(kavrel_man_${name} DEPENDS ${compressed})
    add_dependencies(kavrel_man_pages kavrel_man_${name})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
