// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/name_suggestion.h"

#include <QtCore/QVarLengthArray>

#include <algorithm>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vrexctl {

namespace {

// Case is folded: a case change costs an edit but moves no letter count,
// so the bound stays a bound.
// Digits keep buckets of their own (names are often numbered), and so do
// blanks, which the first tier looks past.
constexpr int kBlankBucket = 15;
int bucketOf(QChar c)
{
    char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (c.isSpace())
        return kBlankBucket;
    if (u >= 'A' && u <= 'Z')
        u += 'a' - 'A';
    if (u >= 'a' && u <= 'z')
        return 10 + (u - 'a') % 5;
    return 10 + int((u * 0x9E37u) >> 13) % 5;
}

// Sum of the differences of the bucket counts: each edit changes it by at
// most 2, so it is at most twice the edit distance.
int countDistance(const std::array<quint8, 16> &a, const std::array<quint8, 16> &b)
{
#if defined(__SSE2__)
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a.data()));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b.data()));
    const __m128i sums = _mm_sad_epu8(x, y);
    return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
#else
    int sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(int(a[i]) - int(b[i]));
    return sum;
#endif
}

std::array<quint8, 16> histogramOf(QStringView name)
{
    std::array<quint8, 16> counts{};
    for (QChar c : name) {
        quint8 &count = counts[size_t(bucketOf(c))];
        if (count < 255)
            ++count;
    }
    return counts;
}

} // namespace

int editDistance(QStringView a, QStringView b, int limit)
{
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (std::abs(n - m) > limit)
        return limit + 1;
    // Optimal string alignment: three rows are enough for the swap; cells
    // more than limit off the diagonal cannot lead to a distance within it.
    QVarLengthArray<int, 64> rows(3 * (m + 1));
    int *before = rows.data();
    int *previous = before + m + 1;
    int *current = previous + m + 1;
    const int far = limit + 1;
    for (qsizetype j = 0; j <= m; ++j)
        previous[j] = j <= limit ? int(j) : far;
    for (qsizetype i = 1; i <= n; ++i) {
        const qsizetype from = std::max<qsizetype>(1, i - limit);
        const qsizetype to = std::min<qsizetype>(m, i + limit);
        current[0] = i <= limit ? int(i) : far;
        if (from > 1)
            current[from - 1] = far;
        int rowBest = current[0];
        for (qsizetype j = from; j <= to; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int value = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, before[j - 2] + 1);
            current[j] = std::min(value, far);
            rowBest = std::min(rowBest, current[j]);
        }
        if (to < m)
            current[to + 1] = far;
        if (rowBest > limit)
            return far;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

NameIndex::NameIndex(const QStringList &names) : m_owned(names)
{
    m_entries.reserve(size_t(m_owned.size()));
    for (const QString &name : std::as_const(m_owned))
        addEntry(name);
    group();
}

void NameIndex::addEntry(const QString &name)
{
    m_entries.push_back({&name, int(m_entries.size()), int(name.size()), int(QStringView(name).trimmed().size()),
                         histogramOf(name)});
}

void NameIndex::group()
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) {
        return std::lexicographical_compare(a.letters.begin() + 10, a.letters.begin() + kBlankBucket,
                                            b.letters.begin() + 10, b.letters.begin() + kBlankBucket);
    });
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Histogram letters = m_entries[i].letters;
        std::fill(letters.begin(), letters.begin() + 10, 0);
        letters[kBlankBucket] = 0;
        if (m_groups.empty() || m_groups.back().letters != letters)
            m_groups.push_back({letters, i, i});
        m_groups.back().end = i + 1;
    }
}

QStringList NameIndex::suggest(const QString &name, const NamePredicate &fits, const NamePredicate &excluded) const
{
    const QStringView trimmed = QStringView(name).trimmed();
    const int length = int(name.size());
    const int limit = std::min(2, length / 3);
    const Histogram letters = histogramOf(name);

    Histogram others = letters;
    std::fill(others.begin(), others.begin() + 10, 0);
    others[kBlankBucket] = 0;

    // Tier 0: the same name but for case or blanks; 1: fits; 2: the rest.
    std::vector<const Entry *> best;
    int bestTier = 3;
    int bestDistance = limit + 1;
    for (const Group &group : m_groups) {
        const int apart = countDistance(group.letters, others);
        if (apart != 0 && apart > 2 * limit)
            continue;
        for (size_t i = group.begin; i < group.end; ++i) {
        const Entry &entry = m_entries[i];
        // The letter counts first: they rule out nearly every candidate.
        // The same letters but for blanks differ by the blanks alone.
        const int counts = countDistance(entry.letters, letters);
        const bool close = counts <= 2 * limit && std::abs(entry.length - length) <= limit && limit > 0;
        const bool same = counts == std::abs(entry.letters[kBlankBucket] - letters[kBlankBucket])
                && entry.trimmedLength == trimmed.size();
        if (!close && !same)
            continue;
        const QString &candidate = *entry.name;
        if (candidate == name)
            continue;
        int tier = 3;
        int distance = 0;
        if (same && QStringView(candidate).trimmed().compare(trimmed, Qt::CaseInsensitive) == 0) {
            tier = 0;
        } else if (close) {
            distance = editDistance(name, candidate, limit);
            if (distance <= limit)
                tier = fits && fits(candidate) ? 1 : 2;
        }
        if (tier == 3 || tier > bestTier || (tier == bestTier && distance > bestDistance))
            continue;
        if (excluded && excluded(candidate))
            continue;
        if (tier < bestTier || distance < bestDistance)
            best.clear();
        bestTier = tier;
        bestDistance = distance;
        best.push_back(&entry);
        }
    }
    std::sort(best.begin(), best.end(), [](const Entry *a, const Entry *b) { return a->order < b->order; });
    QStringList names;
    for (const Entry *entry : best)
        names.append(*entry->name);
    return names;
}

QStringList suggestNames(const QString &name, const QStringList &candidates, const NamePredicate &fits,
                         const NamePredicate &excluded)
{
    return NameIndex(candidates).suggest(name, fits, excluded);
}

QString suggestName(const QString &name, const QStringList &candidates)
{
    const QStringList suggestions = suggestNames(name, candidates);
    return suggestions.size() == 1 ? suggestions.constFirst() : QString();
}

QString didYouMean(const QStringList &suggestions, QChar quote)
{
    if (suggestions.isEmpty())
        return QString();
    QStringList quoted;
    for (const QString &suggestion : suggestions) {
        // A blank at either end is easily missed between quotes.
        const QString blanks = blanksAround(suggestion);
        quoted.append(quote + suggestion + quote
                      + (blanks.isEmpty() ? QString() : QStringLiteral(" (which ") + blanks + QLatin1Char(')')));
    }
    const QString last = quoted.takeLast();
    return QStringLiteral("did you mean ")
            + (quoted.isEmpty() ? last : quoted.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last)
            + QLatin1Char('?');
}

QString blanksAround(const QString &name)
{
    const bool front = !name.isEmpty() && name.front().isSpace();
    const bool back = !name.isEmpty() && name.back().isSpace();
    if (front && back)
        return name.trimmed().isEmpty() ? QStringLiteral("is only blanks")
                                        : QStringLiteral("begins and ends with blanks");
    if (front)
        return QStringLiteral("begins with a blank");
    if (back)
        return QStringLiteral("ends in a blank");
    return QString();
}

} // namespace vrexctl
