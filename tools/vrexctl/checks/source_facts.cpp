// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/source_facts.h"

#include "checks/name_suggestion.h"
#include "checks/record_roles.h"
#include "checks/rules.h"

#include "installation/installation_layout.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "stylesheet/stylesheet_format.h"
#include "output/quoting.h"

#include <QtCore/QRegularExpression>

#include <utility>

namespace vrexctl {

namespace {

using vrex::RecordRole;
namespace instances = vrex::instances_format;
namespace devicetype = vrex::devicetype_format;
namespace stylesheet = vrex::stylesheet_format;

constexpr QLatin1StringView kCommentMark("vrexctl:");
constexpr QLatin1StringView kDisable("disable");
constexpr QLatin1StringView kDisableFile("disable-file");

} // namespace

SourceObserver::SourceObserver(vrex::FormatObserver &inner, SourceFacts &facts, bool subjects, bool fixes)
    : m_inner(inner), m_facts(facts), m_subjects(subjects), m_fixes(fixes)
{
}

void SourceObserver::beginFile(const QString &path)
{
    m_file = path;
    m_fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (m_fileName.endsWith(vrex::layout::kXmlSuffix, Qt::CaseInsensitive))
        m_fileName.chop(vrex::layout::kXmlSuffix.size());
    m_pending.reset();
    m_parent.clear();
    m_inner.beginFile(path);
}

void SourceObserver::endFile(const QString &path, const vrex::xml::Result &result)
{
    takePending();
    if (result.status == vrex::xml::Status::Unreadable || result.status == vrex::xml::Status::NotWellFormed)
        m_facts.unparsed.insert(path);
    m_inner.endFile(path, result);
}

void SourceObserver::element(RecordRole role, const vrex::xml::Element &element)
{
    takePending();
    // Positions only for what needs them: the load's own path asks for none.
    if (m_subjects || m_fixes)
        m_elementAt = element.position();
    if (m_subjects)
        m_pending = Pending{role, m_elementAt, QString()};
    m_inner.element(role, element);
}

// An element's subject is known once its attributes are: when the next
// element begins or the file ends.
void SourceObserver::takePending()
{
    if (!m_pending)
        return;
    const Pending pending = *std::exchange(m_pending, std::nullopt);
    QString subject;
    switch (pending.role) {
    case RecordRole::DeviceTypeRoot:
        m_root = QStringLiteral("device type ") + quoted(m_fileName);
        subject = m_root;
        break;
    case RecordRole::ComplexTypeRoot:
        m_root = QStringLiteral("complex type ") + quoted(m_fileName);
        subject = m_root;
        break;
    case RecordRole::StylesheetRoot: subject = QStringLiteral("stylesheet"); break;
    case RecordRole::Instance: m_parent = subject = QStringLiteral("instance ") + quoted(pending.name); break;
    case RecordRole::Style: m_parent = subject = QStringLiteral("style ") + quoted(pending.name); break;
    case RecordRole::Member:
        m_parent = subject = m_root + QStringLiteral(" member ") + quoted(pending.name);
        break;
    case RecordRole::Group: subject = m_parent + QStringLiteral(" group ") + quoted(pending.name); break;
    case RecordRole::Parameter: subject = m_root + QStringLiteral(" parameter ") + quoted(pending.name); break;
    case RecordRole::Redirection: subject = m_parent + QStringLiteral(" redirection ") + quoted(pending.name); break;
    case RecordRole::Setting: subject = m_parent + QStringLiteral(" setting"); break;
    }
    m_facts.subjects.insert({m_file, pending.at.line, pending.at.column}, subject);
}

void SourceObserver::attribute(RecordRole role, const vrex::xml::Element &element, const char *name,
                               const char *value, bool known)
{
    if (m_pending && known && roleNameAttribute(role) && qstrcmp(name, roleNameAttribute(role)) == 0)
        m_pending->name = QString::fromUtf8(value);
    if (m_fixes) {
        const QString written = QString::fromUtf8(name);
        if (!known) {
            const QString suggestion = suggestName(written, roleAttributes(role));
            if (!suggestion.isNull())
                addFix(element, m_elementAt,
                       {QStringLiteral("unknown-attribute"), suggestion, FixCandidate::RenameAttribute, {}, 0, {},
                        name, suggestion.toUtf8()});
        } else if (role == RecordRole::Instance && qstrcmp(name, instances::kComposite) == 0
                   && qstrcmp(value, instances::kCompositeYes) != 0
                   && qstricmp(value, instances::kCompositeYes) == 0) {
            addFix(element, m_elementAt,
                   {QStringLiteral("composite-not-yes"), QLatin1String(instances::kCompositeYes),
                    FixCandidate::ReplaceValue, {}, 0, name, value, instances::kCompositeYes});
        }
    }
    m_inner.attribute(role, element, name, value, known);
}

void SourceObserver::notice(RecordRole role, const vrex::xml::Element &element, Notice kind,
                            QByteArrayView subject, QByteArrayView value)
{
    if (m_fixes) {
        const QString written = QString::fromUtf8(subject);
        QStringList refKeys = wordList(instances::kRefKeys);
        if (kind == Notice::UnknownRefKey) {
            const QString suggestion = suggestName(written, refKeys);
            if (!suggestion.isNull())
                addFix(element, m_elementAt,
                       {QStringLiteral("unknown-ref-key"), suggestion, FixCandidate::RenameRefKey, {}, 0,
                        instances::kRef, subject.toByteArray(), suggestion.toUtf8()});
        } else if (kind == Notice::BlankAroundRefKey) {
            const QString trimmed = written.trimmed();
            addFix(element, m_elementAt,
                   {QStringLiteral("blank-in-ref-key"), trimmed, FixCandidate::RenameRefKey, {}, 0, instances::kRef,
                    subject.toByteArray(), trimmed.toUtf8()});
        } else if (kind == Notice::UnknownWord) {
            const QString word = QString::fromUtf8(value);
            QStringList known;
            if (role == RecordRole::DeviceTypeRoot) {
                for (const devicetype::DriverType &type : devicetype::kDriverTypes)
                    known.append(QLatin1String(type.word));
                // The library reads the first letter only: a suggestion with
                // the same first letter leaves what it reads as it is.
                const QString suggestion = suggestName(word.toLower(), known);
                if (!suggestion.isNull() && !word.isEmpty()
                    && word.front().toLower() == suggestion.front())
                    addFix(element, m_elementAt,
                           {QStringLiteral("unknown-drivertype"), suggestion, FixCandidate::ReplaceValue, {}, 0,
                            subject.toByteArray(), value.toByteArray(), suggestion.toUtf8()});
            } else {
                for (const stylesheet::StyleType &type : stylesheet::kStyleTypes)
                    known.append(QLatin1String(type.word));
                const QString suggestion = suggestName(word, known);
                if (!suggestion.isNull() && suggestion.compare(word, Qt::CaseInsensitive) == 0)
                    addFix(element, m_elementAt,
                           {QStringLiteral("unknown-style-type"), suggestion, FixCandidate::ReplaceValue, {}, 0,
                            subject.toByteArray(), value.toByteArray(), suggestion.toUtf8()});
            }
        }
    }
    m_inner.notice(role, element, kind, subject, value);
}

void SourceObserver::addFix(const vrex::xml::Element &element, vrex::xml::Position at, FixCandidate fix)
{
    fix.element = element.name();
    fix.tagOffset = element.byteOffset();
    m_facts.fixes[{m_file, at.line, at.column}].append(std::move(fix));
}

bool SourceObserver::keepsComment(QByteArrayView text) const
{
    return text.trimmed().startsWith(QByteArrayView(kCommentMark.data(), kCommentMark.size()));
}

// <!-- vrexctl: disable=CODE[,CODE...] [reason] --> for the next element,
// disable-file= for the whole file. Anything after the list is a reason.
void SourceObserver::comment(QByteArrayView text, vrex::xml::Position at, vrex::xml::Position next)
{
    const QString body = QString::fromUtf8(text).trimmed();
    if (!body.startsWith(kCommentMark))
        return;
    const Place place{m_file, at.line, at.column};
    const auto problem = [&](const QString &message, const QString &suggestion) {
        Finding finding;
        finding.place = place;
        finding.severity = Finding::Warning;
        finding.code = QStringLiteral("bad-suppression");
        finding.message = message;
        if (!suggestion.isNull())
            finding.suggestions = {suggestion};
        m_facts.problems.append(finding);
    };
    static const QRegularExpression directive(
            QStringLiteral("^\\s*([A-Za-z-]*)\\s*=\\s*([A-Za-z0-9-]+(?:\\s*,\\s*[A-Za-z0-9-]+)*)"));
    const QRegularExpressionMatch match = directive.match(body.mid(kCommentMark.size()));
    const QString word = match.captured(1);
    if (!match.hasMatch() || (word != kDisable && word != kDisableFile)) {
        problem(QStringLiteral("a suppression comment says 'disable=CODE,...' or 'disable-file=CODE,...'"),
                match.hasMatch() ? suggestName(word, {kDisable, kDisableFile}) : QString());
        return;
    }
    const bool fileWide = word == kDisableFile;
    static const QRegularExpression separator(QStringLiteral("\\s*,\\s*"));
    const QStringList codes = ruleCodes();
    for (const QString &code : match.captured(2).split(separator)) {
        if (!codes.contains(code)) {
            problem(QStringLiteral("suppression of %1, which is no code; it suppresses nothing").arg(quoted(code)),
                    suggestName(code, codes));
            continue;
        }
        const qsizetype index = m_facts.suppressions.size();
        m_facts.suppressions.append({place, code, fileWide, 0});
        if (fileWide)
            m_facts.fileSuppressions[m_file].append(index);
        else if (next.line > 0)
            m_facts.elementSuppressions[{m_file, next.line, next.column}].append(index);
    }
}

} // namespace vrexctl
