// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Drawing DOT with Graphviz's dot program, when it is installed.
#ifndef VREXCTL_GRAPH_GRAPHVIZ_H
#define VREXCTL_GRAPH_GRAPHVIZ_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrexctl {

struct Drawing
{
    QByteArray bytes; // the picture
    QString error;    // why there is none; empty when there is
};

// format is one dot takes with -T (svg, png).
Drawing drawWithGraphviz(const QByteArray &dot, const QString &format);

} // namespace vrexctl

#endif
