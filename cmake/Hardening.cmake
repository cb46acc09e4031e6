# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Hardening of every target, as Debian builds its own packages: position-independent
# executables, full RELRO (the GOT read-only after start-up, symbols bound at load time) and, in
# optimised builds, the checked variants of the C library's string and memory functions. Each
# only where the toolchain takes it: the MinGW-w64 cross build links PE files, which have none of
# the ELF flags, and its fortified functions would need libssp.
include(CheckPIESupported)
include(CheckLinkerFlag)

check_pie_supported(OUTPUT_VARIABLE pie_message LANGUAGES CXX)
if(CMAKE_CXX_LINK_PIE_SUPPORTED)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

check_linker_flag(CXX "LINKER:-z,relro,-z,now" TAVRIN_LINKER_HAS_BINDNOW)
if(TAVRIN_LINKER_HAS_BINDNOW)
    add_link_options("LINKER:-z,relro,-z,now")
endif()

# _FORTIFY_SOURCE needs the optimiser, and AddressSanitizer checks the same calls itself.
if(NOT WIN32 AND NOT TAVRIN_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
