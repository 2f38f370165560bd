// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "dom_reference_loader.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QStringList>
#include <QtXml/QDomDocument>
#include <QtXml/QDomElement>

namespace vrexbench {

namespace {

// Parses path into doc; false when it cannot be opened or is not well-formed.
bool readDocument(const QString &path, QDomDocument &doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return doc.setContent(&file, false);
}

QStringList xmlEntries(const QString &dir)
{
    const QDir d(dir, QString(), QDir::Name | QDir::IgnoreCase,
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return d.entryList(QStringList{QStringLiteral("*.xml")});
}

void applyRef(const QString &ref, instanceInfo &info)
{
    const QStringList pieces = ref.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const QStringList parts = piece.split(QLatin1Char('='), Qt::SkipEmptyParts);
        if (parts.isEmpty())
            continue;
        const QString value = parts.size() > 1 ? parts.at(1) : QString();
        if (parts.at(0) == QLatin1String("device"))
            info.device = value.toInt();
        else if (parts.at(0) == QLatin1String("offset"))
            info.offset = value.toInt();
        else if (parts.at(0) == QLatin1String("complex"))
            info.complex = value.isNull() ? QStringLiteral("") : value;
    }
}

int driverTypeCode(const QString &value)
{
    const QString lower = value.toLower();
    if (lower.startsWith(QLatin1Char('g')))
        return 2;
    if (lower.startsWith(QLatin1Char('r')))
        return 3;
    return 1;
}

bool loadDeviceParams(const QString &path, deviceTypeInfo &info)
{
    QDomDocument doc;
    if (!readDocument(path, doc))
        return false;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("device_description"))
        return false;
    info.drivertype = driverTypeCode(root.attribute(QStringLiteral("drivertype")));
    info.slotspacing = root.attribute(QStringLiteral("slotspacing")).toInt();
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        const QDomElement e = n.toElement();
        if (e.isNull())
            continue;
        info.params[e.attribute(QStringLiteral("name"))].slot =
                e.attribute(QStringLiteral("slot")).toInt();
    }
    return true;
}

bool loadComplexType(const QString &path, const QString &name, complexType &type)
{
    QDomDocument doc;
    if (!readDocument(path, doc))
        return false;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != name)
        return false;
    for (QDomNode m = root.firstChild(); !m.isNull(); m = m.nextSibling()) {
        const QDomElement member = m.toElement();
        if (member.isNull())
            continue;
        QMap<QString, complexParam> params;
        for (QDomNode r = member.firstChild(); !r.isNull(); r = r.nextSibling()) {
            const QDomElement red = r.toElement();
            if (red.isNull())
                continue;
            complexParam param;
            param.device = red.attribute(QStringLiteral("device"));
            param.param = red.attribute(QStringLiteral("param"));
            params[red.attribute(QStringLiteral("id"))] = param;
        }
        type.members[member.attribute(QStringLiteral("id"))].params = params;
    }
    return true;
}

} // namespace

void DomRegistries::clear()
{
    instances.clear();
    deviceTypes.clear();
    complexTypes.clear();
    styles.clear();
}

bool domLoadInstances(const QString &configRoot, QMap<QString, instanceInfo> &instances)
{
    QDomDocument doc;
    if (!readDocument(configRoot + QStringLiteral("/config/instances.xml"), doc))
        return false;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("instances"))
        return false;
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        const QDomElement e = n.toElement();
        if (e.isNull())
            continue;
        instanceInfo info;
        info.type = e.attribute(QStringLiteral("type"));
        info.alt_id = e.attribute(QStringLiteral("alt_id"));
        info.location = e.attribute(QStringLiteral("location"));
        if (e.attribute(QStringLiteral("composite")) == QLatin1String("yes")) {
            info.composite = true;
            for (QDomNode g = e.firstChild(); !g.isNull(); g = g.nextSibling()) {
                const QDomElement group = g.toElement();
                if (!group.isNull() && group.tagName() == QLatin1String("group"))
                    info.groups[group.attribute(QStringLiteral("id"))] =
                            group.attribute(QStringLiteral("instance"));
            }
        }
        applyRef(e.attribute(QStringLiteral("ref")), info);
        instances[e.attribute(QStringLiteral("id"))] = info;
    }
    return true;
}

bool domLoadDeviceTypes(const QString &configRoot, QMap<QString, deviceTypeInfo> &deviceTypes)
{
    const QString dir = configRoot + QStringLiteral("/config/devicetypes");
    const QStringList names = xmlEntries(dir);
    for (const QString &entry : names) {
        const QString name = entry.left(entry.size() - 4);
        deviceTypeInfo info;
        loadDeviceParams(dir + QLatin1Char('/') + entry, info);
        deviceTypes[name.toLower()] = info;
    }
    return true;
}

bool domLoadComplexTypes(const QString &configRoot, QMap<QString, complexType> &complexTypes)
{
    const QString dir = configRoot + QStringLiteral("/config/complex_instances");
    const QStringList names = xmlEntries(dir);
    for (const QString &entry : names) {
        const QString name = entry.left(entry.size() - 4);
        complexType type;
        loadComplexType(dir + QLatin1Char('/') + entry, name, type);
        complexTypes[name].members = type.members;
    }
    return true;
}

bool domLoadStyles(const QString &configRoot, QMap<QString, styleentry> &styles)
{
    QDomDocument doc;
    if (!readDocument(configRoot + QStringLiteral("/config/stylesheet/vrex_style.xml"), doc))
        return false;
    // A wrong root tag is only reported by the library; the styles load anyway.
    const QDomElement root = doc.documentElement();
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        const QDomElement e = n.toElement();
        if (e.isNull())
            continue;
        QStringList settings;
        for (QDomNode s = e.firstChild(); !s.isNull(); s = s.nextSibling()) {
            const QDomElement setting = s.toElement();
            if (!setting.isNull())
                settings.append(setting.attribute(QStringLiteral("value")));
        }
        styleentry &entry = styles[e.attribute(QStringLiteral("name"))];
        entry.settings = settings;
        entry.suitablefor = e.attribute(QStringLiteral("suitablefor"));
        entry.description = e.attribute(QStringLiteral("description"));
        const QString type = e.attribute(QStringLiteral("type"));
        if (type == QLatin1String("state"))
            entry.type = 1;
        else if (type == QLatin1String("style"))
            entry.type = 2;
        else if (type == QLatin1String("setting"))
            entry.type = 3;
    }
    return true;
}

void domLoadAll(const QString &configRoot, DomRegistries &registries)
{
    domLoadStyles(configRoot, registries.styles);
    domLoadInstances(configRoot, registries.instances);
    domLoadDeviceTypes(configRoot, registries.deviceTypes);
    domLoadComplexTypes(configRoot, registries.complexTypes);
}

} // namespace vrexbench
