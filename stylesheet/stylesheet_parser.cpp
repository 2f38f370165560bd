#include "stylesheet/stylesheet_parser.h"

#include "frame/parse_findings.h"
#include "frame/string_pool.h"

#include <QtCore/QXmlStreamAttributes>

#include <optional>

namespace vrex {

namespace {

// Tags and attribute names are compared as written (qualifiedName), so a
// prefixed "x:name" is not taken for "name".

// Styles are written for a handful of widget classes and share many
// settings, so suitablefor values and settings go through pool.
void readStyleAttributes(const QXmlStreamReader &reader, StyleRecord &record, StringPool &pool,
                         ParseReport *report)
{
    record.line = reader.lineNumber();
    if (report) {
        const SourcePosition at = report->element(reader);
        record.line = at.line;
        record.column = at.column;
        report->checkAttributes(reader, QStringLiteral("style"),
                                {u"name", u"suitablefor", u"description", u"type"});
    }
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
        // An empty word is what the writer puts for no type.
        if (report && matches(name, u"type") && !value.isEmpty() && record.type == 0) {
            report->report({ParseFinding::UnknownWord, QStringLiteral("style"), name.toString(),
                            value.toString(),
                            {QStringLiteral("state"), QStringLiteral("style"), QStringLiteral("setting")},
                            report->attributeValue(u"type", 0), {}});
        }
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

StylesheetDocument parseStylesheet(const QByteArray &data, ParseObserver *observer)
{
    StylesheetDocument document;
    DocumentReader reader(data);
    StringPool pool;
    std::optional<ParseReport> report;
    if (observer)
        report.emplace(*observer, data);

    if (readRootElement(reader)) {
        // Any root is read; a foreign one is only reported.
        document.wrongRoot = reader.qualifiedName() != QLatin1String("stylesheet");
        document.root = reader.qualifiedName().toString();
        if (report) {
            report->element(reader);
            report->checkAttributes(reader, document.root, {});
        }

        // Depth 1: children of the root (styles), 2: their settings. Deeper
        // elements are only checked for well-formedness.
        int depth = 0;
        while (!reader.atEnd()) {
            switch (reader.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                if (depth == 1) {
                    document.styles.emplace_back();
                    readStyleAttributes(reader, document.styles.back(), pool, report ? &*report : nullptr);
                } else if (depth == 2) {
                    if (report) {
                        report->element(reader);
                        report->checkAttributes(reader, QStringLiteral("setting"), {u"value"});
                    }
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
