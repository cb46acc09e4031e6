# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# tavrin_add_test(name source... LIBS lib... [LABELS label...])
# A QtTest program run by CTest on the offscreen platform, so no display is needed. In the Windows
# build its emulator (tools/wine-test.sh) runs it under Wine, several times slower.
if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(TAVRIN_TEST_TIMEOUT 900)
else()
    set(TAVRIN_TEST_TIMEOUT 120)
endif()

function(tavrin_add_test name)
    cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_ASSUME_STDERR_HAS_CONSOLE=1"
        TIMEOUT ${TAVRIN_TEST_TIMEOUT}
        LABELS "${ARG_LABELS}")
endfunction()
