#include "stylesheet/stylesheet_parser.h"

#include "frame/string_pool.h"

#include <QtCore/QXmlStreamAttributes>

namespace vrex {

namespace {

// Tags and attribute names are compared as written (qualifiedName), so a
// prefixed "x:name" is not taken for "name".

// Styles are written for a handful of widget classes and share many
// settings, so suitablefor values and settings go through pool.
void readStyleAttributes(const QXmlStreamReader &reader, StyleRecord &record, StringPool &pool)
{
    record.line = reader.lineNumber();
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        const QStringView value = attribute.value();
        if (matches(name, u"name"))
            record.name = value.toString();
        else if (matches(name, u"suitablefor"))
            record.suitablefor = pool.intern(value);
        else if (matches(name, u"description"))
            record.description = value.toString();
        else if (matches(name, u"type"))
            record.type = styleTypeCode(value);
    }
}

QString settingValue(const QXmlStreamReader &reader, StringPool &pool)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (matches(attribute.qualifiedName(), u"value"))
            return pool.intern(attribute.value());
    }
    return QString();
}

} // namespace

int styleTypeCode(QStringView word)
{
    if (matches(word, u"state"))
        return 1;
    if (matches(word, u"style"))
        return 2;
    if (matches(word, u"setting"))
        return 3;
    return 0;
}

StylesheetDocument parseStylesheet(const QByteArray &data)
{
    StylesheetDocument document;
    DocumentReader reader(data);
    StringPool pool;

    if (readRootElement(reader)) {
        // Any root is read; a foreign one is only reported.
        document.wrongRoot = reader.qualifiedName() != QLatin1String("stylesheet");

        // Depth 1: children of the root (styles), 2: their settings. Deeper
        // elements are only checked for well-formedness.
        int depth = 0;
        while (!reader.atEnd()) {
            switch (reader.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                if (depth == 1) {
                    document.styles.emplace_back();
                    readStyleAttributes(reader, document.styles.back(), pool);
                } else if (depth == 2) {
                    document.styles.back().settings.append(settingValue(reader, pool));
                }
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            default:
                break;
            }
        }
    }

    if (reader.hasError() || reader.tokenType() != QXmlStreamReader::EndDocument) {
        document.status = ParseStatus::NotWellFormed;
        document.error = parseErrorOf(reader);
        document.wrongRoot = false;
        document.styles.clear();
    }
    return document;
}

void mergeStyles(QMap<QString, styleentry> &registry, const QVector<StyleRecord> &records)
{
    for (const StyleRecord &record : records) {
        styleentry &entry = registry[record.name];
        entry.settings = record.settings;
        entry.suitablefor = record.suitablefor;
        entry.description = record.description;
        // An unknown or missing type word keeps what the entry had.
        if (record.type != 0)
            entry.type = record.type;
    }
}

} // namespace vrex
