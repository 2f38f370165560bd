#include "instance_lookup/complextype_parser.h"

namespace vrex {

namespace {

enum Depth { RootLevel = 1, MemberLevel = 2, RedirectionLevel = 3 };

// Reads the members below an accepted root element. Tag names below the root
// are never looked at; elements deeper than redirections are skipped.
void readMembers(QXmlStreamReader &reader, QVector<MemberRecord> &members)
{
    const QLatin1String id("id");
    const QLatin1String device("device");
    const QLatin1String param("param");

    int depth = RootLevel;
    while (depth > 0 && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            if (depth == MemberLevel) {
                MemberRecord member;
                member.id = reader.attributes().value(id).toString();
                member.line = reader.lineNumber();
                members.append(std::move(member));
            } else if (depth == RedirectionLevel) {
                const QXmlStreamAttributes attributes = reader.attributes();
                RedirectionRecord redirection;
                redirection.id = attributes.value(id).toString();
                redirection.device = attributes.value(device).toString();
                redirection.param = attributes.value(param).toString();
                redirection.line = reader.lineNumber();
                members.last().redirections.append(std::move(redirection));
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

} // namespace

ComplexTypeDocument parseComplexType(const QByteArray &data, const QString &typeName)
{
    ComplexTypeDocument document;
    QXmlStreamReader reader;
    prepareReader(reader, data);

    const bool hasRoot = readRootElement(reader);
    if (hasRoot && reader.qualifiedName() == typeName)
        readMembers(reader, document.members);
    else
        document.status = ParseStatus::WrongRoot;

    // A wrong root only counts once the whole document has proved
    // well-formed; a fault anywhere outranks it.
    if (!finishDocument(reader) || !hasRoot) {
        document.status = ParseStatus::NotWellFormed;
        document.error = parseErrorOf(reader);
    }
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
