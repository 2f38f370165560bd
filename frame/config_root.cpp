// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "frame/config_root.h"

#include <cstdlib>

namespace vrex {

QString configRoot()
{
    // getenv rather than qgetenv/QProcessEnvironment: hosts (and tests) change
    // the C library's environment and expect the next load to follow it.
    const char *root = std::getenv("ZT_ROOT");
    const char *system = std::getenv("ZT_SYSTEM");
    QString result = QString::fromLocal8Bit(root ? root : "");
    result += QLatin1Char('/');
    result += QString::fromLocal8Bit(system ? system : "");
    return result;
}

} // namespace vrex
