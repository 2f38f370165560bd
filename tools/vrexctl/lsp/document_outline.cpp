// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/document_outline.h"

#include "lsp/text_document.h"

#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_parser.h"
#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_parser.h"

#include <algorithm>

namespace vrexctl::lsp {

QString OutlineElement::value(const char *attribute) const
{
    for (const auto &pair : attributes) {
        if (pair.first == QLatin1String(attribute))
            return pair.second;
    }
    return QString();
}

bool OutlineElement::has(const char *attribute) const
{
    return std::any_of(attributes.cbegin(), attributes.cend(),
                       [attribute](const auto &pair) { return pair.first == QLatin1String(attribute); });
}

const AttributeSpan *StartTag::find(const QString &name) const
{
    for (const AttributeSpan &span : attributes) {
        if (span.name == name)
            return &span;
    }
    return nullptr;
}

class OutlineRecorder final : public vrex::FormatObserver
{
public:
    explicit OutlineRecorder(DocumentOutline &outline) : m_elements(outline.m_elements) { }

    void element(vrex::RecordRole role, const vrex::xml::Element &element) override
    {
        OutlineElement recorded{role, element.position(), QString::fromUtf8(element.name()), {}, -1};
        using vrex::RecordRole;
        const RecordRole parentRole = role == RecordRole::Group ? RecordRole::Instance
                : role == RecordRole::Redirection                ? RecordRole::Member
                : role == RecordRole::Setting                    ? RecordRole::Style
                                                                 : role;
        if (parentRole != role) {
            for (qsizetype i = m_elements.size() - 1; i >= 0; --i) {
                if (m_elements.at(i).role == parentRole) {
                    recorded.parent = i;
                    break;
                }
            }
        }
        m_elements.append(recorded);
    }
    void attribute(vrex::RecordRole, const vrex::xml::Element &, const char *name, const char *value, bool) override
    {
        if (!m_elements.isEmpty())
            m_elements.last().attributes.append({QString::fromUtf8(name), QString::fromUtf8(value)});
    }

private:
    QList<OutlineElement> &m_elements;
};

DocumentOutline DocumentOutline::read(WorkspaceCheck::FileKind kind, const QString &entry, const QByteArray &text)
{
    DocumentOutline outline;
    OutlineRecorder recorder(outline);
    const vrex::ParseOptions options{&recorder, false};
    const vrex::xml::Source source(text);
    switch (kind) {
    case WorkspaceCheck::FileKind::Instances: vrex::parseInstances(source, options); break;
    case WorkspaceCheck::FileKind::DeviceType: vrex::parseDeviceType(source, options); break;
    case WorkspaceCheck::FileKind::ComplexType:
        vrex::parseComplexType(source, entry.chopped(vrex::layout::kXmlSuffix.size()), options);
        break;
    case WorkspaceCheck::FileKind::Stylesheet: vrex::parseStylesheet(source, options); break;
    case WorkspaceCheck::FileKind::Other: break;
    }
    return outline;
}

qsizetype DocumentOutline::elementBefore(const TextDocument &document, qsizetype offset) const
{
    const Position at = document.positionAt(offset);
    // Elements come in document order.
    const auto after = std::upper_bound(m_elements.cbegin(), m_elements.cend(), at,
                                        [&document](const Position &position, const OutlineElement &element) {
                                            return position < document.fromReader(element.at.line, element.at.column);
                                        });
    return after - m_elements.cbegin() - 1;
}

StartTag DocumentOutline::startTag(const TextDocument &document, qsizetype element) const
{
    const QString &text = document.text();
    const OutlineElement &outlined = m_elements.at(element);
    StartTag tag;
    tag.begin = document.offsetAt(document.fromReader(outlined.at.line, outlined.at.column));
    qsizetype i = tag.begin + 1 + outlined.tag.size();
    tag.nameEnd = std::min(i, text.size());
    const auto skipBlanks = [&text, &i] {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
    };
    // Each attribute the parser saw is next in the tag, as name = "value".
    for (const auto &attribute : outlined.attributes) {
        skipBlanks();
        if (!text.mid(i, attribute.first.size()).startsWith(attribute.first))
            break;
        AttributeSpan span{attribute.first, i, 0, 0};
        i += attribute.first.size();
        skipBlanks();
        if (i >= text.size() || text.at(i) != QLatin1Char('='))
            break;
        ++i;
        skipBlanks();
        if (i >= text.size() || (text.at(i) != QLatin1Char('"') && text.at(i) != QLatin1Char('\'')))
            break;
        const QChar quote = text.at(i);
        span.valueStart = ++i;
        const qsizetype close = text.indexOf(quote, i);
        if (close < 0)
            break;
        span.valueEnd = close;
        i = close + 1;
        tag.attributes.append(span);
    }
    skipBlanks();
    if (i < text.size() && text.at(i) == QLatin1Char('/'))
        ++i;
    if (i < text.size() && text.at(i) == QLatin1Char('>'))
        ++i;
    tag.end = i;
    return tag;
}

} // namespace vrexctl::lsp
