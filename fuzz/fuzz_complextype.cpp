// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A complex-instance file: parser and merge into a record, checked against a
// plain reading of the same document.
#include "fuzz_support.h"

#include "instance_lookup/complextype_parser.h"

namespace {

// The type name comes from the file name, which the input does not carry.
// It is derived from the document's own root so that most inputs get past
// the root check, and is sometimes cut short or extended by one character
// to probe that the comparison is exact.
QString typeNameFor(const vrexfuzz::XmlOutline &outline, size_t size)
{
    QString name = outline.root.name;
    switch (size % 3) {
    case 1:
        name.chop(1);
        break;
    case 2:
        name.append(QLatin1Char('x'));
        break;
    default:
        break;
    }
    return name;
}

using Redirections = QMap<QString, complexParam>;

bool sameRedirections(const Redirections &a, const Redirections &b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(), other = b.cbegin(); it != a.cend(); ++it, ++other) {
        if (it.key() != other.key() || it->device != other->device || it->param != other->param)
            return false;
    }
    return true;
}

Redirections redirectionsOf(const vrex::MemberRecord &member)
{
    Redirections params;
    for (const vrex::RedirectionRecord &redirection : member.redirections) {
        complexParam param;
        param.device = redirection.device;
        param.param = redirection.param;
        params.insert(redirection.id, param);
    }
    return params;
}

void checkMember(const vrex::MemberRecord &member, const vrexfuzz::OutlineElement &element)
{
    VREX_FUZZ_CHECK(member.id == element.attribute(QLatin1String("id")), member.id);
    VREX_FUZZ_CHECK(member.at.line >= 1);
    VREX_FUZZ_CHECK(member.redirections.size() == element.children.size(), member.id);
    for (qsizetype i = 0; i < member.redirections.size(); ++i) {
        const vrex::RedirectionRecord &redirection = member.redirections.at(i);
        const vrexfuzz::OutlineElement &child = element.children.at(i);
        VREX_FUZZ_CHECK(redirection.id == child.attribute(QLatin1String("id")), redirection.id);
        VREX_FUZZ_CHECK(redirection.device == child.attribute(QLatin1String("device")), redirection.id);
        VREX_FUZZ_CHECK(redirection.param == child.attribute(QLatin1String("param")), redirection.id);
    }
}

void checkApply(const vrex::ComplexTypeDocument &document)
{
    // A member named by the document loses every earlier redirection; one it
    // cannot name (XML text has no U+0001) is kept.
    const QString untouchable = QStringLiteral("\u0001kept");
    complexParam stale;
    stale.device = QStringLiteral("stale");
    stale.param = QStringLiteral("stale");
    complexType type;
    type.members[untouchable].params.insert(QStringLiteral("p"), stale);
    if (!document.members.isEmpty())
        type.members[document.members.first().id].params.insert(QStringLiteral("\u0001p"), stale);
    const Redirections kept = type.members.value(untouchable).params;

    vrex::applyComplexType(type, document);

    QMap<QString, const vrex::MemberRecord *> lastById;
    for (const vrex::MemberRecord &member : document.members)
        lastById.insert(member.id, &member);
    VREX_FUZZ_CHECK(type.members.size() == lastById.size() + 1);
    VREX_FUZZ_CHECK(sameRedirections(type.members.value(untouchable).params, kept));
    for (auto it = lastById.cbegin(); it != lastById.cend(); ++it) {
        VREX_FUZZ_CHECK(type.members.contains(it.key()), it.key());
        VREX_FUZZ_CHECK(sameRedirections(type.members.value(it.key()).params, redirectionsOf(*it.value())),
                        it.key());
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
    const vrexfuzz::XmlOutline outline = vrexfuzz::outlineOf(bytes, 2);
    const QString typeName = typeNameFor(outline, size);
    const vrex::ComplexTypeDocument document = vrex::parseComplexType(bytes, typeName);

    const vrex::xml::Status expected = vrexfuzz::expectedStatus(outline, typeName);
    VREX_FUZZ_CHECK(document.result.status == expected, typeName);
    if (document.result.status != vrex::xml::Status::Ok)
        return 0;

    VREX_FUZZ_CHECK(document.members.size() == outline.root.children.size());
    for (qsizetype i = 0; i < document.members.size(); ++i)
        checkMember(document.members.at(i), outline.root.children.at(i));
    checkApply(document);
    return 0;
}
