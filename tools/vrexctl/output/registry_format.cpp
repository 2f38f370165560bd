// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/registry_format.h"

#include "output/json_output.h"

#include "stylesheet/stylesheet_format.h"

namespace vrexctl {

namespace {

QString joinPairs(const QStringList &pairs)
{
    return pairs.join(QLatin1Char(' '));
}

} // namespace

QString styleTypeWord(int type)
{
    for (const vrex::stylesheet_format::StyleType &known : vrex::stylesheet_format::kStyleTypes) {
        if (known.code == type)
            return QLatin1String(known.word);
    }
    return QString();
}

QStringList instanceHeaders()
{
    return {QStringLiteral("NAME"), QStringLiteral("TYPE"), QStringLiteral("DEVICE"),
            QStringLiteral("OFFSET"), QStringLiteral("COMPLEX"), QStringLiteral("ALT_ID"),
            QStringLiteral("LOCATION"), QStringLiteral("GROUPS")};
}

QStringList instanceRow(const QString &name, const instanceInfo &info)
{
    QStringList groups;
    for (auto it = info.groups.cbegin(); it != info.groups.cend(); ++it)
        groups.append(it.key() + QLatin1Char('=') + it.value());
    QString groupCell = joinPairs(groups);
    if (info.composite && groupCell.isEmpty())
        groupCell = QStringLiteral("(composite, none)");
    return {name, info.type, QString::number(info.device), QString::number(info.offset),
            info.complex, info.alt_id, info.location, groupCell};
}

QJsonObject instanceJson(const QString &name, const instanceInfo &info)
{
    return QJsonObject{
        {QStringLiteral("name"), name},
        {QStringLiteral("type"), info.type},
        {QStringLiteral("device"), info.device},
        {QStringLiteral("offset"), info.offset},
        {QStringLiteral("complex"), info.complex},
        {QStringLiteral("alt_id"), info.alt_id},
        {QStringLiteral("location"), info.location},
        {QStringLiteral("composite"), info.composite},
        {QStringLiteral("groups"), toJsonObject(info.groups)},
    };
}

QStringList deviceTypeHeaders()
{
    return {QStringLiteral("NAME"), QStringLiteral("DRIVERTYPE"), QStringLiteral("SLOTSPACING"),
            QStringLiteral("PARAMETERS")};
}

QStringList deviceTypeRow(const QString &key, const deviceTypeInfo &info)
{
    QStringList params;
    for (auto it = info.params.cbegin(); it != info.params.cend(); ++it)
        params.append(it.key() + QLatin1Char('=') + QString::number(it.value().slot));
    return {key, QString::number(info.drivertype), QString::number(info.slotspacing),
            joinPairs(params)};
}

QJsonObject deviceTypeJson(const QString &key, const deviceTypeInfo &info)
{
    QJsonObject params;
    for (auto it = info.params.cbegin(); it != info.params.cend(); ++it)
        params.insert(it.key(), it.value().slot);
    return QJsonObject{
        {QStringLiteral("name"), key},
        {QStringLiteral("drivertype"), info.drivertype},
        {QStringLiteral("slotspacing"), info.slotspacing},
        {QStringLiteral("params"), params},
    };
}

QStringList complexTypeHeaders()
{
    return {QStringLiteral("TYPE"), QStringLiteral("MEMBER"), QStringLiteral("PARAMETER"),
            QStringLiteral("REDIRECTED TO")};
}

QList<QStringList> complexTypeRows(const QString &name, const complexType &type)
{
    QList<QStringList> rows;
    if (type.members.isEmpty())
        rows.append({name});
    for (auto member = type.members.cbegin(); member != type.members.cend(); ++member) {
        if (member->params.isEmpty())
            rows.append({name, member.key()});
        for (auto param = member->params.cbegin(); param != member->params.cend(); ++param) {
            rows.append({name, member.key(), param.key(),
                         param->device + QLatin1Char('.') + param->param});
        }
    }
    return rows;
}

QJsonObject complexTypeJson(const QString &name, const complexType &type)
{
    QJsonObject members;
    for (auto member = type.members.cbegin(); member != type.members.cend(); ++member) {
        QJsonObject params;
        for (auto param = member->params.cbegin(); param != member->params.cend(); ++param) {
            params.insert(param.key(), QJsonObject{{QStringLiteral("device"), param->device},
                                                   {QStringLiteral("param"), param->param}});
        }
        members.insert(member.key(), params);
    }
    return QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("members"), members}};
}

QStringList styleHeaders()
{
    return {QStringLiteral("NAME"), QStringLiteral("TYPE"), QStringLiteral("SUITABLEFOR"),
            QStringLiteral("SETTINGS")};
}

QStringList styleRow(const QString &name, const styleentry &entry)
{
    return {name, styleTypeWord(entry.type), entry.suitablefor,
            QString::number(entry.settings.size())};
}

QStringList styleDumpHeaders()
{
    QStringList headers = styleHeaders();
    headers.insert(3, QStringLiteral("DESCRIPTION"));
    return headers;
}

QStringList styleDumpRow(const QString &name, const styleentry &entry)
{
    QStringList row = styleRow(name, entry);
    row.insert(3, entry.description);
    return row;
}

QJsonObject styleJson(const QString &name, const styleentry &entry)
{
    return QJsonObject{
        {QStringLiteral("name"), name},
        {QStringLiteral("type"), styleTypeWord(entry.type)},
        {QStringLiteral("suitablefor"), entry.suitablefor},
        {QStringLiteral("description"), entry.description},
        {QStringLiteral("settings"), toJsonArray(entry.settings)},
    };
}

} // namespace vrexctl
