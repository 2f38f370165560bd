// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/address_impact.h"

#include "compare/compared_installation.h"

#include "installation/installation_layout.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/lookup_step.h"
#include "output/quoting.h"

#include <QtCore/QSet>

#include <algorithm>
#include <iterator>

namespace vrexctl {

namespace {

using vrex::LookupStep;

QString fromTo(const QString &before, const QString &after)
{
    return before + QStringLiteral(" -> ") + after;
}

QString pairText(const QString &instance, const QString &parameter)
{
    return instance + QLatin1Char('.') + parameter;
}

// What one hop of a chain reads that differs between the sides, or, when
// nothing does, where both sides go on.
struct Hop
{
    QList<Reason> reasons;
    const complexParam *next = nullptr; // the same target on both sides
};

class CauseFinder
{
public:
    CauseFinder(const ComparedInstallation &before, const ComparedInstallation &after)
        : m_before(before), m_after(after)
    {
    }

    qsizetype causeOf(const ChangedAnswer &answer);
    QList<QList<Reason>> takeCauses() { return std::move(m_causes); }

private:
    Hop hopAt(const QString &instance, const QString &parameter);
    qsizetype chainCause(const QString &instance, const QString &parameter);
    qsizetype addCause(const QList<Reason> &reasons);

    // "added"/"removed", or the reason the side without it could not read
    // its file.
    Reason presence(const QString &file, const QString &what, bool inAfter, const QString &consequence) const;
    Reason complexTypePresence(const QString &name, bool inAfter);

