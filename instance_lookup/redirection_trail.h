// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The (instance, parameter) pairs a redirection chain has passed through.
// The registries do not change during a lookup, so coming back to a pair
// means the chain would go round for ever.
#ifndef VREX_INSTANCE_LOOKUP_REDIRECTION_TRAIL_H
#define VREX_INSTANCE_LOOKUP_REDIRECTION_TRAIL_H

#include <QtCore/QHashFunctions>
#include <QtCore/QSet>
#include <QtCore/QStringView>

namespace vrex {

class RedirectionTrail
{
public:
    bool isEmpty() const { return m_recentCount == 0; }

    // Records the pair; false when it was recorded before. The views must
    // outlive the trail (they point into the registries and the caller's
    // arguments).
    bool insert(QStringView instance, QStringView param)
    {
        const Step step{instance, param};
        for (int i = 0; i < m_recentCount; ++i) {
            if (m_recent[i] == step)
                return false;
        }
        // Chains in real installations are a few hops long: those never
        // touch the heap.
        if (m_recentCount < RecentCapacity) {
            m_recent[m_recentCount++] = step;
            return true;
        }
        const qsizetype before = m_older.size();
        m_older.insert(step);
        return m_older.size() != before;
    }

private:
    struct Step
    {
        QStringView instance;
        QStringView param;

        // Null and empty compare equal, as they do as registry keys.
        friend bool operator==(const Step &a, const Step &b)
        {
            return a.instance == b.instance && a.param == b.param;
        }
        friend size_t qHash(const Step &step, size_t seed = 0)
        {
            return qHashMulti(seed, step.instance, step.param);
        }
    };

    static constexpr int RecentCapacity = 4;
    Step m_recent[RecentCapacity];
    int m_recentCount = 0;
    QSet<Step> m_older;
};

} // namespace vrex

#endif
