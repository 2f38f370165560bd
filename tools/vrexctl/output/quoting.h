// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#ifndef VREXCTL_QUOTING_H
#define VREXCTL_QUOTING_H

#include <QtCore/QString>
#include <QtCore/QStringView>

namespace vrexctl {

inline QString quotedWith(QChar quote, QStringView text)
{
    QString result;
    result.reserve(text.size() + 2);
    return result.append(quote).append(text).append(quote);
}

// Findings quote names in single quotes, as compilers do in diagnostics.
inline QString quoted(QStringView text)
{
    return quotedWith(QLatin1Char('\''), text);
}

// Answers (lookup, diff, graph labels) quote in double quotes, the way the
// files write attribute values.
inline QString doubleQuoted(QStringView text)
{
    return quotedWith(QLatin1Char('"'), text);
}

} // namespace vrexctl

#endif
