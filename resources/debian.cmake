# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What Debian wants beside the program in the .deb: the copyright file in its machine-readable
# format, the changelog and the manual page, both compressed as dpkg's own tools do (gzip -9n:
# no name, no time stamp, so every build makes the same bytes). Included by CMakeLists.txt here.
find_program(TAVRIN_GZIP gzip REQUIRED)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tavrin)

# The release's date in the changelog's RFC 5322 form; the day of the week by Sakamoto's method.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" date_parts "${TAVRIN_RELEASE_DATE}")
math(EXPR year "${CMAKE_MATCH_1}")
math(EXPR month "${CMAKE_MATCH_2}")
math(EXPR day "${CMAKE_MATCH_3}")
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR month_index "${month} - 1")
list(GET month_offsets ${month_index} offset)
set(y ${year})
if(month LESS 3)
    math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
set(weekdays Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET weekdays ${weekday} weekday_name)
list(GET months ${month_index} month_name)
set(TAVRIN_CHANGELOG_DATE
    "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${year} 00:00:00 +0000")

configure_file(changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
configure_file(tavrin.1.in ${CMAKE_CURRENT_BINARY_DIR}/tavrin.1 @ONLY)
set(compressed)
foreach(file changelog tavrin.1)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
        COMMAND ${TAVRIN_GZIP} -9n -c ${CMAKE_CURRENT_BINARY_DIR}/${file}
            > ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file}
        COMMENT "Compressing ${file}" VERBATIM)
    list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(tavrin_debian_docs ALL DEPENDS ${compressed})

# On a Wayland desktop, GNOME's and KDE's default session, Qt draws through its Wayland plugin,
# natively (and with Debian 13's Qt 6.8 sharp at fractional scales); without the plugin the window
# goes through XWayland, whose picture the compositor scales.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tavrin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The one lintian override, where this release's AppStream warns that the metainfo has no home
# page (1.0 does, 0.16 does not); elsewhere lintian would call it unused.
find_program(TAVRIN_APPSTREAMCLI appstreamcli)
if(TAVRIN_APPSTREAMCLI)
    execute_process(COMMAND ${TAVRIN_APPSTREAMCLI} validate --no-net
            ${CMAKE_CURRENT_BINARY_DIR}/${TAVRIN_APP_ID}.metainfo.xml
        OUTPUT_VARIABLE appstream_report ERROR_QUIET)
    if(appstream_report MATCHES "W: [^\n]*url-homepage-missing")
        install(FILES lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME tavrin)
    endif()
endif()
