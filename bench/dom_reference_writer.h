// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The yardstick for the library's stylesheet writer: the same document built
// as a QDomDocument and written with QDomDocument::save.
#ifndef VREX_BENCH_DOM_REFERENCE_WRITER_H
#define VREX_BENCH_DOM_REFERENCE_WRITER_H

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QMap>
#include <QtCore/QString>

namespace vrexbench {

// Writes styles to path (replacing it): doctype "stylesheet", one "style"
// element per entry in key order with its four attributes, one "setting"
// per non-empty string, indented by two. False when path cannot be opened.
bool domWriteStylesheet(const QMap<QString, styleentry> &styles, const QString &path);

} // namespace vrexbench

#endif
