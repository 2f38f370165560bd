// Configuration files repeat many attribute values: thousands of instances
// name the same few hundred device types, locations and complex types, and
// every member of a complex type redirects to the same parameter names. A
// parser that turns each occurrence into a QString of its own allocates one
// copy per occurrence and the registries keep them all; a pool hands out one
// shared copy per distinct value instead.
//
// A pool serves one field of one parse (mixing a field of few values with
// one of many would make both slow); it is not a cache: nothing survives
// the load.
#ifndef VREX_FRAME_STRING_POOL_H
#define VREX_FRAME_STRING_POOL_H

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringView>

namespace vrex {

class StringPool
{
public:
    // value as a QString that shares its storage with every equal value the
    // pool handed out before. Null and empty values come back exactly as
    // toString() makes them, so a missing attribute stays a null string.
    QString intern(QStringView value)
    {
        if (value.isEmpty() || m_full)
            return value.toString();
        const auto found = m_strings.constFind(value);
        if (found != m_strings.cend())
            return *found;
        QString shared = value.toString();
        m_strings.insert(QStringView(shared), shared); // the key views the value's storage
        // A field with this many distinct values hardly repeats them, and
        // looking each one up in a table this large costs a cache miss, more
        // than copying it: from here on, values are copied as they come.
        m_full = m_strings.size() >= kMaxEntries;
        return shared;
    }

private:
    static constexpr qsizetype kMaxEntries = 4096;
    QHash<QStringView, QString> m_strings;
    bool m_full = false;
};

} // namespace vrex

#endif
