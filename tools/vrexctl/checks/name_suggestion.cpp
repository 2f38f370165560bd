// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/name_suggestion.h"

#include <algorithm>
#include <vector>

namespace vrexctl {

int editDistance(QStringView a, QStringView b, int limit)
{
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (std::abs(n - m) > limit)
        return limit + 1;
    // Optimal string alignment: three rows are enough for the swap.
    std::vector<int> before(m + 1), previous(m + 1), current(m + 1);
    for (qsizetype j = 0; j <= m; ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        current[0] = int(i);
        int rowBest = current[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int value = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, before[j - 2] + 1);
            current[j] = value;
            rowBest = std::min(rowBest, value);
        }
        if (rowBest > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

QString suggestName(const QString &name, const QStringList &candidates)
{
    for (const QString &candidate : candidates) {
        if (candidate != name && candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    const int limit = std::min<int>(2, int(name.size() / 3));
    QString best;
    int bestDistance = limit + 1;
    for (const QString &candidate : candidates) {
        if (candidate == name)
            continue;
        const int distance = editDistance(name, candidate, bestDistance - 1);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

} // namespace vrexctl
