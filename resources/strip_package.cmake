# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack once the package's files are in its staging folder: strips every ELF file there of
# its symbols and of the .comment and .note sections, as Debian's dh_strip does.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND "${CPACK_TAVRIN_STRIP}" --remove-section=.comment
            --remove-section=.note "${file}" RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "strip failed on ${file}")
        endif()
    endif()
endforeach()
