// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/features.h"

#include "checks/name_suggestion.h"
#include "checks/redirection_chain.h"
#include "checks/rules.h"

#include "instance_lookup/complextype_format.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_format.h"
#include "output/quoting.h"

#include <QtCore/QFileInfo>
#include <QtCore/QJsonDocument>
#include <QtCore/QUrl>

namespace vrexctl::lsp {

namespace {

using vrex::RecordRole;
namespace instances = vrex::instances_format;
namespace devicetype = vrex::devicetype_format;
namespace complextype = vrex::complextype_format;
namespace stylesheet = vrex::stylesheet_format;

// Completion lists stop here; the client asks again as more is typed.
constexpr int kMaxCompletions = 200;

// --- where the cursor is

struct Cursor
{
    qsizetype element = -1;
    StartTag tag;
    qsizetype attribute = -1; // the attribute whose value holds the cursor
    qsizetype wordStart = 0;  // the value, or in ref the piece's key or value
    qsizetype wordEnd = 0;
    bool refKey = false;      // in ref: on a piece's key
    QString refPiece;         // in ref: the piece's key, for its value

    bool inTag(qsizetype offset) const { return element >= 0 && offset > tag.begin && offset <= tag.end; }
    const AttributeSpan *span() const { return attribute < 0 ? nullptr : &tag.attributes.at(attribute); }
};

Cursor cursorAt(const OpenDocument &document, qsizetype offset)
{
    Cursor cursor;
    const DocumentOutline &outline = document.outline();
    cursor.element = outline.elementBefore(document.text, offset);
    if (cursor.element < 0)
        return cursor;
    cursor.tag = outline.startTag(document.text, cursor.element);
    if (!cursor.inTag(offset)) {
        cursor.element = -1;
        return cursor;
    }
    for (qsizetype i = 0; i < cursor.tag.attributes.size(); ++i) {
        const AttributeSpan &span = cursor.tag.attributes.at(i);
        if (offset >= span.valueStart && offset <= span.valueEnd) {
            cursor.attribute = i;
            cursor.wordStart = span.valueStart;
            cursor.wordEnd = span.valueEnd;
        }
    }
    const AttributeSpan *span = cursor.span();
    if (!span || span->name != QLatin1String(instances::kRef)
        || outline.elements().at(cursor.element).role != RecordRole::Instance)
        return cursor;
    // ref="device=12,offset=3,complex=CameraRig": the piece, then its side.
    const QString &text = document.text.text();
    qsizetype start = span->valueStart;
    for (qsizetype i = span->valueStart; i < offset; ++i) {
        if (text.at(i) == QLatin1Char(instances::kRefSeparator))
            start = i + 1;
    }
    qsizetype end = text.indexOf(QLatin1Char(instances::kRefSeparator), start);
    end = end < 0 || end > span->valueEnd ? span->valueEnd : end;
    const qsizetype assign = text.indexOf(QLatin1Char(instances::kRefAssign), start);
    if (assign < 0 || assign >= end || offset <= assign) {
        cursor.refKey = true;
        cursor.wordStart = start;
        cursor.wordEnd = assign < 0 || assign >= end ? end : assign;
    } else {
        cursor.refPiece = text.mid(start, assign - start);
        cursor.wordStart = assign + 1;
        cursor.wordEnd = end;
    }
    return cursor;
}

// --- what is under the cursor

enum class SymbolKind { None, Instance, DeviceType, ComplexType, Parameter, Style, RefKey, DriverType, StyleType };

struct Symbol
{
    SymbolKind kind = SymbolKind::None;
    QString name;
    QString instance;   // Parameter: the instance it is a parameter of, when one is named
    QString deviceType; // Parameter in a device-type file: that type's key
    qsizetype start = 0;
    qsizetype end = 0;
};

QString deviceTypeKeyOf(const OpenDocument &document)
{
    return vrex::deviceTypeKey(document.entry.chopped(vrex::layout::kXmlSuffix.size()));
}

Symbol symbolAt(const OpenDocument &document, Position position)
{
    const qsizetype offset = document.text.offsetAt(position);
    const Cursor cursor = cursorAt(document, offset);
    if (cursor.element < 0)
        return {};
    const OutlineElement &element = document.outline().elements().at(cursor.element);
    const QString attribute = cursor.span() ? cursor.span()->name : QString();
    Symbol symbol;
    symbol.start = cursor.wordStart;
    symbol.end = cursor.wordEnd;
    symbol.name = document.text.text().mid(cursor.wordStart, cursor.wordEnd - cursor.wordStart);
    const auto is = [&attribute](const char *name) { return attribute == QLatin1String(name); };
    const auto own = [&](SymbolKind kind, const char *name) {
        // The element itself, from its tag or another attribute.
        symbol.kind = kind;
        symbol.name = element.value(name);
        const AttributeSpan *span = cursor.tag.find(QLatin1String(name));
        symbol.start = span ? span->valueStart : cursor.tag.begin + 1;
        symbol.end = span ? span->valueEnd : cursor.tag.nameEnd;
    };
    switch (element.role) {
    case RecordRole::Instance:
        if (is(instances::kType))
            symbol.kind = SymbolKind::DeviceType;
        else if (is(instances::kRef) && cursor.refKey)
            symbol.kind = SymbolKind::RefKey;
        else if (is(instances::kRef) && cursor.refPiece == QLatin1String(instances::kRefComplex))
            symbol.kind = SymbolKind::ComplexType;
        else
            own(SymbolKind::Instance, instances::kId);
        break;
    case RecordRole::Group:
        if (is(instances::kGroupInstance)) {
            symbol.kind = SymbolKind::Instance;
        } else if (element.parent >= 0) { // the composite instance the group is of
            symbol.kind = SymbolKind::Instance;
            symbol.name = document.outline().elements().at(element.parent).value(instances::kId);
            symbol.start = cursor.tag.begin + 1;
            symbol.end = cursor.tag.nameEnd;
        }
        break;
    case RecordRole::DeviceTypeRoot:
        if (is(devicetype::kDriverType))
            symbol.kind = SymbolKind::DriverType;
        break;
    case RecordRole::Parameter:
        own(SymbolKind::Parameter, devicetype::kParamName);
        symbol.deviceType = deviceTypeKeyOf(document);
        break;
    case RecordRole::Member: own(SymbolKind::Instance, complextype::kMemberId); break;
    case RecordRole::Redirection: {
        const QString member = element.parent < 0
                ? QString()
                : document.outline().elements().at(element.parent).value(complextype::kMemberId);
        if (is(complextype::kRedirectionDevice)) {
            symbol.kind = SymbolKind::Instance;
        } else if (is(complextype::kRedirectionParam)) {
            symbol.kind = SymbolKind::Parameter;
            symbol.instance = element.value(complextype::kRedirectionDevice);
        } else {
            own(SymbolKind::Parameter, complextype::kRedirectionId);
            symbol.instance = member;
        }
        break;
    }
    case RecordRole::Style:
        if (is(stylesheet::kType))
            symbol.kind = SymbolKind::StyleType;
        else
            own(SymbolKind::Style, stylesheet::kName);
        break;
    case RecordRole::Setting:
        if (element.parent >= 0) {
            const OutlineElement &style = document.outline().elements().at(element.parent);
            symbol.kind = SymbolKind::Style;
            symbol.name = style.value(stylesheet::kName);
        }
        break;
    default: break;
    }
    return symbol;
}

// --- places

QJsonObject location(const QString &path, const Range &range)
{
    return {{QStringLiteral("uri"), uriOf(path)}, {QStringLiteral("range"), range.toJson()}};
}

QJsonObject location(const Place &place)
{
    const Position start{qMax<qint64>(place.line - 1, 0), qMax<qint64>(place.column - 1, 0)};
    return location(place.file, {start, start});
}

Place instancePlace(const WorkspaceCheck &check, const QString &name)
{
    const auto position = check.index().instances.constFind(name);
    if (position == check.index().instances.cend())
        return {};
    return {check.index().instancesFile, position->line, position->column};
}

// The parameter's definition in the device type of instance (or of the
// type key when no instance is named).
Place parameterPlace(const WorkspaceCheck &check, const Symbol &symbol)
{
    QString key = symbol.deviceType;
    if (!symbol.instance.isNull())
        key = vrex::deviceTypeKey(check.installation().instances().value(symbol.instance).type);
    return check.index().deviceTypes.value(key).params.value(symbol.name);
}

// --- hover texts

QString instanceText(const WorkspaceCheck &check, const QString &name)
{
    const vrex::Installation &installation = check.installation();
    const auto found = installation.instances().constFind(name);
    if (found == installation.instances().cend())
        return QStringLiteral("no instance %1").arg(quoted(name));
    const auto type = vrex::findDeviceType(installation.deviceTypes(), found->type);
    QStringList lines;
    lines << QStringLiteral("instance %1: device %2, offset %3, driver %4")
                     .arg(name)
                     .arg(found->device)
                     .arg(found->offset)
                     .arg(type == installation.deviceTypes().cend() ? 0 : type->drivertype);
    lines << QStringLiteral("type %1%2").arg(found->type, type == installation.deviceTypes().cend()
                                                                 ? QStringLiteral(" (no such device type)")
                                                                 : QString());
    if (!found->complex.isEmpty())
        lines << QStringLiteral("complex %1").arg(found->complex);
    if (!found->alt_id.isEmpty())
        lines << QStringLiteral("alt_id %1").arg(found->alt_id);
    if (!found->location.isEmpty())
        lines << QStringLiteral("location %1").arg(found->location);
    if (found->composite) {
        for (auto group = found->groups.cbegin(); group != found->groups.cend(); ++group)
            lines << QStringLiteral("group %1 -> %2").arg(group.key(), group.value());
    }
    return lines.join(QLatin1Char('\n'));
}

// "cam1.zoom -> lens1.zoom -> servo1.position: device 15, offset 0, slot 1, driver 2"
QString chainText(const WorkspaceCheck &check, const QString &instance, const QString &parameter)
{
    const vrex::Installation &installation = check.installation();
    const RedirectionChain chain = followRedirections(installation.catalogue(), instance, parameter);
    QStringList steps;
    for (const ParameterRef &step : chain.steps)
        steps.append(step.toString());
    const QString path = steps.join(QStringLiteral(" -> "));
    if (chain.outcome == RedirectionChain::Cycle)
        return chain.reason;
    if (chain.outcome == RedirectionChain::Broken)
        return path + QStringLiteral(": does not resolve: ") + chain.reason;
    QString altId;
    int device = 0, offset = 0, slot = 0;
    char drivertype = 0;
    if (!installation.lookup(instance, parameter, altId, &device, &offset, &slot, &drivertype))
        return path + QStringLiteral(": the library's lookup fails");
    return path + QStringLiteral(": device %1, offset %2, slot %3, driver %4")
                          .arg(device)
                          .arg(offset)
                          .arg(slot)
                          .arg(vrex::driverTypeNumber(drivertype));
}

QString hoverText(const WorkspaceCheck &check, const Symbol &symbol)
{
    const vrex::Installation &installation = check.installation();
    switch (symbol.kind) {
    case SymbolKind::Instance: return instanceText(check, symbol.name);
    case SymbolKind::Parameter: {
        if (!symbol.instance.isNull())
            return chainText(check, symbol.instance, symbol.name);
        const deviceTypeInfo type = installation.deviceTypes().value(symbol.deviceType);
        const auto param = type.params.constFind(symbol.name);
        if (param == type.params.cend()) {
            return QStringLiteral("parameter %1 of device type %2: the library has no such parameter (a file "
                                  "that is not well-formed gives none)")
                    .arg(symbol.name, symbol.deviceType);
        }
        return QStringLiteral("parameter %1 of device type %2: slot %3%4")
                .arg(symbol.name, symbol.deviceType)
                .arg(param->slot)
                .arg(param->slot == 0 ? QStringLiteral(" (redirected on instances with a complex type)")
                                      : QString());
    }
    case SymbolKind::DeviceType: {
        const auto type = vrex::findDeviceType(installation.deviceTypes(), symbol.name);
        if (type == installation.deviceTypes().cend())
            return QStringLiteral("no device type %1").arg(quoted(symbol.name));
        return QStringLiteral("device type %1: driver %2, slot spacing %3, %4 parameters\n%5")
                .arg(type.key())
                .arg(type->drivertype)
                .arg(type->slotspacing)
                .arg(type->params.size())
                .arg(QStringList(type->params.keys()).join(QStringLiteral(", ")));
    }
    case SymbolKind::ComplexType: {
        const auto type = installation.complexTypes().constFind(symbol.name);
        if (type == installation.complexTypes().cend())
            return QStringLiteral("no complex type %1").arg(quoted(symbol.name));
        QStringList members;
        for (auto member = type->members.cbegin(); member != type->members.cend(); ++member)
            members.append(QStringLiteral("%1 (%2)").arg(member.key()).arg(member->params.size()));
        return QStringLiteral("complex type %1: %2 members, redirections each: %3")
                .arg(symbol.name)
                .arg(type->members.size())
                .arg(members.join(QStringLiteral(", ")));
    }
    case SymbolKind::Style: {
        const auto style = installation.styles().constFind(symbol.name);
        if (style == installation.styles().cend())
            return QStringLiteral("no style %1").arg(quoted(symbol.name));
        QString type;
        for (const stylesheet::StyleType &known : stylesheet::kStyleTypes) {
            if (known.code == style->type)
                type = QLatin1String(known.word);
        }
        QStringList lines{QStringLiteral("style %1%2, suitable for %3")
                                  .arg(symbol.name, type.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(type),
                                       style->suitablefor)};
        if (!style->description.isEmpty())
            lines << style->description;
        for (const QString &setting : style->settings)
            lines << QStringLiteral("  ") + setting;
        return lines.join(QLatin1Char('\n'));
    }
    case SymbolKind::RefKey:
        return QStringLiteral("ref keys: device (device number), offset (offset on the device), complex (the "
                              "complex type whose redirections apply to slot-0 parameters)");
    case SymbolKind::DriverType: {
        QStringList words;
        for (const devicetype::DriverType &type : devicetype::kDriverTypes)
            words.append(QStringLiteral("%1 = %2").arg(QLatin1String(type.word)).arg(type.code));
        return QStringLiteral("driver type, read by its first letter: ") + words.join(QStringLiteral(", "));
    }
    case SymbolKind::StyleType: {
        QStringList words;
        for (const stylesheet::StyleType &type : stylesheet::kStyleTypes)
            words.append(QLatin1String(type.word));
        return QStringLiteral("style type, exactly one of: ") + words.join(QStringLiteral(", "));
    }
    case SymbolKind::None: break;
    }
    return {};
}

// --- completion words

QJsonObject completionItem(const QString &label, int kind, const QString &detail, const Range &range)
{
    return {{QStringLiteral("label"), label},
            {QStringLiteral("kind"), kind},
            {QStringLiteral("detail"), detail},
            {QStringLiteral("textEdit"), QJsonObject{{QStringLiteral("range"), range.toJson()},
                                                     {QStringLiteral("newText"), label}}}};
}

// LSP completion item kinds.
enum { KindProperty = 10, KindValue = 12, KindKeyword = 14, KindFile = 17, KindReference = 18, KindField = 5 };

template<size_t N>
QStringList words(const char *const (&list)[N])
{
    QStringList result;
    for (const char *word : list)
        result.append(QLatin1String(word));
    return result;
}

// Whether a quick fix's suggestion is meant for text: the names the check
// suggests are found the way it finds them, some folded first (device type
// keys), some trimmed (ref keys).
bool closeTo(const QString &text, const QString &suggestion)
{
    const QString folded = text.trimmed().toCaseFolded();
    return folded == suggestion.toCaseFolded() || !suggestName(folded, {suggestion.toCaseFolded()}).isNull();
}

// Whether `vrexctl check --fix` would make this fix too (its rule says
// what it changes): then it is the preferred one, which editors may apply
// with others at once. The others change a name something else refers to,
// which a person confirms.
bool madeByCheckFix(const QString &code, const QString &old, const QString &suggestion)
{
    const Rule *rule = findRule(code);
    if (!rule || !*rule->autoFix)
        return false;
    if (code == QLatin1String("composite-not-yes") || code == QLatin1String("unknown-style-type"))
        return old.compare(suggestion, Qt::CaseInsensitive) == 0;
    if (code == QLatin1String("unknown-drivertype"))
        return !old.isEmpty() && old.front().toLower() == suggestion.front().toLower();
    return true;
}

QString baseName(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    return file.left(file.lastIndexOf(QLatin1Char('.')));
}

} // namespace

const DocumentOutline &OpenDocument::outline() const
{
    if (!m_outline)
        m_outline = DocumentOutline::read(kind, entry, text.text().toUtf8());
    return *m_outline;
}

QString uriOf(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QJsonArray diagnostics(const QList<Finding> &findings, const OpenDocument *document, const QString &docs)
{
    QJsonArray result;
    for (const Finding &finding : findings) {
        // What follows from a root cause is said with it: one diagnostic
        // for a file that cannot be read.
        if (finding.code == QLatin1String("follow-on") && !result.isEmpty()) {
            QJsonObject last = result.last().toObject();
            last[QStringLiteral("message")] = last[QLatin1String("message")].toString() + QStringLiteral(" (")
                    + finding.message + QLatin1Char(')');
            result.replace(result.size() - 1, last);
            continue;
        }
        Range range;
        if (finding.place.line > 0) {
            if (document) {
                range.start = document->text.fromReader(finding.place.line, finding.place.column);
                // Over the element's name.
                const QString &text = document->text.text();
                qsizetype end = document->text.offsetAt(range.start);
                if (end < text.size() && text.at(end) == QLatin1Char('<'))
                    ++end;
                while (end < text.size() && !text.at(end).isSpace() && text.at(end) != QLatin1Char('>')
                       && text.at(end) != QLatin1Char('/'))
                    ++end;
                range.end = document->text.positionAt(end);
            } else {
                range.start = {finding.place.line - 1, finding.place.column - 1};
                range.end = {range.start.line, range.start.character + 1};
            }
        }
        QString message = finding.message;
        if (!finding.suggestions.isEmpty())
            message += QStringLiteral("; ") + didYouMean(finding.suggestions);
        QJsonArray related;
        for (const RelatedPlace &place : finding.related)
            related.append(QJsonObject{{QStringLiteral("location"), location(place.place)},
                                       {QStringLiteral("message"), place.message}});
        const int severity = finding.severity == Finding::Error ? 1 : finding.severity == Finding::Warning ? 2 : 3;
        QJsonObject diagnostic{{QStringLiteral("range"), range.toJson()},
                               {QStringLiteral("severity"), severity},
                               {QStringLiteral("code"), finding.code},
                               {QStringLiteral("codeDescription"),
                                QJsonObject{{QStringLiteral("href"), docs + QLatin1Char('#') + finding.code}}},
                               {QStringLiteral("source"), QStringLiteral("vrexctl")},
                               {QStringLiteral("message"), message}};
        if (!related.isEmpty())
            diagnostic.insert(QStringLiteral("relatedInformation"), related);
        if (!finding.suggestions.isEmpty()) {
            const QJsonArray suggestions = QJsonArray::fromStringList(finding.suggestions);
            diagnostic.insert(QStringLiteral("data"), QJsonObject{{QStringLiteral("suggestion"), suggestions}});
        }
        result.append(diagnostic);
    }
    return result;
}

QJsonArray codeActions(const QList<Finding> &findings, const OpenDocument &document, const Range &range,
                       const QString &docs)
{
    QJsonArray actions;
    const DocumentOutline &outline = document.outline();
    const QString &text = document.text.text();
    for (const Finding &finding : findings) {
        if (finding.suggestions.isEmpty() || finding.place.line <= 0)
            continue;
        qsizetype element = -1;
        for (qsizetype i = 0; i < outline.elements().size() && element < 0; ++i) {
            const OutlineElement &candidate = outline.elements().at(i);
            if (candidate.at.line == finding.place.line && candidate.at.column == finding.place.column)
                element = i;
        }
        if (element < 0)
            continue;
        const StartTag tag = outline.startTag(document.text, element);
        const Range span{document.text.positionAt(tag.begin), document.text.positionAt(tag.end)};
        if (span.end < range.start || range.end < span.start)
            continue;

        // The text the suggestion replaces: one of the places the finding's
        // code is about, the one whose text the suggestion is close to.
        struct Candidate
        {
            qsizetype start;
            qsizetype end;
        };
        QList<Candidate> candidates;
        const auto value = [&](const StartTag &in, const char *name) {
            if (const AttributeSpan *attribute = in.find(QLatin1String(name)))
                candidates.append({attribute->valueStart, attribute->valueEnd});
        };
        const QString &code = finding.code;
        if (code == QLatin1String("unknown-attribute")) {
            for (const AttributeSpan &attribute : tag.attributes)
                candidates.append({attribute.nameStart, attribute.nameStart + attribute.name.size()});
        } else if (code == QLatin1String("unknown-ref-key") || code == QLatin1String("blank-in-ref-key")
                   || code == QLatin1String("unknown-complex-type")) {
            const bool keys = code != QLatin1String("unknown-complex-type");
            if (const AttributeSpan *ref = tag.find(QLatin1String(instances::kRef))) {
                qsizetype start = ref->valueStart;
                while (start <= ref->valueEnd) {
                    qsizetype end = text.indexOf(QLatin1Char(instances::kRefSeparator), start);
                    end = end < 0 || end > ref->valueEnd ? ref->valueEnd : end;
                    const qsizetype assign = text.indexOf(QLatin1Char(instances::kRefAssign), start);
                    if (assign >= 0 && assign < end) {
                        const bool complex = text.mid(start, assign - start) == QLatin1String(instances::kRefComplex);
                        if (keys)
                            candidates.append({start, assign});
                        else if (complex)
                            candidates.append({assign + 1, end});
                    }
                    start = end + 1;
                }
            }
        } else if (code == QLatin1String("unknown-device-type") || code == QLatin1String("unknown-style-type")) {
            value(tag, instances::kType);
        } else if (code == QLatin1String("unknown-drivertype")) {
            value(tag, devicetype::kDriverType);
        } else if (code == QLatin1String("composite-not-yes")) {
            value(tag, instances::kComposite);
            if (candidates.isEmpty()) {
                candidates.append({tag.nameEnd, tag.nameEnd}); // inserted as a whole attribute
            }
        } else if (code == QLatin1String("unknown-member") || code == QLatin1String("unknown-redirection-id")) {
            value(tag, complextype::kMemberId);
        } else if (code == QLatin1String("unknown-parameter")) {
            value(tag, complextype::kRedirectionParam);
        } else if (code == QLatin1String("unknown-instance")) {
            // A redirection, a group, or an instance whose groups name it.
            value(tag, complextype::kRedirectionDevice);
            value(tag, instances::kGroupInstance);
            for (qsizetype i = element + 1; i < outline.elements().size(); ++i) {
                if (outline.elements().at(i).parent == element)
                    value(outline.startTag(document.text, i), instances::kGroupInstance);
            }
        }
        // A quick fix for each suggestion: on a tie, for each of them.
        for (const QString &suggestion : finding.suggestions) {
            for (const Candidate &candidate : std::as_const(candidates)) {
                const QString old = text.mid(candidate.start, candidate.end - candidate.start);
                QString replacement = suggestion;
                const bool insert = candidate.start == candidate.end && code == QLatin1String("composite-not-yes");
                if (insert)
                    replacement = QStringLiteral(" %1=\"%2\"").arg(QLatin1String(instances::kComposite), suggestion);
                else if (old == suggestion || !closeTo(old, suggestion))
                    continue;
                const Range edit{document.text.positionAt(candidate.start), document.text.positionAt(candidate.end)};
                const QString title = insert
                        ? QStringLiteral("Add %1=\"%2\"").arg(QLatin1String(instances::kComposite), suggestion)
                        : QStringLiteral("Replace %1 with %2").arg(quoted(old), quoted(suggestion));
                QJsonObject changes{{document.uri, QJsonArray{QJsonObject{{QStringLiteral("range"), edit.toJson()},
                                                                          {QStringLiteral("newText"), replacement}}}}};
                actions.append(QJsonObject{
                        {QStringLiteral("title"), title},
                        {QStringLiteral("kind"), QStringLiteral("quickfix")},
                        {QStringLiteral("isPreferred"),
                         finding.suggestions.size() == 1 && (insert || madeByCheckFix(code, old, suggestion))},
                        {QStringLiteral("diagnostics"), diagnostics({finding}, &document, docs)},
                        {QStringLiteral("edit"), QJsonObject{{QStringLiteral("changes"), changes}}}});
                break;
            }
        }
    }
    return actions;
}

QJsonValue hover(const WorkspaceCheck &check, const OpenDocument &document, Position position)
{
    const Symbol symbol = symbolAt(document, position);
    const QString text = hoverText(check, symbol);
    if (text.isEmpty())
        return QJsonValue::Null;
    const Range range{document.text.positionAt(symbol.start), document.text.positionAt(symbol.end)};
    return QJsonObject{{QStringLiteral("contents"),
                        QJsonObject{{QStringLiteral("kind"), QStringLiteral("markdown")},
                                    {QStringLiteral("value"), QStringLiteral("```text\n") + text
                                             + QStringLiteral("\n```")}}},
                       {QStringLiteral("range"), range.toJson()}};
}

QJsonValue definition(const WorkspaceCheck &check, const OpenDocument &document, Position position)
{
    const Symbol symbol = symbolAt(document, position);
    Place place;
    switch (symbol.kind) {
    case SymbolKind::Instance: place = instancePlace(check, symbol.name); break;
    case SymbolKind::Parameter: place = parameterPlace(check, symbol); break;
    case SymbolKind::DeviceType:
        place = {check.index().deviceTypes.value(vrex::deviceTypeKey(symbol.name)).path, 1, 1};
        break;
    case SymbolKind::ComplexType: place = {check.index().complexTypes.value(symbol.name).path, 1, 1}; break;
    default: break;
    }
    if (place.file.isEmpty())
        return QJsonValue::Null;
    return location(place);
}

QJsonArray references(const WorkspaceCheck &check, const OpenDocument &document, Position position,
                      bool withDeclaration)
{
    const Symbol symbol = symbolAt(document, position);
    const vrex::Installation &installation = check.installation();
    const DefinitionIndex &index = check.index();
    QJsonArray result;
    const auto add = [&result](const Place &place) {
        if (!place.file.isEmpty())
            result.append(location(place));
    };
    const auto eachRedirection = [&](auto visit) {
        for (auto type = installation.complexTypes().cbegin(); type != installation.complexTypes().cend(); ++type) {
            const auto file = index.complexTypes.constFind(type.key());
            for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
                for (auto param = member->params.cbegin(); param != member->params.cend(); ++param) {
                    if (file != index.complexTypes.cend() && visit(member.key(), param.key(), *param))
                        add(file->redirections.value({member.key(), param.key()}));
                }
            }
        }
    };
    switch (symbol.kind) {
    case SymbolKind::Instance: {
        if (withDeclaration)
            add(instancePlace(check, symbol.name));
        for (auto it = installation.instances().cbegin(); it != installation.instances().cend(); ++it) {
            for (const QString &member : it->groups) {
                if (member == symbol.name) {
                    add(instancePlace(check, it.key()));
                    break;
                }
            }
        }
        for (const DefinitionIndex::ComplexTypeFile &file : index.complexTypes)
            add(file.members.value(symbol.name));
        eachRedirection([&symbol](const QString &, const QString &, const complexParam &param) {
            return param.device == symbol.name;
        });
        break;
    }
    case SymbolKind::DeviceType:
    case SymbolKind::ComplexType: {
        const bool deviceType = symbol.kind == SymbolKind::DeviceType;
        const QString key = deviceType ? vrex::deviceTypeKey(symbol.name) : symbol.name;
        if (withDeclaration) {
            add({deviceType ? index.deviceTypes.value(key).path : index.complexTypes.value(key).path, 1, 1});
        }
        for (auto it = installation.instances().cbegin(); it != installation.instances().cend(); ++it) {
            if (deviceType ? vrex::deviceTypeKey(it->type) == key : it->complex == key)
                add(instancePlace(check, it.key()));
        }
        break;
    }
    case SymbolKind::Parameter: {
        const QString key = symbol.instance.isNull()
                ? symbol.deviceType
                : vrex::deviceTypeKey(installation.instances().value(symbol.instance).type);
        if (withDeclaration)
            add(index.deviceTypes.value(key).params.value(symbol.name));
        const auto typeOf = [&installation](const QString &instance) {
            return vrex::deviceTypeKey(installation.instances().value(instance).type);
        };
        // Redirections of the parameter (on members of the type) and to it.
        eachRedirection([&](const QString &member, const QString &id, const complexParam &param) {
            return (id == symbol.name && typeOf(member) == key) || (param.param == symbol.name && typeOf(param.device) == key);
        });
        break;
    }
    default: break;
    }
    return result;
}

QJsonObject completion(const WorkspaceCheck &check, const OpenDocument &document, Position position)
{
    const qsizetype offset = document.text.offsetAt(position);
    const Cursor cursor = cursorAt(document, offset);
    QJsonArray items;
    bool incomplete = false;
    if (cursor.element < 0)
        return {{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
    const vrex::Installation &installation = check.installation();
    const OutlineElement &element = document.outline().elements().at(cursor.element);
    const QString &text = document.text.text();
    const Range range{document.text.positionAt(cursor.wordStart), document.text.positionAt(cursor.wordEnd)};
    const QString typed = text.mid(cursor.wordStart, offset - cursor.wordStart);
    const auto offer = [&](const QStringList &labels, int kind, const QString &detail) {
        for (const QString &label : labels) {
            if (label.startsWith(typed, Qt::CaseInsensitive))
                items.append(completionItem(label, kind, detail, range));
        }
    };
    const auto offerInstances = [&] {
        // Instances are many: the ones that begin with what is typed, in
        // key order, straight from the registry's order.
        const vrex::InstanceRegistry &registry = installation.instances();
        for (auto it = registry.lowerBound(typed); it != registry.cend() && it.key().startsWith(typed); ++it) {
            if (items.size() == kMaxCompletions) {
                incomplete = true;
                break;
            }
            items.append(completionItem(it.key(), KindReference, it->type, range));
        }
    };
    const auto parametersOf = [&installation](const QString &instance) {
        const auto type = vrex::findDeviceType(installation.deviceTypes(),
                                               installation.instances().value(instance).type);
        return type == installation.deviceTypes().cend() ? QStringList() : QStringList(type->params.keys());
    };

    const AttributeSpan *span = cursor.span();
    if (!span) {
        // Between attributes: the ones the element may still take.
        if (offset < cursor.tag.nameEnd)
            return {{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
        QStringList names;
        switch (element.role) {
        case RecordRole::Instance: names = words(instances::kInstanceAttributes); break;
        case RecordRole::Group: names = words(instances::kGroupAttributes); break;
        case RecordRole::DeviceTypeRoot: names = words(devicetype::kRootAttributes); break;
        case RecordRole::Parameter: names = words(devicetype::kParamAttributes); break;
        case RecordRole::Member: names = words(complextype::kMemberAttributes); break;
        case RecordRole::Redirection: names = words(complextype::kRedirectionAttributes); break;
        case RecordRole::Style: names = words(stylesheet::kStyleAttributes); break;
        case RecordRole::Setting: names = words(stylesheet::kSettingAttributes); break;
        default: break;
        }
        for (const QString &name : std::as_const(names)) {
            if (!element.has(name.toUtf8().constData())) {
                const Position here = document.text.positionAt(offset);
                items.append(completionItem(name, KindProperty, QStringLiteral("attribute"), {here, here}));
            }
        }
        return {{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), items}};
    }
    const QString &attribute = span->name;
    const auto is = [&attribute](const char *name) { return attribute == QLatin1String(name); };
    switch (element.role) {
    case RecordRole::Instance:
        if (is(instances::kType)) {
            QStringList names;
            for (const DefinitionIndex::DeviceTypeFile &file : check.index().deviceTypes)
                names.append(baseName(file.path));
            names.sort(Qt::CaseInsensitive);
            offer(names, KindFile, QStringLiteral("device type"));
        } else if (is(instances::kRef) && cursor.refKey) {
            offer(words(instances::kRefKeys), KindKeyword, QStringLiteral("ref key"));
        } else if (is(instances::kRef) && cursor.refPiece == QLatin1String(instances::kRefComplex)) {
            offer(installation.complexTypes().keys(), KindFile, QStringLiteral("complex type"));
        } else if (is(instances::kComposite)) {
            offer({QLatin1String(instances::kCompositeYes)}, KindKeyword, QStringLiteral("composite"));
        }
        break;
    case RecordRole::Group:
        if (is(instances::kGroupInstance))
            offerInstances();
        break;
    case RecordRole::DeviceTypeRoot:
        if (is(devicetype::kDriverType)) {
            QStringList names;
            for (const devicetype::DriverType &type : devicetype::kDriverTypes)
                names.append(QLatin1String(type.word));
            offer(names, KindKeyword, QStringLiteral("driver type"));
        }
        break;
    case RecordRole::Member:
        if (is(complextype::kMemberId))
            offerInstances();
        break;
    case RecordRole::Redirection:
        if (is(complextype::kRedirectionDevice)) {
            offerInstances();
        } else if (is(complextype::kRedirectionParam)) {
            offer(parametersOf(element.value(complextype::kRedirectionDevice)), KindField,
                  QStringLiteral("parameter"));
        } else if (is(complextype::kRedirectionId) && element.parent >= 0) {
            offer(parametersOf(document.outline().elements().at(element.parent).value(complextype::kMemberId)),
                  KindField, QStringLiteral("parameter"));
        }
        break;
    case RecordRole::Style:
        if (is(stylesheet::kType)) {
            QStringList names;
            for (const stylesheet::StyleType &type : stylesheet::kStyleTypes)
                names.append(QLatin1String(type.word));
            offer(names, KindValue, QStringLiteral("style type"));
        }
        break;
    default: break;
    }
    return {{QStringLiteral("isIncomplete"), incomplete}, {QStringLiteral("items"), items}};
}

} // namespace vrexctl::lsp
