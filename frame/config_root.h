// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The configuration root and the paths built on it.
#ifndef VREX_FRAME_CONFIG_ROOT_H
#define VREX_FRAME_CONFIG_ROOT_H

#include <QtCore/QString>

namespace vrex {

// ZT_ROOT + '/' + ZT_SYSTEM, read from the environment at every call so a
// host that changes the variables and reloads sees the new root. Unset
// variables contribute nothing, so both unset gives "/".
QString configRoot();

} // namespace vrex

#endif
