# Packs the release build as it stands into a scratch folder, unpacks the .deb into a scratch
# root as dpkg would install it, and checks what an installed Kavrel needs: the dependencies,
# the desktop files, the icons at the sizes their folders name, the manual and changelog, a
# kavrel that answers --help and --version without a desktop, and a kavrel-table that runs.
set(scratch ${BUILD}/package_check)
file(REMOVE_RECURSE ${scratch})

execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${scratch}/out
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB debs ${scratch}/out/kavrel_${VERSION}_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one kavrel_${VERSION}_<arch>.deb, found: ${debs}")
endif()

execute_process(COMMAND ${DPKG} -f ${debs} Depends Recommends Section OUTPUT_VARIABLE fields)
foreach(relation "Depends:.*libqt6widgets6" "Depends:.*libqt6gui6" "Depends:.*libqt6core6"
        "Depends:.*fonts-liberation2" "Depends:.*libqt6printsupport6" "Recommends: qt6-wayland\n")
    if(NOT fields MATCHES "${relation}")
        message(FATAL_ERROR "the package lacks ${relation}:\n${fields}")
    endif()
endforeach()
if(fields MATCHES "qt6-qpa-plugins")
    message(FATAL_ERROR "the package still depends on qt6-qpa-plugins:\n${fields}")
endif()
if(NOT fields MATCHES "Section: science")
    message(FATAL_ERROR "the package is not in section science:\n${fields}")
endif()

execute_process(COMMAND ${DPKG} -x ${debs} ${scratch}/root RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg -x failed")
endif()
set(root ${scratch}/root/usr)
foreach(installed bin/kavrel share/applications/org.kavrel.Kavrel.desktop
        share/metainfo/org.kavrel.Kavrel.metainfo.xml share/man/man1/kavrel.1.gz
        share/man/man1/kavrel-table.1.gz bin/kavrel-sections
        share/applications/org.kavrel.Kavrel.Sections.desktop
        share/metainfo/org.kavrel.Kavrel.Sections.metainfo.xml
        share/man/man1/kavrel-sections.1.gz
        share/doc/kavrel/changelog.gz)
    if(NOT EXISTS ${root}/${installed})
        message(FATAL_ERROR "the package lacks /usr/${installed}")
    endif()
endforeach()
set(icons ${root}/share/icons/hicolor)
foreach(app_id org.kavrel.Kavrel org.kavrel.Kavrel.Sections)
    foreach(icon 32x32 48x48 128x128 256x256 scalable)
        if(icon STREQUAL "scalable")
            set(file ${icons}/scalable/apps/${app_id}.svg)
            set(expected "^SVG Scalable Vector Graphics image")
        else()
            set(file ${icons}/${icon}/apps/${app_id}.png)
            string(REPLACE "x" " x " expected "^PNG image data, ${icon},")
        endif()
        execute_process(COMMAND ${FILE_COMMAND} -b ${file} OUTPUT_VARIABLE kind)
        if(NOT kind MATCHES "${expected}")
            message(FATAL_ERROR "${file} is not what ${expected} says: ${kind}")
        endif()
    endforeach()
endforeach()

foreach(program kavrel kavrel-sections)
    set(expected_version "^${program} ${VERSION}\n$")
    set(expected_help "^Usage: ${program} ")
    foreach(option version help)
        execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                ${root}/bin/${program} --${option}
            RESULT_VARIABLE result OUTPUT_VARIABLE answer ERROR_VARIABLE errors)
        if(NOT result EQUAL 0 OR NOT errors STREQUAL ""
                OR NOT answer MATCHES "${expected_${option}}")
            message(FATAL_ERROR "${program} --${option} without a desktop gave ${result}, "
                "\"${answer}\", \"${errors}\"")
        endif()
    endforeach()
endforeach()

execute_process(COMMAND ${root}/bin/kavrel-table
    RESULT_VARIABLE result OUTPUT_VARIABLE table ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed kavrel-table failed (${result}): ${errors}")
endif()
string(REGEX MATCHALL "[^\n]*\n" lines "${table}")
list(LENGTH lines count)
if(NOT count EQUAL 192 OR NOT table MATCHES "^family,designation,depth,width,thickness,A,W,")
    message(FATAL_ERROR "the installed kavrel-table wrote ${count} lines, not a header and 191")
endif()
file(SIZE ${debs} bytes)
message(STATUS "${debs}: ${bytes} bytes, kavrel-table wrote ${count} lines")
