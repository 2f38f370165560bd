// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/style_merge.h"

#include "stylesheet/stylesheet_writer.h"

#include <optional>
#include <utility>

namespace vrex {

namespace {

using Registry = QMap<QString, styleentry>;

bool same(const styleentry *a, const styleentry *b)
{
    return a == b || (a && b && sameStyle(*a, *b));
}

// Steps the iterator past key when it is there; the entry under key or null.
const styleentry *take(Registry::const_iterator &it, const Registry &registry, const QString &key)
{
    if (it == registry.cend() || it.key() != key)
        return nullptr;
    return &*it++;
}

} // namespace

bool sameStyle(const styleentry &a, const styleentry &b)
{
    return a.settings == b.settings && a.suitablefor == b.suitablefor && a.description == b.description
            && a.type == b.type;
}

styleentry styleAsWritten(styleentry entry)
{
    entry.settings.removeAll(QString());
    if (styleTypeWord(entry.type).isEmpty())
        entry.type = styleentry().type;
    return entry;
}

StyleMerge mergeStyleChanges(const Registry &loaded, const Registry &ours, const Registry &theirs)
{
    StyleMerge merge;
    auto l = loaded.cbegin(), o = ours.cbegin(), t = theirs.cbegin();
    for (;;) {
        // The smallest key still ahead in any of the three.
        const QString *key = nullptr;
        for (const auto &[it, end] : {std::pair(l, loaded.cend()), std::pair(o, ours.cend()), std::pair(t, theirs.cend())}) {
            if (it != end && (!key || it.key() < *key))
                key = &it.key();
        }
        if (!key)
            break;
        const QString name = *key;
        const styleentry *before = take(l, loaded, name);
        const styleentry *mine = take(o, ours, name);
        const styleentry *other = take(t, theirs, name);
        // An edit the file would not keep (an empty setting, a type without
        // a word) is no change.
        std::optional<styleentry> mineWritten;
        if (mine)
            mineWritten = styleAsWritten(*mine);
        const styleentry *mineAsWritten = mine ? &*mineWritten : nullptr;
        const bool changedHere = !same(before, mineAsWritten);
        const bool changedThere = !same(before, other);
        if (changedHere && changedThere && !same(mineAsWritten, other))
            merge.conflicts << name;
        if (const styleentry *kept = changedHere ? mine : other)
            merge.styles.insert(merge.styles.cend(), name, *kept);
    }
    return merge;
}

} // namespace vrex