    const ComparedInstallation &m_before;
    const ComparedInstallation &m_after;
    QList<QList<Reason>> m_causes;
    QHash<QString, qsizetype> m_causeByText;
    // The cause found from each "instance\x1fparameter" reached, the
    // alternative id aside.
    QHash<QString, qsizetype> m_chainCause;
    QHash<QString, Reason> m_complexTypePresence; // by name: judged once
};

Reason CauseFinder::presence(const QString &file, const QString &what, bool inAfter,
                             const QString &consequence) const
{
    const QString failure = (inAfter ? m_before : m_after).failure(file);
    if (!failure.isEmpty())
        return {file, failure + QStringLiteral(" (") + consequence + QLatin1Char(')')};
    return {file, what + (inAfter ? QStringLiteral(" added") : QStringLiteral(" removed"))};
}

Reason CauseFinder::complexTypePresence(const QString &name, bool inAfter)
{
    const auto known = m_complexTypePresence.constFind(name);
    if (known != m_complexTypePresence.constEnd())
        return *known;
    const ComparedInstallation &with = inAfter ? m_after : m_before;
    const ComparedInstallation &without = inAfter ? m_before : m_after;
    const QString file = with.complexTypeFile(name);
    Reason reason{file, QStringLiteral("complex type %1 %2").arg(doubleQuoted(name), inAfter ? QStringLiteral("added")
                                                                                      : QStringLiteral("removed"))};
    // The same file in another letter case names another complex type.
    const vrex::ComplexTypeRegistry &others = without.installation().complexTypes();
    for (auto it = others.constBegin(); it != others.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
            reason.text += QStringLiteral(": the file is %1 %2, and a complex type is named by its file exactly")
                                   .arg(inAfter ? QStringLiteral("no longer") : QStringLiteral("now"),
                                        without.complexTypeFile(it.key()).section(QLatin1Char('/'), -1));
            break;
        }
    }
    m_complexTypePresence.insert(name, reason);
    return reason;
}

Hop CauseFinder::hopAt(const QString &name, const QString &param)
{
    const LookupStep b = vrex::lookupStep(m_before.catalogue(), name, param);
    const LookupStep a = vrex::lookupStep(m_after.catalogue(), name, param);
    const QString instancesFile = vrex::layout::kInstancesFile;
    const QString instance = QStringLiteral("instance ") + doubleQuoted(name);
    Hop hop;
    const auto differs = [&hop](const QString &file, const QString &subject, const char *field, auto before,
                                auto after) {
        if (before != after) {
            hop.reasons.append({file, QStringLiteral("%1: %2 %3").arg(subject, QLatin1String(field),
                                                                      fromTo(QString::number(before),
                                                                             QString::number(after)))});
        }
    };

    const bool instanceB = b.stop != LookupStep::NoInstance;
    if (instanceB != (a.stop != LookupStep::NoInstance)) {
        hop.reasons.append(presence(instancesFile, instance, !instanceB, QStringLiteral("it holds no instances")));
        return hop;
    }
    if (!instanceB)
        return hop;
    const instanceInfo &ib = *b.instance;
    const instanceInfo &ia = *a.instance;
    if (b.stop == LookupStep::NoParameterName) {
        differs(instancesFile, instance, "device", ib.device, ia.device);
        differs(instancesFile, instance, "offset", ib.offset, ia.offset);
        return hop;
    }
    const QString typeKey = vrex::deviceTypeKey(ib.type);
    if (typeKey != vrex::deviceTypeKey(ia.type)) {
        hop.reasons.append({instancesFile, instance + QStringLiteral(": type ") + fromTo(doubleQuoted(ib.type), doubleQuoted(ia.type))});
        return hop;
    }

    const QString fileB = m_before.deviceTypeFile(typeKey);
    const QString fileA = m_after.deviceTypeFile(typeKey);
    const QString typeFile = fileA.isEmpty() ? fileB : fileA;
    QString deviceType = QStringLiteral("device type ") + doubleQuoted(typeKey);
    if (!fileB.isEmpty() && !fileA.isEmpty() && fileB != fileA)
        deviceType += QStringLiteral(" (read from %1 before)").arg(fileB);
    const bool typeB = b.stop != LookupStep::NoDeviceType;
    if (typeB != (a.stop != LookupStep::NoDeviceType)) {
        hop.reasons.append({typeFile, deviceType + (typeB ? QStringLiteral(" removed") : QStringLiteral(" added"))});
        return hop;
    }
    if (!typeB)
        return hop;
    const bool paramB = b.stop != LookupStep::NoParameter;
    if (paramB != (a.stop != LookupStep::NoParameter)) {
        hop.reasons.append(presence(typeFile, deviceType + QStringLiteral(": parameter ") + doubleQuoted(param), !paramB,
                                    QStringLiteral("so device type %1 has no parameters").arg(doubleQuoted(typeKey))));
        return hop;
    }
    if (!paramB)
        return hop;

    const int slotB = b.parameter->slot;
    const int slotA = a.parameter->slot;
    const bool redirectsB = slotB == 0 && !ib.complex.isEmpty();
    const bool redirectsA = slotA == 0 && !ia.complex.isEmpty();
    differs(typeFile, deviceType + QStringLiteral(": parameter ") + doubleQuoted(param), "slot", slotB, slotA);
    if (!redirectsB && !redirectsA) {
        // The answer is taken here.
        differs(instancesFile, instance, "device", ib.device, ia.device);
        differs(instancesFile, instance, "offset", ib.offset, ia.offset);
        differs(typeFile, deviceType, "drivertype", vrex::driverTypeNumber(vrex::driverTypeByte(b.deviceType->drivertype)),
                vrex::driverTypeNumber(vrex::driverTypeByte(a.deviceType->drivertype)));
        return hop;
    }
    if (ib.complex != ia.complex) {
        hop.reasons.append({instancesFile, instance + QStringLiteral(": complex ")
                                                   + fromTo(doubleQuoted(ib.complex), doubleQuoted(ia.complex))});
    }
    if (!hop.reasons.isEmpty())
        return hop;

    // Both redirect through the same complex type.
    const QString &complexName = ib.complex;
    const bool complexB = b.stop != LookupStep::NoComplexType;
    if (complexB != (a.stop != LookupStep::NoComplexType)) {
        hop.reasons.append(complexTypePresence(complexName, !complexB));
        return hop;
    }
    if (!complexB)
        return hop;
    const QString complexFileB = m_before.complexTypeFile(complexName);
    const QString complexFile = m_after.complexTypeFile(complexName).isEmpty() ? complexFileB
                                                                               : m_after.complexTypeFile(complexName);
    const QString member = QStringLiteral("complex type %1: member %2").arg(doubleQuoted(complexName), doubleQuoted(name));
    const bool memberB = b.stop != LookupStep::NoMember;
    if (memberB != (a.stop != LookupStep::NoMember)) {
        hop.reasons.append(presence(complexFile, member, !memberB,
                                    QStringLiteral("so complex type %1 has no members").arg(doubleQuoted(complexName))));
        return hop;
    }
    if (!memberB)
        return hop;
    const QString redirection = member + QStringLiteral(": redirection of ") + doubleQuoted(param);
    const bool redirectedB = b.stop == LookupStep::Redirected;
    if (redirectedB != (a.stop == LookupStep::Redirected)) {
        hop.reasons.append({complexFile, redirection + (redirectedB ? QStringLiteral(" removed") : QStringLiteral(" added"))});
        return hop;
    }
    if (!redirectedB)
        return hop;
    const complexParam &targetB = *b.redirection;
    const complexParam &targetA = *a.redirection;
    if (targetB.device != targetA.device || targetB.param != targetA.param) {
        hop.reasons.append({complexFile, redirection + QStringLiteral(": ")
                                                 + fromTo(pairText(targetB.device, targetB.param),
                                                          pairText(targetA.device, targetA.param))});
        return hop;
    }
    // An empty target parameter answers with this hop's driver type.
    if (targetB.param.isEmpty()) {
        differs(typeFile, deviceType, "drivertype", vrex::driverTypeNumber(vrex::driverTypeByte(b.deviceType->drivertype)),
                vrex::driverTypeNumber(vrex::driverTypeByte(a.deviceType->drivertype)));
    }
    if (hop.reasons.isEmpty())
        hop.next = &targetB;
    return hop;
}

qsizetype CauseFinder::addCause(const QList<Reason> &reasons)
{
    QString key;
    for (const Reason &reason : reasons)
        key += reason.file + QLatin1Char('\x1f') + reason.text + QLatin1Char('\x1e');
    const auto known = m_causeByText.constFind(key);
    if (known != m_causeByText.constEnd())
        return *known;
    m_causes.append(reasons);
    m_causeByText.insert(key, m_causes.size() - 1);
    return m_causes.size() - 1;
}

// The first hop from instance.parameter on at which the sides differ; -1
// when none does. Hops past the first are shared by every chain through
// them, so each is judged once.
qsizetype CauseFinder::chainCause(const QString &instance, const QString &parameter)
{
    QStringList walked;
    QSet<QString> seen;
    QString name = instance;
    QString param = parameter;
    qsizetype cause = -1;
    for (;;) {
        const QString key = name + QLatin1Char('\x1f') + param;
        const auto known = m_chainCause.constFind(key);
        if (known != m_chainCause.constEnd()) {
            cause = *known;
            break;
        }
        if (seen.contains(key))
            break; // the same cycle on both sides
        seen.insert(key);
        walked.append(key);
        const Hop hop = hopAt(name, param);
        if (!hop.reasons.isEmpty()) {
            cause = addCause(hop.reasons);
            break;
        }
        if (!hop.next)
            break;
        name = hop.next->device;
        param = hop.next->param;
    }
    for (const QString &key : std::as_const(walked))
        m_chainCause.insert(key, cause);
    return cause;
}

qsizetype CauseFinder::causeOf(const ChangedAnswer &answer)
{
    const qsizetype chain = chainCause(answer.instance, answer.parameter);
    // Only the first instance answers for the alternative id.
    if (!answer.before.resolves || !answer.after.resolves || answer.before.altId == answer.after.altId)
        return chain;
    QList<Reason> reasons{{QString(vrex::layout::kInstancesFile),
                           QStringLiteral("instance %1: alt_id %2").arg(doubleQuoted(answer.instance),
                                                                         fromTo(doubleQuoted(answer.before.altId),
                                                                                doubleQuoted(answer.after.altId)))}};
    if (chain >= 0)
        reasons += m_causes.at(chain);
    return addCause(reasons);
}

// Which parameters of a device type present on both sides can answer
// differently for an instance that is the same on both: all of them when
// the driver type changed, else those whose slot changed or that one side
// lacks; and, where the instance names a complex type, those it may
// redirect (slot 0). Each list is in key order.
struct TypeComparison
{
    bool whole = false;
    QStringList differing;
    QStringList withRedirections;
};

TypeComparison compareDeviceType(const deviceTypeInfo &before, const deviceTypeInfo &after)
{
    TypeComparison comparison;
    comparison.whole = before.drivertype != after.drivertype;
    QStringList slotZero;
    auto b = before.params.constBegin();
    auto a = after.params.constBegin();
    while (b != before.params.constEnd() || a != after.params.constEnd()) {
        const bool fromB = a == after.params.constEnd() || (b != before.params.constEnd() && b.key() <= a.key());
        const bool fromA = b == before.params.constEnd() || (a != after.params.constEnd() && a.key() <= b.key());
        const QString &name = fromB ? b.key() : a.key();
        if (!fromB || !fromA || b->slot != a->slot)
            comparison.differing.append(name);
        else if (b->slot == 0)
            slotZero.append(name);
        if (fromB)
            ++b;
        if (fromA)
            ++a;
    }
    std::merge(comparison.differing.cbegin(), comparison.differing.cend(), slotZero.cbegin(), slotZero.cend(),
               std::back_inserter(comparison.withRedirections));
    return comparison;
}

} // namespace

