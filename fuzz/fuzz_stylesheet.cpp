// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The stylesheet file: parser and merge into a registry, checked against a
// plain reading of the same document.
#include "fuzz_support.h"

#include "stylesheet/stylesheet_parser.h"

namespace {

int expectedType(const QString &word)
{
    if (word == QLatin1String("state"))
        return 1;
    if (word == QLatin1String("style"))
        return 2;
    if (word == QLatin1String("setting"))
        return 3;
    return 0;
}

bool sameStyle(const styleentry &a, const styleentry &b)
{
    return a.settings == b.settings && a.suitablefor == b.suitablefor
            && a.description == b.description && a.type == b.type;
}

void checkStyle(const vrex::StyleRecord &record, const vrexfuzz::OutlineElement &element)
{
    VREX_FUZZ_CHECK(record.name == element.attribute(QLatin1String("name")), record.name);
    VREX_FUZZ_CHECK(record.suitablefor == element.attribute(QLatin1String("suitablefor")), record.name);
    VREX_FUZZ_CHECK(record.description == element.attribute(QLatin1String("description")), record.name);
    const QString word = element.attribute(QLatin1String("type"));
    VREX_FUZZ_CHECK(record.type == expectedType(word), record.name);
    VREX_FUZZ_CHECK(vrex::styleTypeCode(word.toUtf8().constData()) == record.type, word);
    VREX_FUZZ_CHECK(record.at.line >= 1);

    QStringList settings;
    for (const vrexfuzz::OutlineElement &child : element.children)
        settings.append(child.attribute(QLatin1String("value")));
    VREX_FUZZ_CHECK(record.settings == settings, record.name);
}

void checkMerge(const QVector<vrex::StyleRecord> &records)
{
    // The first name already holds a typed entry: a later style without a
    // recognised type word keeps that type. A name the document cannot use
    // (XML text has no U+0001) stays as it was.
    const QString untouchable = QStringLiteral("\u0001kept");
    styleentry stale;
    stale.settings = QStringList{QStringLiteral("stale")};
    stale.suitablefor = QStringLiteral("stale");
    stale.description = QStringLiteral("stale");
    stale.type = 3;
    QMap<QString, styleentry> registry;
    registry.insert(untouchable, stale);
    if (!records.isEmpty())
        registry.insert(records.first().name, stale);

    vrex::mergeStyles(registry, records);

    QMap<QString, styleentry> expected;
    expected.insert(untouchable, stale);
    if (!records.isEmpty())
        expected.insert(records.first().name, stale);
    for (const vrex::StyleRecord &record : records) {
        styleentry &entry = expected[record.name];
        entry.settings = record.settings;
        entry.suitablefor = record.suitablefor;
        entry.description = record.description;
        if (record.type >= 1 && record.type <= 3)
            entry.type = record.type;
    }

    VREX_FUZZ_CHECK(registry.size() == expected.size());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        VREX_FUZZ_CHECK(registry.contains(it.key()), it.key());
        VREX_FUZZ_CHECK(sameStyle(registry.value(it.key()), it.value()), it.key());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    vrexfuzz::silenceDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vrexfuzz::bytesOf(data, size);
    const vrex::StylesheetDocument document = vrex::parseStylesheet(bytes);
    const vrexfuzz::XmlOutline outline = vrexfuzz::outlineOf(bytes, 2);

    // A foreign root is only reported; its styles are read all the same.
    VREX_FUZZ_CHECK((document.result.status != vrex::xml::Status::NotWellFormed) == outline.wellFormed);
    if (document.result.status == vrex::xml::Status::NotWellFormed) {
        VREX_FUZZ_CHECK(document.styles.isEmpty());
        return 0;
    }
    VREX_FUZZ_CHECK((document.result.status == vrex::xml::Status::WrongRoot)
                    == (outline.root.name != QLatin1String("stylesheet")));

    VREX_FUZZ_CHECK(document.styles.size() == outline.root.children.size());
    for (qsizetype i = 0; i < document.styles.size(); ++i)
        checkStyle(document.styles.at(i), outline.root.children.at(i));
    checkMerge(document.styles);
    return 0;
}
