// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_parser.h"

#include "stylesheet/stylesheet_format.h"
#include "xml/attribute_text.h"
#include "xml/format_observer.h"
#include "xml/string_pool.h"

namespace vrex {

using xml::matches;
namespace fmt = stylesheet_format;

namespace {

// Styles are written for a handful of widget classes and share many
// settings, so suitablefor values and settings go through a pool. The tags
// below the root are never looked at.
class StylesheetHandler final : public ObservedElementHandler
{
public:
    StylesheetHandler(QVector<StyleRecord> &styles, const ParseOptions &options)
        : ObservedElementHandler(options.observer), m_styles(styles), m_options(options)
    {
    }

    void startElement(const xml::Element &element) override
    {
        switch (element.depth()) {
        case 0:
            if (m_options.observer)
                m_options.observer->element(RecordRole::StylesheetRoot, element);
            break;
        case 1:
            readStyle(element, m_styles.emplace_back());
            break;
        case 2:
            readSetting(element, m_styles.last());
            break;
        case 3: // only observed
            m_options.observer->unreadElement(RecordRole::Setting, element);
            break;
        default:
            break;
        }
    }

    // Only observed: the text of a setting, which is not its value.
    void text(QByteArrayView utf8, int depth) override
    {
        if (depth == 2)
            m_options.observer->text(RecordRole::Setting, utf8);
    }

private:
    void readStyle(const xml::Element &element, StyleRecord &record)
    {
        if (m_options.positions)
            record.at = element.position();
        if (m_options.observer)
            m_options.observer->element(RecordRole::Style, element);
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            const char *value = attribute.value();
            bool known = true;
            if (matches(name, fmt::kName))
                record.name = attributeText(value);
            else if (matches(name, fmt::kSuitableFor))
                record.suitablefor = m_pool.intern(value);
            else if (matches(name, fmt::kDescription))
                record.description = attributeText(value);
            else if (matches(name, fmt::kType))
            {
                record.type = styleTypeCode(value);
                if (record.type == 0 && *value && m_options.observer)
                    m_options.observer->notice(RecordRole::Style, element,
                                               FormatObserver::Notice::UnknownWord, fmt::kType, value);
            }
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Style, element, name, value, known);
        }
    }

    // A setting element without "value" contributes a null string.
    void readSetting(const xml::Element &element, StyleRecord &record)
    {
        if (m_options.positions)
            record.settingsAt.append(element.position());
        if (m_options.observer)
            m_options.observer->element(RecordRole::Setting, element);
        QString value;
        for (const auto &attribute : element.attributes()) {
            const bool known = matches(attribute.name(), fmt::kValue);
            if (known)
                value = m_pool.intern(attribute.value());
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Setting, element, attribute.name(),
                                              attribute.value(), known);
        }
        record.settings.append(value);
    }

    QVector<StyleRecord> &m_styles;
    const ParseOptions &m_options;
    StringPool m_pool;
};

} // namespace

int styleTypeCode(const char *word)
{
    for (const fmt::StyleType &type : fmt::kStyleTypes) {
        if (qstrcmp(word, type.word) == 0)
            return type.code;
    }
    return 0;
}

StylesheetDocument parseStylesheet(const xml::Source &source, const ParseOptions &options)
{
    StylesheetDocument document;
    StylesheetHandler handler(document.styles, options);
    const bool observed = options.observer != nullptr;
    document.result = xml::readDocument(source, {fmt::kRoot, true, observed ? kObservedDepth : 2, observed}, handler);
    if (document.result.status == xml::Status::NotWellFormed
        || document.result.status == xml::Status::Unreadable)
        document.styles.clear();
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
