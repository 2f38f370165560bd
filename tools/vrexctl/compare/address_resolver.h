// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What a host's parameter lookup answers for each instance and parameter
// of one installation, walked with the library's one lookup step as its
// lookup walks it. Where chains meet, the shared part is walked once: the
// end of the chain from each redirection target is remembered, so
// answering every parameter of a site costs one step per pair.
#ifndef VREXCTL_COMPARE_ADDRESS_RESOLVER_H
#define VREXCTL_COMPARE_ADDRESS_RESOLVER_H

#include "instance_lookup/catalogue.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QString>

namespace vrexctl {

// Where a chain that does not resolve stopped: the step that found nothing
// to go on with, or, for a cycle, a pair on it. The views point into the
// catalogue or the caller's arguments.
struct ChainBreak
{
    enum Kind { None, NoInstance, NoDeviceType, NoParameter, NoComplexType, NoMember, NoRedirection, Cycle };
    Kind kind = None;
    QStringView instance;
    QStringView parameter;
    const instanceInfo *info = nullptr; // the instance there, when there is one
};

// lookup(name, param, alt_id, &device, &offset, &slot, &drivertype): its
// result and, when it succeeds, what it wrote.
struct ResolvedAddress
{
    bool resolves = false;
    ChainBreak stopped; // when it does not resolve
    bool hasSlot = true; // an empty parameter name leaves slot and driver type unwritten
    int device = 0;
    int offset = 0;
    int slot = 0;
    int drivertype = 0; // the byte the lookup hands out, read as 0 to 255
    QString altId;      // the first instance's

    // The same answer to a host: both fail, or both give the same values.
    friend bool operator==(const ResolvedAddress &a, const ResolvedAddress &b)
    {
        if (a.resolves != b.resolves)
            return false;
        return !a.resolves
                || (a.hasSlot == b.hasSlot && a.device == b.device && a.offset == b.offset && a.slot == b.slot
                    && a.drivertype == b.drivertype && a.altId == b.altId);
    }
    friend bool operator!=(const ResolvedAddress &a, const ResolvedAddress &b) { return !(a == b); }
};

// Why an answer from instance.parameter does not resolve, in lookup's
// words: "no instance" when instance itself is missing, else what stopped
// the chain and, past the first hop, where.
QString failureText(const ResolvedAddress &answer, const QString &instance, const QString &parameter);

class AddressResolver
{
public:
    // The catalogue's registries must not change while this is used.
    explicit AddressResolver(const vrex::Catalogue &catalogue) : m_catalogue(catalogue) { }

    ResolvedAddress resolve(const QString &instance, const QString &parameter);

private:
    // Where the chain from a redirection target ends: what the lookup has
    // written by then (the alternative id aside).
    struct End
    {
        bool resolves = false;
        ChainBreak stopped;
        bool hasSlot = true;
        int device = 0;
        int offset = 0;
        int slot = 0;
        int drivertype = 0;
    };
    struct Pair
    {
        QStringView instance; // into the complex types' redirections
        QStringView parameter;
        friend bool operator==(const Pair &a, const Pair &b)
        {
            return a.instance == b.instance && a.parameter == b.parameter;
        }
        friend size_t qHash(const Pair &pair, size_t seed = 0)
        {
            return qHashMulti(seed, pair.instance, pair.parameter);
        }
    };

    vrex::Catalogue m_catalogue;
    QHash<Pair, qsizetype> m_endOf; // redirection target -> m_ends
    QList<End> m_ends;
};

} // namespace vrexctl

#endif
