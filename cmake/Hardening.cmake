# The distribution's hardening flags, as Debian builds its own packages: stack protector,
# fortified C library calls, read-only relocations bound at start-up, position-independent
# executables. -g and -O levels are left out: the build type chooses the optimisation, and the
# package is stripped.
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run from the source folder: the reproducible-build path map is taken from it.
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.?)$")
    set(hardening_${kind} ${flags})
endforeach()
add_compile_options(${hardening_CPPFLAGS} ${hardening_CXXFLAGS})
add_link_options(${hardening_LDFLAGS})
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
list(JOIN hardening_CPPFLAGS " " shown_cpp)
list(JOIN hardening_CXXFLAGS " " shown_cxx)
list(JOIN hardening_LDFLAGS " " shown_ld)
message(STATUS "Hardening flags: ${shown_cpp} ${shown_cxx} ${shown_ld}")
