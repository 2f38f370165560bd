// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#ifndef VREXCTL_RECORD_ROLES_H
#define VREXCTL_RECORD_ROLES_H

#include "xml/format_observer.h"

#include <QtCore/QStringList>

namespace vrexctl {

// What the formats call the elements of each record role, as findings and
// suggestions name them; the words come from the formats' vocabulary.

// The element's name where a format writes one tag, else a description
// ("parameter": device types take any tag).
QString roleElementName(vrex::RecordRole role);
// The attributes the format reads on such an element.
QStringList roleAttributes(vrex::RecordRole role);
// The attribute that names the registry entry the element gives, or
// nullptr for a root.
const char *roleNameAttribute(vrex::RecordRole role);

template<size_t N>
QStringList wordList(const char *const (&words)[N])
{
    QStringList list;
    for (const char *word : words)
        list.append(QLatin1String(word));
    return list;
}

} // namespace vrexctl

#endif
