#include "instance_lookup/complextype_parser.h"

#include "frame/parse_findings.h"
#include "frame/string_pool.h"

#include <QtCore/QXmlStreamAttributes>

#include <optional>

namespace vrex {

namespace {

enum Depth { RootLevel = 1, MemberLevel = 2, RedirectionLevel = 3 };

void readRedirection(const QXmlStreamReader &reader, RedirectionRecord &redirection,
                     StringPool &pool, ParseReport *report)
{
    redirection.line = reader.lineNumber();
    if (report) {
        const SourcePosition at = report->element(reader);
        redirection.line = at.line;
        redirection.column = at.column;
        report->checkAttributes(reader, QStringLiteral("redirection"), {u"id", u"device", u"param"});
    }
    // Every member of a type redirects the same few parameter names, so ids
    // and target parameters are shared; target instances hardly repeat.
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        if (matches(name, u"id"))
            redirection.id = pool.intern(attribute.value());
        else if (matches(name, u"device"))
            redirection.device = attribute.value().toString();
        else if (matches(name, u"param"))
            redirection.param = pool.intern(attribute.value());
    }
}

// Reads the members below an accepted root element. Tag names below the root
// are never looked at; elements deeper than redirections are skipped.
void readMembers(QXmlStreamReader &reader, QVector<MemberRecord> &members, ParseReport *report)
{
    StringPool pool;
    int depth = RootLevel;
    while (depth > 0 && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == MemberLevel) {
                MemberRecord &member = members.emplace_back();
                member.id = reader.attributes().value(QLatin1String("id")).toString();
                member.line = reader.lineNumber();
                if (report) {
                    const SourcePosition at = report->element(reader);
                    member.line = at.line;
                    member.column = at.column;
                    report->checkAttributes(reader, QStringLiteral("member"), {u"id"});
                }
            } else if (depth == RedirectionLevel) {
                readRedirection(reader, members.last().redirections.emplace_back(), pool, report);
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

} // namespace

ComplexTypeDocument parseComplexType(const QByteArray &data, const QString &typeName,
                                     ParseObserver *observer)
{
    ComplexTypeDocument document;
    DocumentReader reader(data);
    std::optional<ParseReport> report;
    if (observer)
        report.emplace(*observer, data);

    if (!readRootElement(reader)) {
        document.status = ParseStatus::NotWellFormed;
    } else if (reader.qualifiedName() == typeName) {
        if (report) {
            report->element(reader);
            report->checkAttributes(reader, typeName, {});
        }
        readMembers(reader, document.members, report ? &*report : nullptr);
    } else {
        document.status = ParseStatus::WrongRoot;
        document.root = reader.qualifiedName().toString();
    }

    document.status = finishParse(reader, document.status, document.error);
    if (document.status != ParseStatus::Ok)
        document.members.clear();
    return document;
}

void applyComplexType(complexType &type, const ComplexTypeDocument &document)
{
    if (document.status != ParseStatus::Ok)
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
