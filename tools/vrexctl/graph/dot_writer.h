// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An installation graph in Graphviz's DOT language: instances as boxes
// labelled with type and device/offset, redirections as edges labelled with
// their parameters, composites as clusters around their members. Cycles,
// unresolved targets and instances whose chains break are drawn in red.
#ifndef VREXCTL_GRAPH_DOT_WRITER_H
#define VREXCTL_GRAPH_DOT_WRITER_H

#include <QtCore/QByteArray>

namespace vrexctl {

struct InstallationGraph;

QByteArray toDot(const InstallationGraph &graph);

} // namespace vrexctl

#endif
