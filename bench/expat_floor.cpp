// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "expat_floor.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <expat.h>

namespace vrexbench {

namespace {

void XMLCALL onStart(void *userData, const XML_Char *, const XML_Char **atts)
{
    auto *tally = static_cast<XmlTally *>(userData);
    ++tally->elements;
    for (const XML_Char **a = atts; *a; a += 2)
        ++tally->attributes;
}

QStringList xmlEntryPaths(const QString &dir)
{
    const QDir d(dir, QString(), QDir::Name | QDir::IgnoreCase,
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QStringList paths;
    const QStringList names = d.entryList(QStringList{QStringLiteral("*.xml")});
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(dir + QLatin1Char('/') + name);
    return paths;
}

} // namespace

void expatCount(const QByteArray &data, XmlTally &tally)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &tally);
    XML_SetStartElementHandler(parser, onStart);
    if (XML_Parse(parser, data.constData(), int(data.size()), 1) == XML_STATUS_ERROR)
        tally.wellFormed = false;
    XML_ParserFree(parser);
    ++tally.files;
    tally.bytes += data.size();
}

QStringList registryFiles(const QString &configRoot, Registry registry)
{
    const QString config = configRoot + QStringLiteral("/config");
    switch (registry) {
    case Registry::Styles:
        return {config + QStringLiteral("/stylesheet/vrex_style.xml")};
    case Registry::Instances:
        return {config + QStringLiteral("/instances.xml")};
    case Registry::DeviceTypes:
        return xmlEntryPaths(config + QStringLiteral("/devicetypes"));
    case Registry::ComplexTypes:
        return xmlEntryPaths(config + QStringLiteral("/complex_instances"));
    }
    return {};
}

QStringList siteFiles(const QString &configRoot)
{
    QStringList files;
    for (const Registry registry : {Registry::Styles, Registry::Instances, Registry::DeviceTypes,
                                    Registry::ComplexTypes})
        files += registryFiles(configRoot, registry);
    return files;
}

XmlTally passOverFiles(const QStringList &files, DocumentCount count)
{
    XmlTally tally;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            tally.wellFormed = false;
            continue;
        }
        count(file.readAll(), tally);
    }
    return tally;
}

XmlTally passOverSite(const QString &configRoot, DocumentCount count)
{
    return passOverFiles(siteFiles(configRoot), count);
}

XmlTally expatPassOverSite(const QString &configRoot)
{
    return passOverSite(configRoot, &expatCount);
}

} // namespace vrexbench
