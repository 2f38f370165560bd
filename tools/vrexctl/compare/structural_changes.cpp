// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/structural_changes.h"

#include "compare/compared_installation.h"

#include "output/json_output.h"
#include "output/registry_format.h"

#include "installation/installation_layout.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonObject>

namespace vrexctl {

namespace {

using Change = StructuralChange;

// Walks two maps in key order: removed(key, before), added(key, after),
// both(key, before, after).
template<typename Map, typename Removed, typename Added, typename Both>
void mergeMaps(const Map &before, const Map &after, Removed removed, Added added, Both both)
{
    auto b = before.constBegin();
    auto a = after.constBegin();
    while (b != before.constEnd() || a != after.constEnd()) {
        if (a == after.constEnd() || (b != before.constEnd() && b.key() < a.key())) {
            removed(b.key(), b.value());
            ++b;
        } else if (b == before.constEnd() || a.key() < b.key()) {
            added(a.key(), a.value());
            ++a;
        } else {
            both(b.key(), b.value(), a.value());
            ++b;
            ++a;
        }
    }
}

class Collector
{
public:
    explicit Collector(QList<Change> &changes) : m_changes(changes) { }

    void entry(Change::Change change, Change::Kind kind, const QString &file, const QStringList &names,
               const QJsonValue &summary)
    {
        Change c{change, kind, file, names, QString(), QJsonValue(), QJsonValue()};
        (change == Change::Added ? c.after : c.before) = summary;
        m_changes.append(c);
    }

