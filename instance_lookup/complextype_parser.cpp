// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/complextype_parser.h"

#include "instance_lookup/complextype_format.h"
#include "xml/attribute_text.h"
#include "xml/format_observer.h"
#include "xml/string_pool.h"

namespace vrex {

using xml::matches;
namespace fmt = complextype_format;

namespace {

// Tag names below the root are never looked at; elements deeper than
// redirections are only checked.
class ComplexTypeHandler final : public ObservedElementHandler
{
public:
    ComplexTypeHandler(ComplexTypeDocument &document, const ParseOptions &options)
        : ObservedElementHandler(options.observer), m_document(document), m_options(options)
    {
    }

    void startElement(const xml::Element &element) override
    {
        switch (element.depth()) {
        case 0:
            if (m_options.positions)
                m_document.at = element.position();
            if (m_options.observer)
                m_options.observer->element(RecordRole::ComplexTypeRoot, element);
            break;
        case 1:
            readMember(element, m_document.members.emplace_back());
            break;
        case 2:
            readRedirection(element, m_document.members.last().redirections.emplace_back());
            break;
        case 3: // only observed
            m_options.observer->unreadElement(RecordRole::Redirection, element);
            break;
        default:
            break;
        }
    }

private:
    void readMember(const xml::Element &element, MemberRecord &member)
    {
        if (m_options.positions)
            member.at = element.position();
        if (m_options.observer)
            m_options.observer->element(RecordRole::Member, element);
        for (const auto &attribute : element.attributes()) {
            const bool known = matches(attribute.name(), fmt::kMemberId);
            if (known)
                member.id = attributeText(attribute.value());
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Member, element, attribute.name(),
                                              attribute.value(), known);
        }
    }

    // Every member of a type redirects the same few parameter names, so ids
    // and target parameters are shared; target instances hardly repeat.
    void readRedirection(const xml::Element &element, RedirectionRecord &redirection)
    {
        if (m_options.positions)
            redirection.at = element.position();
        if (m_options.observer)
            m_options.observer->element(RecordRole::Redirection, element);
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            bool known = true;
            if (matches(name, fmt::kRedirectionId))
                redirection.id = m_pool.intern(attribute.value());
            else if (matches(name, fmt::kRedirectionDevice))
                redirection.device = attributeText(attribute.value());
            else if (matches(name, fmt::kRedirectionParam))
                redirection.param = m_pool.intern(attribute.value());
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Redirection, element, name,
                                              attribute.value(), known);
        }
    }

    ComplexTypeDocument &m_document;
    const ParseOptions &m_options;
    StringPool m_pool;
};

} // namespace

ComplexTypeDocument parseComplexType(const xml::Source &source, const QString &typeName,
                                     const ParseOptions &options)
{
    ComplexTypeDocument document;
    ComplexTypeHandler handler(document, options);
    document.result = xml::readDocument(source, {typeName.toUtf8(), false, options.observer ? kObservedDepth : 2},
                                        handler);
    if (document.result.status != xml::Status::Ok)
        document.members.clear();
    return document;
}

void applyComplexType(complexType &type, const ComplexTypeDocument &document)
{
    if (document.result.status != xml::Status::Ok)
        return;
    for (const MemberRecord &member : document.members) {
        QMap<QString, complexParam> params;
        for (const RedirectionRecord &redirection : member.redirections) {
            complexParam &target = params[redirection.id];
            target.device = redirection.device;
            target.param = redirection.param;
        }
        // A member named again discards everything the earlier one said.
        type.members[member.id].params = std::move(params);
    }
}

} // namespace vrex
