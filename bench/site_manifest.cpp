// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "site_manifest.h"

#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

namespace vrexbench {

namespace {

QVector<LookupSample> lookupSamples(const QJsonArray &array)
{
    QVector<LookupSample> samples;
    samples.reserve(array.size());
    for (const QJsonValue &value : array) {
        const QJsonObject o = value.toObject();
        LookupSample s;
        s.instance = o.value(QLatin1String("instance")).toString();
        s.param = o.value(QLatin1String("param")).toString();
        s.altId = o.value(QLatin1String("alt_id")).toString();
        s.device = o.value(QLatin1String("device")).toInt();
        s.offset = o.value(QLatin1String("offset")).toInt();
        s.slot = o.value(QLatin1String("slot")).toInt();
        s.drivertype = o.value(QLatin1String("drivertype")).toInt();
        s.hops = o.value(QLatin1String("hops")).toInt();
        samples.append(s);
    }
    return samples;
}

} // namespace

bool readSiteManifest(const QString &siteDir, SiteManifest &manifest, QString *error)
{
    QFile file(siteDir + QStringLiteral("/manifest.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + file.fileName();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        *error = file.fileName() + QStringLiteral(": ") + parseError.errorString();
        return false;
    }
    const QJsonObject o = doc.object();
    manifest.scale = o.value(QLatin1String("scale")).toString();
    manifest.instances = o.value(QLatin1String("instances")).toInt();
    manifest.deviceTypes = o.value(QLatin1String("deviceTypes")).toInt();
    manifest.complexTypes = o.value(QLatin1String("complexTypes")).toInt();
    manifest.styles = o.value(QLatin1String("styles")).toInt();
    manifest.direct = lookupSamples(o.value(QLatin1String("direct")).toArray());
    manifest.hop1 = lookupSamples(o.value(QLatin1String("hop1")).toArray());
    manifest.hop3 = lookupSamples(o.value(QLatin1String("hop3")).toArray());
    const QJsonArray composites = o.value(QLatin1String("composite")).toArray();
    for (const QJsonValue &value : composites) {
        const QJsonObject c = value.toObject();
        manifest.composite.append({c.value(QLatin1String("instance")).toString(),
                                   c.value(QLatin1String("group")).toString(),
                                   c.value(QLatin1String("target")).toString()});
    }
    const QJsonArray styleNames = o.value(QLatin1String("styleNames")).toArray();
    for (const QJsonValue &value : styleNames)
        manifest.styleNames.append(value.toString());
    if (manifest.instances <= 0 || manifest.direct.isEmpty()) {
        *error = file.fileName() + QStringLiteral(": no instances or samples");
        return false;
    }
    return true;
}

} // namespace vrexbench
