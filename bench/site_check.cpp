// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "site_check.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

namespace vrexbench {

namespace {

constexpr int kMaxReported = 5;

bool sameInstance(const instanceInfo &a, const instanceInfo &b)
{
    return a.device == b.device && a.offset == b.offset && a.composite == b.composite
            && a.type == b.type && a.complex == b.complex && a.alt_id == b.alt_id
            && a.location == b.location && a.groups == b.groups;
}

bool sameDeviceType(const deviceTypeInfo &a, const deviceTypeInfo &b)
{
    if (a.drivertype != b.drivertype || a.slotspacing != b.slotspacing
        || a.params.size() != b.params.size())
        return false;
    for (auto it = a.params.cbegin(), jt = b.params.cbegin(); it != a.params.cend(); ++it, ++jt) {
        if (it.key() != jt.key() || it->slot != jt->slot)
            return false;
    }
    return true;
}

bool sameComplexType(const complexType &a, const complexType &b)
{
    if (a.members.size() != b.members.size())
        return false;
    for (auto m = a.members.cbegin(), n = b.members.cbegin(); m != a.members.cend(); ++m, ++n) {
        if (m.key() != n.key() || m->params.size() != n->params.size())
            return false;
        for (auto p = m->params.cbegin(), q = n->params.cbegin(); p != m->params.cend(); ++p, ++q) {
            if (p.key() != q.key() || p->device != q->device || p->param != q->param)
                return false;
        }
    }
    return true;
}

template<typename T, typename Same>
void compareMaps(const QString &what, const QMap<QString, T> &library,
                 const QMap<QString, T> &reference, Same same, QStringList &problems)
{
    if (library.size() != reference.size())
        problems.append(QStringLiteral("%1: library has %2 entries, reference %3")
                                .arg(what).arg(library.size()).arg(reference.size()));
    int reported = 0;
    for (auto it = reference.cbegin(); it != reference.cend() && reported < kMaxReported; ++it) {
        const auto found = library.constFind(it.key());
        if (found == library.cend()) {
            problems.append(QStringLiteral("%1: %2 missing in the library").arg(what, it.key()));
            ++reported;
        } else if (!same(*found, *it)) {
            problems.append(QStringLiteral("%1: %2 differs").arg(what, it.key()));
            ++reported;
        }
    }
}

} // namespace

QStringList compareWithLibrary(const DomRegistries &reference)
{
    QStringList problems;
    compareMaps(QStringLiteral("instances"), vrex_instance_lookup::instances,
                reference.instances, sameInstance, problems);
    compareMaps(QStringLiteral("deviceTypes"), vrex_instance_lookup::deviceTypes,
                reference.deviceTypes, sameDeviceType, problems);
    compareMaps(QStringLiteral("complexTypes"), vrex_instance_lookup::complexTypes,
                reference.complexTypes, sameComplexType, problems);

    // The style registry is private; its public view is enough to compare.
    vrex_stylesheet sheet;
    const QMap<QString, styleentry> styles = sheet.stylelist();
    compareMaps(QStringLiteral("styles"), styles, reference.styles,
                [](const styleentry &a, const styleentry &b) {
                    return a.settings == b.settings && a.suitablefor == b.suitablefor
                            && a.description == b.description
                            && (a.type == b.type || ((a.type < 1 || a.type > 3)
                                                     && (b.type < 1 || b.type > 3)));
                },
                problems);
    return problems;
}

QStringList checkLookups(const QVector<LookupSample> &samples)
{
    QStringList problems;
    for (const LookupSample &s : samples) {
        QString altId;
        int device = -1, offset = -1, slot = -1;
        char drivertype = -1;
        const bool found = vrex_instance_lookup::lookup(s.instance, s.param, altId, &device,
                                                        &offset, &slot, &drivertype);
        if (!found || altId != s.altId || device != s.device || offset != s.offset
            || slot != s.slot || drivertype != s.drivertype) {
            problems.append(QStringLiteral("lookup(%1, %2) gave %3 %4 %5 %6 %7 %8, expected "
                                           "true %9 %10 %11 %12 %13")
                                    .arg(s.instance, s.param,
                                         found ? QStringLiteral("true") : QStringLiteral("false"),
                                         altId)
                                    .arg(device).arg(offset).arg(slot).arg(int(drivertype))
                                    .arg(s.altId)
                                    .arg(s.device).arg(s.offset).arg(s.slot).arg(s.drivertype));
            if (problems.size() >= kMaxReported)
                break;
        }
    }
    return problems;
}

QStringList checkComposites(const QVector<CompositeSample> &samples)
{
    QStringList problems;
    for (const CompositeSample &s : samples) {
        bool composite = false;
        QMap<QString, QString> groups;
        QString target;
        const bool all = vrex_instance_lookup::lookupComposite(s.instance, composite, groups);
        const bool one = vrex_instance_lookup::lookupComposite(s.instance, s.group, target);
        if (!all || !composite || groups.value(s.group) != s.target || !one
            || target != s.target) {
            problems.append(QStringLiteral("lookupComposite(%1, %2) did not give %3")
                                    .arg(s.instance, s.group, s.target));
            if (problems.size() >= kMaxReported)
                break;
        }
    }
    return problems;
}

} // namespace vrexbench
