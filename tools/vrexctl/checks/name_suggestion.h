// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// "Did you mean ...?" for a name that is not known: the same letters in
// another case first, then the closest name by Damerau-Levenshtein distance,
// at most 2 edits and at most a third of the name's length.
#ifndef VREXCTL_CHECKS_NAME_SUGGESTION_H
#define VREXCTL_CHECKS_NAME_SUGGESTION_H

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

// Edits (insert, delete, substitute, swap two neighbours) from a to b; stops
// counting at limit + 1.
int editDistance(QStringView a, QStringView b, int limit);

// The suggestion for name among candidates, or a null string. Of equally
// close candidates the first wins.
QString suggestName(const QString &name, const QStringList &candidates);

// The same over the keys of any map keyed by QString.
template<typename Map>
QString suggestKey(const QString &name, const Map &map)
{
    return suggestName(name, map.keys());
}

} // namespace vrexctl

#endif
