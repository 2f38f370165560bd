// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Three-way merge of style registries, keyed by style name: what a save
// writes when the stylesheet changed on disk since this process read it.
#ifndef VREX_STYLESHEET_STYLE_MERGE_H
#define VREX_STYLESHEET_STYLE_MERGE_H

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QMap>
#include <QtCore/QStringList>

namespace vrex {

// Equal in every field.
bool sameStyle(const styleentry &a, const styleentry &b);

// What the file gives back of an entry: no empty settings, no type without
// a word.
styleentry styleAsWritten(styleentry entry);

struct StyleMerge
{
    QMap<QString, styleentry> styles; // what to write
    QStringList conflicts;            // changed on both sides, differently: ours taken
};

// loaded: the file as this process last read it; ours: this process's
// registry; theirs: the file now. A style ours did not change (as the file
// would keep it) is taken as theirs has it, removal included; one ours
// changed, added or removed is taken as ours has it. Linear in the three
// sizes. When theirs equals loaded, the result writes exactly as ours does.
StyleMerge mergeStyleChanges(const QMap<QString, styleentry> &loaded, const QMap<QString, styleentry> &ours,
                             const QMap<QString, styleentry> &theirs);

} // namespace vrex

#endif
