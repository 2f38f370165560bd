// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Heavy hostile rows run in a child process under hard limits, so that a
// regression shows as one failed test instead of a hung or exhausted host.
// The child is a re-execution of the test binary (GoogleTest's threadsafe
// death-test style), which starts with fresh Qt state.
#ifndef VREX_TESTS_HOSTILE_BOUNDED_CHILD_H
#define VREX_TESTS_HOSTILE_BOUNDED_CHILD_H

#include <QtCore/QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace vrextest {

struct Bounds
{
    int addressSpaceMB = 0;   // on top of what the child uses when the limit is set
    unsigned watchdogSeconds = 300;
};

// From here on this process may grow by at most bounds.addressSpaceMB and
// is killed by SIGALRM after the watchdog. Sanitizer builds reserve huge
// shadow mappings, so there only the watchdog applies.
void limitThisProcess(const Bounds &bounds);

// True in an AddressSanitizer build, which reserves terabytes of address
// space and cannot run under valgrind.
bool isSanitizerBuild();

// Address space this process has used at most, in MB, from /proc.
qint64 peakAddressSpaceMB();

// Runs check, a statement of EXPECT_*s, in a child process that exits 0
// when none of them failed.
#define VREX_EXPECT_IN_CHILD(check)                                                      \
    do {                                                                                 \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                  \
        EXPECT_EXIT({ check; std::fflush(stdout); _exit(::testing::Test::HasFailure()); }, \
                    ::testing::ExitedWithCode(0), "");                                   \
    } while (false)

} // namespace vrextest

#endif