AddressImpact compareAddresses(const ComparedInstallation &before, const ComparedInstallation &after)
{
    const vrex::Catalogue catalogueB = before.catalogue();
    const vrex::Catalogue catalogueA = after.catalogue();
    AddressResolver resolverB(catalogueB);
    AddressResolver resolverA(catalogueA);
    CauseFinder finder(before, after);
    AddressImpact impact;

    const auto compare = [&](const QString &instance, const QString &parameter) {
        ChangedAnswer answer;
        answer.before = resolverB.resolve(instance, parameter);
        answer.after = resolverA.resolve(instance, parameter);
        if (answer.before == answer.after)
            return;
        answer.instance = instance;
        answer.parameter = parameter;
        if (!answer.before.resolves)
            answer.failureBefore = failureText(answer.before, instance, parameter);
        if (!answer.after.resolves)
            answer.failureAfter = failureText(answer.after, instance, parameter);
        answer.cause = finder.causeOf(answer);
        impact.answers.append(std::move(answer));
    };

    // Every parameter of the instance's device type on either side, in key
    // order.
    const auto compareAll = [&](const QString &name, const QMap<QString, paramInfo> &pb,
                                const QMap<QString, paramInfo> &pa) {
        auto b = pb.constBegin();
        auto a = pa.constBegin();
        while (b != pb.constEnd() || a != pa.constEnd()) {
            const bool fromB = a == pa.constEnd() || (b != pb.constEnd() && b.key() <= a.key());
            const bool fromA = b == pb.constEnd() || (a != pa.constEnd() && a.key() <= b.key());
            compare(name, fromB ? b.key() : a.key());
            if (fromB)
                ++b;
            if (fromA)
                ++a;
        }
    };
    QHash<QString, TypeComparison> typeComparisons; // by key, each type compared once

    // Both sides' instances in key order. An instance whose record is the
    // same on both sides answers alike for every parameter whose slot and
    // driver type are the same and which the lookup does not redirect: only
    // the others are resolved there.
    const QMap<QString, paramInfo> none;
    auto itB = catalogueB.instances.constBegin();
    auto itA = catalogueA.instances.constBegin();
    const auto endB = catalogueB.instances.constEnd();
    const auto endA = catalogueA.instances.constEnd();
    while (itB != endB || itA != endA) {
        const bool takeB = itA == endA || (itB != endB && itB.key() <= itA.key());
        const bool takeA = itB == endB || (itA != endA && itA.key() <= itB.key());
        const auto typeB = takeB ? vrex::findDeviceType(catalogueB.deviceTypes, itB->type) : catalogueB.deviceTypes.constEnd();
        const auto typeA = takeA ? vrex::findDeviceType(catalogueA.deviceTypes, itA->type) : catalogueA.deviceTypes.constEnd();
        const bool foundB = typeB != catalogueB.deviceTypes.constEnd();
        const bool foundA = typeA != catalogueA.deviceTypes.constEnd();
        const QString &name = takeB ? itB.key() : itA.key();
        const bool sameRecord = takeB && takeA && itB->device == itA->device && itB->offset == itA->offset
                && itB->alt_id == itA->alt_id && itB->complex == itA->complex;
        if (sameRecord && foundB && foundA && typeB.key() == typeA.key()) {
            auto comparison = typeComparisons.constFind(typeB.key());
            if (comparison == typeComparisons.constEnd())
                comparison = typeComparisons.insert(typeB.key(), compareDeviceType(*typeB, *typeA));
            if (comparison->whole) {
                compareAll(name, typeB->params, typeA->params);
            } else {
                for (const QString &param : itB->complex.isEmpty() ? comparison->differing : comparison->withRedirections)
                    compare(name, param);
            }
        } else if (!sameRecord || foundB || foundA) {
            compareAll(name, foundB ? typeB->params : none, foundA ? typeA->params : none);
        }
        if (takeB)
            ++itB;
        if (takeA)
            ++itA;
    }
    impact.causes = finder.takeCauses();
    return impact;
}

} // namespace vrexctl
