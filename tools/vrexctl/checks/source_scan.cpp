// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/source_scan.h"

#include "installation/file_source.h"
#include "instance_lookup/complextype_format.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "stylesheet/stylesheet_format.h"

#include <QtCore/QSet>

#include <cstring>

namespace vrexctl {

namespace {

using Format = SourceScan::Format;
using Position = SourceScan::Position;

// How a format names its records: the attribute of the records below the
// root, and of their children where the format reads children.
struct Shape
{
    const char *name;
    const char *what;
    const char *childName;    // null: children are not read
    const char *childTag;     // null: any tag
    const char *childWhat;
    const char *readChildren; // the record's attribute that must be "yes" for its children to count, or null
};

Shape shapeOf(Format format)
{
    namespace instances = vrex::instances_format;
    namespace complextype = vrex::complextype_format;
    switch (format) {
    case Format::Instances:
        return {instances::kId, "instance", instances::kGroupId, instances::kGroup, "group", instances::kComposite};
    case Format::DeviceType: return {vrex::devicetype_format::kParamName, "parameter", nullptr, nullptr, nullptr, nullptr};
    case Format::ComplexType:
        return {complextype::kMemberId, "member", complextype::kRedirectionId, nullptr, "redirection", nullptr};
    case Format::Stylesheet: return {vrex::stylesheet_format::kName, "style", nullptr, nullptr, nullptr, nullptr};
    }
    return {};
}

class Scanner final : public vrex::xml::ElementHandler
{
public:
    Scanner(const QString &path, Format format, const QSet<QByteArray> &wanted, bool duplicates,
            QHash<QByteArray, Position> &places, FindingList &findings)
        : m_path(path),
          m_shape(shapeOf(format)),
          m_instances(format == Format::Instances),
          m_wanted(wanted),
          m_duplicates(duplicates),
          m_places(places),
          m_findings(findings)
    {
    }

    void startElement(const vrex::xml::Element &element) override
    {
        if (element.depth() == 1) {
            m_record = QByteArray(element.attribute(m_shape.name));
            m_children.clear();
            m_readChildren = !m_shape.readChildren
                    || qstrcmp(element.attribute(m_shape.readChildren), vrex::instances_format::kCompositeYes) == 0;
            note(m_record, element, m_records, m_instances, m_shape.what);
        } else if (element.depth() == 2 && m_shape.childName && m_readChildren
                   && (!m_shape.childTag || std::strcmp(element.name(), m_shape.childTag) == 0)) {
            const QByteArray child = element.attribute(m_shape.childName);
            note(m_record + '\0' + child, element, m_children, false, m_shape.childWhat, child);
        }
    }

private:
    // Records where key is defined when it is wanted, and a second
    // definition in seen.
    void note(const QByteArray &key, const vrex::xml::Element &element, QHash<QByteArray, Position> &seen,
              bool sayPrevious, const char *what, const QByteArray &name = QByteArray())
    {
        const bool wanted = m_wanted.contains(key);
        if (!wanted && !m_duplicates)
            return;
        const vrex::xml::Position at = element.position();
        if (wanted)
            m_places.insert(key, {at.line, at.column});
        if (!m_duplicates)
            return;
        const auto earlier = seen.find(key);
        if (earlier == seen.end()) {
            seen.insert(key, {at.line, at.column});
            return;
        }
        Finding duplicate;
        duplicate.place = {m_path, at.line, at.column};
        duplicate.severity = Finding::Warning;
        duplicate.code = QStringLiteral("duplicate-") + QLatin1String(what);
        duplicate.message = QStringLiteral("%1 '%2' is defined again; the library keeps only the last definition")
                                    .arg(QLatin1String(what), QString::fromUtf8(name.isNull() ? key : name));
        duplicate.related.append({{m_path, earlier->line, earlier->column},
                                  sayPrevious ? QStringLiteral("defined before here")
                                              : QStringLiteral("first defined here")});
        m_findings.add(duplicate);
        if (sayPrevious)
            *earlier = {at.line, at.column};
    }

    const QString &m_path;
    const Shape m_shape;
    const bool m_instances;
    const QSet<QByteArray> &m_wanted;
    const bool m_duplicates;
    QHash<QByteArray, Position> &m_places;
    FindingList &m_findings;
    QHash<QByteArray, Position> m_records;
    QHash<QByteArray, Position> m_children; // of the record being read
    QByteArray m_record;
    bool m_readChildren = false;
};

} // namespace

QByteArray SourceScan::keyOf(const Subject &subject)
{
    switch (subject.kind) {
    case Subject::Instance: return subject.name.toUtf8();
    case Subject::Group: return subject.name.toUtf8() + '\0' + subject.item.toUtf8();
    case Subject::Redirection: return subject.item.toUtf8() + '\0' + subject.sub.toUtf8();
    default: return subject.item.toUtf8();
    }
}

void SourceScan::scan(const vrex::FileSource &files, const QString &path, Format format, const QList<Subject> &wanted,
                      bool duplicates, FindingList &findings)
{
    QSet<QByteArray> keys;
    for (const Subject &subject : wanted)
        keys.insert(keyOf(subject));
    Scanner scanner(path, format, keys, duplicates, m_places[path], findings);
    // The load took the file, so its root is the right one.
    vrex::xml::readDocument(files.open(path), {QByteArray(), true, 2}, scanner);
}

Place SourceScan::placeOf(const Subject &subject, const QString &path) const
{
    const Position position = m_places.value(path).value(keyOf(subject));
    return {path, position.line, position.column};
}

} // namespace vrexctl
