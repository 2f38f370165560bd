# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# Compiles through ccache when it is installed and no launcher was chosen.
# ccache caches objects built with a precompiled header only when told
# that the header's macros and time stamps may be trusted.
if(NOT CMAKE_CXX_COMPILER_LAUNCHER)
    find_program(VREX_CCACHE ccache)
    if(VREX_CCACHE)
        set(CMAKE_CXX_COMPILER_LAUNCHER
            ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros ${VREX_CCACHE})
    endif()
endif()
