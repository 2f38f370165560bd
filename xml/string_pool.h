// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Configuration files repeat many attribute values: thousands of instances
// name the same few hundred device types, locations and complex types, and
// every member of a complex type redirects to the same parameter names. A
// parser that turns each occurrence into a QString of its own converts and
// allocates once per occurrence and the registries keep every copy; a pool
// converts each distinct value once and hands out one shared copy.
//
// A pool serves one field of one parse (mixing a field of few values with
// one of many would make both slow); it is not a cache: nothing survives
// the load.
#ifndef VREX_XML_STRING_POOL_H
#define VREX_XML_STRING_POOL_H

#include "xml/attribute_text.h"

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QString>

namespace vrex {

class StringPool
{
public:
    // The UTF-8 value as a QString that shares its storage with every equal
    // value the pool handed out before; an empty value comes back empty,
    // not null, as attributeText gives it.
    QString intern(QByteArrayView utf8)
    {
        if (utf8.isEmpty() || m_full)
            return attributeText(utf8);
        // A key that views the parser's bytes, for the search only.
        const auto found = m_strings.constFind(QByteArray::fromRawData(utf8.data(), utf8.size()));
        if (found != m_strings.cend())
            return *found;
        QString shared = attributeText(utf8);
        m_strings.insert(utf8.toByteArray(), shared);
        // A field with this many distinct values hardly repeats them, and
        // looking each one up in a table this large costs a cache miss, more
        // than converting it: from here on, values are converted as they come.
        m_full = m_strings.size() >= kMaxEntries;
        return shared;
    }

private:
    static constexpr qsizetype kMaxEntries = 4096;
    QHash<QByteArray, QString> m_strings;
    bool m_full = false;
};

} // namespace vrex

#endif