    template<typename T>
    void field(Change::Kind kind, const QString &file, const QStringList &names, const char *field, const T &before,
               const T &after)
    {
        if (before != after)
            m_changes.append({Change::Changed, kind, file, names, QLatin1String(field), QJsonValue(before), QJsonValue(after)});
    }

private:
    QList<Change> &m_changes;
};

QJsonObject instanceSummary(const instanceInfo &info)
{
    QJsonObject summary{{QStringLiteral("type"), info.type},
                        {QStringLiteral("device"), info.device},
                        {QStringLiteral("offset"), info.offset}};
    if (!info.complex.isEmpty())
        summary.insert(QStringLiteral("complex"), info.complex);
    return summary;
}

void compareInstances(Collector &out, const vrex::InstanceRegistry &before, const vrex::InstanceRegistry &after)
{
    const QString file = vrex::layout::kInstancesFile;
    const auto kind = Change::Instance;
    mergeMaps(
            before, after,
            [&](const QString &name, const instanceInfo &info) {
                out.entry(Change::Removed, kind, file, {name}, instanceSummary(info));
            },
            [&](const QString &name, const instanceInfo &info) {
                out.entry(Change::Added, kind, file, {name}, instanceSummary(info));
            },
            [&](const QString &name, const instanceInfo &b, const instanceInfo &a) {
                out.field(kind, file, {name}, "type", b.type, a.type);
                out.field(kind, file, {name}, "device", b.device, a.device);
                out.field(kind, file, {name}, "offset", b.offset, a.offset);
                out.field(kind, file, {name}, "complex", b.complex, a.complex);
                out.field(kind, file, {name}, "alt_id", b.alt_id, a.alt_id);
                out.field(kind, file, {name}, "location", b.location, a.location);
                out.field(kind, file, {name}, "composite", b.composite, a.composite);
                mergeMaps(
                        b.groups, a.groups,
                        [&](const QString &id, const QString &member) {
                            out.entry(Change::Removed, Change::Group, file, {name, id}, member);
                        },
                        [&](const QString &id, const QString &member) {
                            out.entry(Change::Added, Change::Group, file, {name, id}, member);
                        },
                        [&](const QString &id, const QString &memberB, const QString &memberA) {
                            out.field(Change::Group, file, {name, id}, "instance", memberB, memberA);
                        });
            });
}

QJsonObject deviceTypeSummary(const deviceTypeInfo &info)
{
    return {{QStringLiteral("drivertype"), info.drivertype},
            {QStringLiteral("slotspacing"), info.slotspacing},
            {QStringLiteral("parameters"), int(info.params.size())}};
}

void compareDeviceTypes(Collector &out, QList<FileRename> &renames, const ComparedInstallation &before,
                        const ComparedInstallation &after)
{
    const auto kind = Change::DeviceType;
    mergeMaps(
            before.installation().deviceTypes(), after.installation().deviceTypes(),
            [&](const QString &key, const deviceTypeInfo &info) {
                out.entry(Change::Removed, kind, before.deviceTypeFile(key), {key}, deviceTypeSummary(info));
            },
            [&](const QString &key, const deviceTypeInfo &info) {
                out.entry(Change::Added, kind, after.deviceTypeFile(key), {key}, deviceTypeSummary(info));
            },
            [&](const QString &key, const deviceTypeInfo &b, const deviceTypeInfo &a) {
                const QString file = after.deviceTypeFile(key);
                if (before.deviceTypeFile(key) != file)
                    renames.append({key, before.deviceTypeFile(key), file});
                out.field(kind, file, {key}, "drivertype", b.drivertype, a.drivertype);
                out.field(kind, file, {key}, "slotspacing", b.slotspacing, a.slotspacing);
                mergeMaps(
                        b.params, a.params,
                        [&](const QString &param, const paramInfo &info) {
                            out.entry(Change::Removed, Change::Parameter, file, {key, param},
                                      QJsonObject{{QStringLiteral("slot"), info.slot}});
                        },
                        [&](const QString &param, const paramInfo &info) {
                            out.entry(Change::Added, Change::Parameter, file, {key, param},
                                      QJsonObject{{QStringLiteral("slot"), info.slot}});
                        },
                        [&](const QString &param, const paramInfo &pb, const paramInfo &pa) {
                            out.field(Change::Parameter, file, {key, param}, "slot", pb.slot, pa.slot);
                        });
            });
}

QString targetText(const complexParam &redirection)
{
    return redirection.device + QLatin1Char('.') + redirection.param;
}

void compareComplexTypes(Collector &out, const ComparedInstallation &before, const ComparedInstallation &after)
{
    mergeMaps(
            before.installation().complexTypes(), after.installation().complexTypes(),
            [&](const QString &name, const complexType &type) {
                out.entry(Change::Removed, Change::ComplexType, before.complexTypeFile(name), {name},
                          QJsonObject{{QStringLiteral("members"), int(type.members.size())}});
            },
            [&](const QString &name, const complexType &type) {
                out.entry(Change::Added, Change::ComplexType, after.complexTypeFile(name), {name},
                          QJsonObject{{QStringLiteral("members"), int(type.members.size())}});
            },
            [&](const QString &name, const complexType &b, const complexType &a) {
                const QString file = after.complexTypeFile(name);
                mergeMaps(
                        b.members, a.members,
                        [&](const QString &member, const complexInstance &info) {
                            out.entry(Change::Removed, Change::Member, file, {name, member},
                                      QJsonObject{{QStringLiteral("redirections"), int(info.params.size())}});
                        },
                        [&](const QString &member, const complexInstance &info) {
                            out.entry(Change::Added, Change::Member, file, {name, member},
                                      QJsonObject{{QStringLiteral("redirections"), int(info.params.size())}});
                        },
                        [&](const QString &member, const complexInstance &mb, const complexInstance &ma) {
                            mergeMaps(
                                    mb.params, ma.params,
                                    [&](const QString &param, const complexParam &target) {
                                        out.entry(Change::Removed, Change::Redirection, file, {name, member, param},
                                                  targetText(target));
                                    },
                                    [&](const QString &param, const complexParam &target) {
                                        out.entry(Change::Added, Change::Redirection, file, {name, member, param},
                                                  targetText(target));
                                    },
                                    [&](const QString &param, const complexParam &tb, const complexParam &ta) {
                                        out.field(Change::Redirection, file, {name, member, param}, "target",
                                                  targetText(tb), targetText(ta));
                                    });
                        });
            });
}

QJsonObject styleSummary(const styleentry &entry)
{
    return {{QStringLiteral("type"), styleTypeWord(entry.type)},
            {QStringLiteral("settings"), int(entry.settings.size())}};
}

void compareStyles(Collector &out, const vrex::StyleRegistry &before, const vrex::StyleRegistry &after)
{
    const QString file = vrex::layout::kStylesheetFile;
    const auto kind = Change::Style;
    mergeMaps(
            before, after,
            [&](const QString &name, const styleentry &entry) {
                out.entry(Change::Removed, kind, file, {name}, styleSummary(entry));
            },
            [&](const QString &name, const styleentry &entry) {
                out.entry(Change::Added, kind, file, {name}, styleSummary(entry));
            },
            [&](const QString &name, const styleentry &b, const styleentry &a) {
                out.field(kind, file, {name}, "type", styleTypeWord(b.type), styleTypeWord(a.type));
                out.field(kind, file, {name}, "suitablefor", b.suitablefor, a.suitablefor);
                out.field(kind, file, {name}, "description", b.description, a.description);
                if (b.settings != a.settings)
                    out.field(kind, file, {name}, "settings", toJsonArray(b.settings), toJsonArray(a.settings));
            });
}

} // namespace

StructuralComparison compareStructures(const ComparedInstallation &before, const ComparedInstallation &after)
{
    StructuralComparison result;
    Collector out(result.changes);
    compareInstances(out, before.installation().instances(), after.installation().instances());
    compareDeviceTypes(out, result.renames, before, after);
    compareComplexTypes(out, before, after);
    compareStyles(out, before.installation().styles(), after.installation().styles());
    return result;
}

QString kindWords(StructuralChange::Kind kind)
{
    switch (kind) {
    case Change::Instance: return QStringLiteral("instance");
    case Change::Group: return QStringLiteral("group");
    case Change::DeviceType: return QStringLiteral("device type");
    case Change::Parameter: return QStringLiteral("parameter");
    case Change::ComplexType: return QStringLiteral("complex type");
    case Change::Member: return QStringLiteral("member");
    case Change::Redirection: return QStringLiteral("redirection");
    case Change::Style: return QStringLiteral("style");
    }
    return QString();
}

QString kindKey(StructuralChange::Kind kind)
{
    return kindWords(kind).remove(QLatin1Char(' '));
}

} // namespace vrexctl
