// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// "Did you mean ...?" for a name that is not known. In this order:
//  1. the same letters in another case, or without the blanks around them;
//  2. of the candidates that would fit where the name stands (an instance
//     that names the complex type and is no member yet, a parameter the
//     target's device type has, ...), the closest by Damerau-Levenshtein
//     distance, at most 2 edits and at most a third of the name's length;
//  3. the closest of the other candidates, leaving out those that cannot be
//     meant (a name already used where it must be unique).
// Every candidate at the best distance is suggested, in candidate order.
#ifndef VREXCTL_CHECKS_NAME_SUGGESTION_H
#define VREXCTL_CHECKS_NAME_SUGGESTION_H

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <array>
#include <functional>
#include <vector>

namespace vrexctl {

// Edits (insert, delete, substitute, swap two neighbours) from a to b; stops
// counting at limit + 1.
int editDistance(QStringView a, QStringView b, int limit);

using NamePredicate = std::function<bool(const QString &)>;

// Candidate names with what narrows them before any edit distance is
// computed: their length and how often each letter (folded into one of 16
// buckets) occurs, for a lower bound of the distance. Built once for a
// large set (the instances), asked for a few names.
class NameIndex
{
public:
    NameIndex() = default;
    // The strings must outlive the index (registry keys do).
    explicit NameIndex(const QStringList &names);
    template<typename Map>
    static NameIndex ofKeys(const Map &map)
    {
        NameIndex index;
        index.m_entries.reserve(size_t(map.size()));
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            index.addEntry(it.key());
        index.group();
        return index;
    }

    QStringList suggest(const QString &name, const NamePredicate &fits = {},
                        const NamePredicate &excluded = {}) const;

private:
    using Histogram = std::array<quint8, 16>;
    struct Entry
    {
        const QString *name;
        int order; // in the candidates given
        int length;
        int trimmedLength;
        Histogram letters;
    };
    // Entries with the same counts of letters other than digits and blanks
    // (names of one family: "cam000012", "cam000013"): a whole group is
    // ruled out by its counts alone.
    struct Group
    {
        Histogram letters; // the digit and blank buckets zero
        size_t begin;
        size_t end;
    };
    void addEntry(const QString &name);
    void group();

    QStringList m_owned; // for the QStringList constructor
    std::vector<Entry> m_entries;
    std::vector<Group> m_groups;
};

// The suggestions for name among candidates (see above).
QStringList suggestNames(const QString &name, const QStringList &candidates, const NamePredicate &fits = {},
                         const NamePredicate &excluded = {});

// The one suggestion there is, or a null string when there is none or a
// tie: for a fix, which must be certain.
QString suggestName(const QString &name, const QStringList &candidates);

// The same over the keys of any map keyed by QString.
template<typename Map>
QStringList suggestKeys(const QString &name, const Map &map, const NamePredicate &fits = {},
                        const NamePredicate &excluded = {})
{
    return NameIndex::ofKeys(map).suggest(name, fits, excluded);
}

// "did you mean 'a'?", "did you mean 'a' or 'b'?", "did you mean 'a', 'b' or 'c'?"
// with quote around each name; empty for no suggestion.
QString didYouMean(const QStringList &suggestions, QChar quote = QLatin1Char('\''));

// "ends in a blank", "begins with a blank", "begins and ends with blanks":
// what is around name; empty when nothing is.
QString blanksAround(const QString &name);

} // namespace vrexctl

#endif
