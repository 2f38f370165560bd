// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Readable QString values in GoogleTest failure messages, and the small
// helpers the parser tables share.
#ifndef VREX_TESTS_QT_PRINTERS_H
#define VREX_TESTS_QT_PRINTERS_H

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <ostream>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *os)
{
    // Long texts (a 100 MB attribute) would drown the report.
    constexpr qsizetype kShown = 200;
    *os << '"' << text.left(kShown).toStdString() << (text.size() > kShown ? "\"..." : "\"");
}

inline QStringList strings(const std::vector<const char *> &texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
}

// A null string shows as "~".
inline QString show(const QString &text)
{
    return text.isNull() ? QStringLiteral("~") : text;
}

#endif
