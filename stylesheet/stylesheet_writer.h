// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The stylesheet file as the save path writes it: registry -> bytes.
#ifndef VREX_STYLESHEET_STYLESHEET_WRITER_H
#define VREX_STYLESHEET_STYLESHEET_WRITER_H

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QByteArray>
#include <QtCore/QMap>
#include <QtCore/QStringView>

namespace vrex {

// False when text holds a character that XML 1.0 cannot carry in any form
// (controls other than tab, line feed and carriage return, U+FFFE, U+FFFF,
// unpaired surrogates). Such text would make the written file unreadable.
bool isXmlText(QStringView text);

// The first entry whose name, suitablefor, description or a setting is not
// XML text; registry.cend() when the whole registry can be written.
QMap<QString, styleentry>::const_iterator findUnwritableStyle(const QMap<QString, styleentry> &registry);

// 1 "state", 2 "style", 3 "setting", anything else empty.
QString styleTypeWord(int type);

// The whole document in UTF-8: "<!DOCTYPE stylesheet>", root "stylesheet",
// one "style" per entry in key order with suitablefor, description, name and
// type, one "setting" per non-empty string. Two spaces per level, one
// element per line. Empty when the writer failed, which text that passes
// findUnwritableStyle() cannot make it do.
QByteArray writeStylesheet(const QMap<QString, styleentry> &registry);

} // namespace vrex

#endif
