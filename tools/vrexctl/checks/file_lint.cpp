// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/file_lint.h"

#include "checks/name_suggestion.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"
#include "instance_lookup/complextype_format.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "stylesheet/stylesheet_format.h"
#include "xml/attribute_text.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cerrno>
#include <cstring>
#include <utility>

#include <unistd.h>

namespace vrexctl {

namespace {

using vrex::RecordRole;
namespace instances = vrex::instances_format;
namespace devicetype = vrex::devicetype_format;
namespace complextype = vrex::complextype_format;
namespace stylesheet = vrex::stylesheet_format;

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString utf8(QByteArrayView text)
{
    return QString::fromUtf8(text);
}

template<size_t N>
QStringList wordList(const char *const (&words)[N])
{
    QStringList list;
    for (const char *word : words)
        list.append(QLatin1String(word));
    return list;
}

Finding makeFinding(const Place &place, Finding::Severity severity, const char *code, const QString &message,
                    const QString &suggestion = QString())
{
    Finding result;
    result.place = place;
    result.severity = severity;
    result.code = QLatin1String(code);
    result.message = message;
    result.suggestion = suggestion;
    return result;
}

// How messages name an element of each role (a role, not a tag: most tags
// are free; where a format writes one tag, that tag), and the attributes
// it reads, for suggestions.
struct RoleWords
{
    QString name;
    QStringList attributes;
};

RoleWords roleWords(RecordRole role)
{
    switch (role) {
    case RecordRole::Instance:
        return {QLatin1String(instances::kInstance), wordList(instances::kInstanceAttributes)};
    case RecordRole::Group: return {QLatin1String(instances::kGroup), wordList(instances::kGroupAttributes)};
    case RecordRole::DeviceTypeRoot:
        return {QLatin1String(devicetype::kRoot), wordList(devicetype::kRootAttributes)};
    case RecordRole::Parameter: return {QStringLiteral("parameter"), wordList(devicetype::kParamAttributes)};
    case RecordRole::ComplexTypeRoot: return {QStringLiteral("complex type root"), {}};
    case RecordRole::Member: return {QLatin1String(complextype::kMember), wordList(complextype::kMemberAttributes)};
    case RecordRole::Redirection:
        return {QStringLiteral("redirection"), wordList(complextype::kRedirectionAttributes)};
    case RecordRole::StylesheetRoot: return {QLatin1String(stylesheet::kRoot), {}};
    case RecordRole::Style: return {QLatin1String(stylesheet::kStyle), wordList(stylesheet::kStyleAttributes)};
    case RecordRole::Setting:
        return {QLatin1String(stylesheet::kSetting), wordList(stylesheet::kSettingAttributes)};
    }
    return {QStringLiteral("element"), {}};
}

// The attribute that names the registry entry an element of role gives,
// or null for roles that name none.
const char *nameAttribute(RecordRole role)
{
    switch (role) {
    case RecordRole::Instance: return instances::kId;
    case RecordRole::Group: return instances::kGroupId;
    case RecordRole::Parameter: return devicetype::kParamName;
    case RecordRole::Member: return complextype::kMemberId;
    case RecordRole::Redirection: return complextype::kRedirectionId;
    case RecordRole::Style: return stylesheet::kName;
    default: return nullptr;
    }
}

QStringList driverTypeWords()
{
    QStringList words;
    for (const devicetype::DriverType &type : devicetype::kDriverTypes)
        words.append(QLatin1String(type.word));
    return words;
}

QStringList styleTypeWords()
{
    QStringList words;
    for (const stylesheet::StyleType &type : stylesheet::kStyleTypes)
        words.append(QLatin1String(type.word));
    return words;
}

QString rootTag(const char *root)
{
    return QLatin1Char('<') + QLatin1String(root) + QLatin1Char('>');
}

} // namespace

QString instancesCause() { return QStringLiteral("instances"); }
QString deviceTypeCause(const QString &key) { return QStringLiteral("devicetype:") + key; }
QString complexTypeCause(const QString &name) { return QStringLiteral("complex:") + name; }
QString deviceTypesDirectoryCause() { return QStringLiteral("dir:devicetypes"); }
QString complexTypesDirectoryCause() { return QStringLiteral("dir:complex"); }

FileLint::FileLint(const vrex::Installation &installation, FindingList &findings, DefinitionIndex &index)
    : m_findings(findings),
      m_index(index),
      m_instancesFile(installation.path(vrex::layout::kInstancesFile)),
      m_stylesheetFile(installation.path(vrex::layout::kStylesheetFile)),
      m_deviceTypesDir(installation.path(vrex::layout::kDeviceTypesDir)),
      m_complexTypesDir(installation.path(vrex::layout::kComplexTypesDir))
{
    m_index.instancesFile = m_instancesFile;
}

void FileLint::beginFile(const QString &path)
{
    m_file = path;
    m_name.clear();
    m_kind = FileKind::Other;
    m_record.reset();
    m_recordFindings.clear();
    m_firstInFile.clear();
    m_firstInParent.clear();
    if (path == m_instancesFile) {
        m_kind = FileKind::Instances;
        return;
    }
    if (path == m_stylesheetFile) {
        m_kind = FileKind::Stylesheet;
        return;
    }
    // A type's file is its directory's entry NAME.xml, the extension in any
    // case; the loader opens it by the path it listed.
    const QString directory = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString base = path.mid(directory.size() + 1).chopped(vrex::layout::kXmlSuffix.size());
    if (directory == m_deviceTypesDir) {
        checkCaseClash(m_lastDeviceTypeFile, QStringLiteral("device-type file"), true);
        m_kind = FileKind::DeviceType;
        // Names that differ only in case share their key, so the file's own
        // name gives it whichever entry the loader read the file for.
        m_name = vrex::deviceTypeKey(base);
        // Registered whatever the file holds, as the loader does; a later
        // file of the same key replaces it.
        m_index.deviceTypes[m_name] = {path, {}};
    } else if (directory == m_complexTypesDir) {
        checkCaseClash(m_lastComplexTypeFile, QStringLiteral("complex-type file"), false);
        m_kind = FileKind::ComplexType;
        m_name = base; // unless the root element, named after the type, says otherwise
    }
}

// Listings are sorted ignoring case, so names that differ only in case are
// read one after the other. The loader may even read one file twice: an
// entry whose extension is not ".xml" in lower case is looked up by
// NAME.xml, which then resolves to another spelling.
void FileLint::checkCaseClash(QString &previous, const QString &kind, bool laterReplaces)
{
    const QString fileName = m_file.mid(m_file.lastIndexOf(QLatin1Char('/')) + 1);
    const QString earlier = std::exchange(previous, fileName);
    if (earlier.isNull() || earlier.compare(fileName, Qt::CaseInsensitive) != 0)
        return;
    if (earlier == fileName) {
        m_findings.add(makeFinding({m_file, 0, 0}, Finding::Warning, "case-clash",
                                   QStringLiteral("%1 %2 is read twice: another file's name differs from it only "
                                                  "in letter case, and the library reads this one in its place")
                                           .arg(kind, quoted(fileName))));
        return;
    }
    const QString directory = m_file.left(m_file.size() - fileName.size());
    Finding clash = makeFinding({directory + earlier, 0, 0}, Finding::Warning, "case-clash",
                                laterReplaces ? QStringLiteral("%1 %2 differs from %3 only in letter case; "
                                                               "the library keeps only the later one, %3")
                                                        .arg(kind, quoted(earlier), quoted(fileName))
                                              : QStringLiteral("%1 %2 differs from %3 only in letter case; "
                                                               "where letter case is not told apart only "
                                                               "one of them exists")
                                                        .arg(kind, quoted(earlier), quoted(fileName)));
    clash.related.append({{m_file, 0, 0}, QStringLiteral("the other file")});
    m_findings.add(clash);
}

void FileLint::element(RecordRole role, const vrex::xml::Element &element)
{
    if (m_kind == FileKind::Other)
        return;
    takeRecord();
    if (role == RecordRole::ComplexTypeRoot) {
        // Delivered only when it is the type's name, exactly.
        m_name = QString::fromUtf8(element.name());
        m_index.complexTypes[m_name] = {m_file, {}, {}};
    }
    if (!nameAttribute(role))
        return;
    m_record = Record{role, QString(), element.position()};
    if (role == RecordRole::Instance) {
        m_instanceAt = m_record->at;
        m_composite = QString();
    }
}

void FileLint::attribute(RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                         bool known)
{
    if (known) {
        const char *naming = nameAttribute(role);
        if (naming && qstrcmp(name, naming) == 0 && m_record)
            m_record->name = vrex::attributeText(value); // as the parser keys the record
        else if (role == RecordRole::Instance && qstrcmp(name, instances::kComposite) == 0)
            m_composite = utf8(value);
        return;
    }
    const RoleWords words = roleWords(role);
    add(element.position(), "unknown-attribute",
        QStringLiteral("%1 element has no attribute %2; the library ignores it").arg(words.name, quoted(utf8(name))),
        suggestName(utf8(name), words.attributes));
}

void FileLint::notice(RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                      QByteArrayView value)
{
    switch (kind) {
    case Notice::NotANumber:
        add(element.position(), "not-a-number",
            QStringLiteral("%1 value %2 is not a number; the library reads 0")
                    .arg(quoted(utf8(subject)), quoted(utf8(value))));
        return;
    case Notice::UnknownRefKey:
        add(element.position(), "unknown-ref-key",
            QStringLiteral("%1 key %2 is not one the library knows; it is ignored")
                    .arg(QLatin1String(instances::kRef), quoted(utf8(subject))),
            suggestName(utf8(subject), wordList(instances::kRefKeys)));
        return;
    case Notice::BlankAroundRefKey:
        add(element.position(), "blank-in-ref-key",
            QStringLiteral("%1 key %2 has blanks around it, so the library ignores it")
                    .arg(QLatin1String(instances::kRef), quoted(utf8(subject))),
            utf8(subject).trimmed());
        return;
    case Notice::UnknownWord:
        if (role == RecordRole::DeviceTypeRoot) {
            // Driver type words are read whatever their case.
            add(element.position(), "unknown-drivertype",
                QStringLiteral("%1 %2 is no known word; the library goes by its first letter only")
                        .arg(utf8(subject), quoted(utf8(value))),
                suggestName(utf8(value).toLower(), driverTypeWords()));
        } else {
            add(element.position(), "unknown-style-type",
                QStringLiteral("style %1 %2 is not recognised; the style keeps no type")
                        .arg(utf8(subject), quoted(utf8(value))),
                suggestName(utf8(value), styleTypeWords()));
        }
        return;
    case Notice::GroupsIgnored: {
        const QString composite = QLatin1String(instances::kComposite);
        const QString yes = QLatin1String(instances::kCompositeYes);
        add(m_instanceAt, "composite-not-yes",
            m_composite.isNull()
                    ? QStringLiteral("instance has %1 children but no %2=\"%3\"; the library ignores them")
                              .arg(QLatin1String(instances::kGroup), composite, yes)
                    : QStringLiteral("%1 is %2, not exactly '%3'; the library ignores the %4 children")
                              .arg(composite, quoted(m_composite), yes, QLatin1String(instances::kGroup)),
            yes);
        return;
    }
    }
}

void FileLint::add(vrex::xml::Position at, const char *code, const QString &message, const QString &suggestion)
{
    m_findings.add(makeFinding(placeOf(at), Finding::Warning, code, message, suggestion));
}

// Findings about a record go to the file's own list until the load takes
// the file; the index is filled as the records come, and emptied of them
// when it does not.
void FileLint::takeRecord()
{
    if (!m_record)
        return;
    const Record record = *std::exchange(m_record, std::nullopt);
    const Place place = placeOf(record.at);
    switch (record.role) {
    case RecordRole::Instance: {
        // The index finds duplicates too: the largest file is hashed once.
        DefinitionIndex::Position &position = m_index.instances[record.name];
        if (position.line != 0) {
            Finding duplicate = makeFinding(place, Finding::Warning, "duplicate-instance",
                                            QStringLiteral("instance %1 is defined again; the library keeps "
                                                           "only the last definition")
                                                    .arg(quoted(record.name)));
            duplicate.related.append({{m_file, position.line, position.column},
                                      QStringLiteral("defined before here")});
            m_recordFindings.append(duplicate);
        }
        position = {record.at.line, record.at.column};
        if (record.name.isEmpty()) {
            m_recordFindings.append(makeFinding(place, Finding::Warning, "empty-name",
                                                QStringLiteral("instance without an id is stored under the "
                                                               "empty name")));
        }
        m_firstInParent.clear();
        return;
    }
    case RecordRole::Group:
        addIfDuplicate(m_firstInParent, record, "duplicate-group", QLatin1String(instances::kGroup));
        return;
    case RecordRole::Parameter:
        addIfDuplicate(m_firstInFile, record, "duplicate-parameter", QStringLiteral("parameter"));
        m_index.deviceTypes[m_name].params.insert(record.name, place);
        return;
    case RecordRole::Member:
        addIfDuplicate(m_firstInFile, record, "duplicate-member", QLatin1String(complextype::kMember));
        m_index.complexTypes[m_name].members.insert(record.name, place);
        m_member = record.name;
        m_firstInParent.clear();
        return;
    case RecordRole::Redirection:
        addIfDuplicate(m_firstInParent, record, "duplicate-redirection", QStringLiteral("redirection"));
        m_index.complexTypes[m_name].redirections.insert({m_member, record.name}, place);
        return;
    case RecordRole::Style:
        addIfDuplicate(m_firstInFile, record, "duplicate-style", QLatin1String(stylesheet::kStyle));
        if (record.name.isEmpty()) {
            m_recordFindings.append(makeFinding(place, Finding::Warning, "empty-name",
                                                QStringLiteral("style without a name is stored under the "
                                                               "empty name")));
        }
        return;
    default:
        return;
    }
}

// Reports a name defined again after its first definition in first.
void FileLint::addIfDuplicate(QHash<QString, Place> &first, const Record &record, const char *code,
                              const QString &what)
{
    const Place place = placeOf(record.at);
    const auto earlier = first.constFind(record.name);
    if (earlier == first.constEnd()) {
        first.insert(record.name, place);
        return;
    }
    Finding duplicate = makeFinding(place, Finding::Warning, code,
                                    QStringLiteral("%1 %2 is defined again; the library keeps only the last "
                                                   "definition")
                                            .arg(what, quoted(record.name)));
    duplicate.related.append({*earlier, QStringLiteral("first defined here")});
    m_recordFindings.append(duplicate);
}

void FileLint::endFile(const QString &path, const vrex::xml::Result &result)
{
    Q_UNUSED(path); // the one beginFile() named
    takeRecord();
    switch (m_kind) {
    case FileKind::Instances: endInstances(result); break;
    case FileKind::DeviceType: endDeviceType(result); break;
    case FileKind::ComplexType: endComplexType(result); break;
    case FileKind::Stylesheet: endStylesheet(result); break;
    case FileKind::Other: break;
    }
    m_recordFindings.clear();
    m_kind = FileKind::Other;
}

// Registers why a file the reader did not take cannot be read (a root
// cause); wrong roots are each format's own. True when the records count.
bool FileLint::accept(const vrex::xml::Result &result, const QString &cause, const QString &kind)
{
    switch (result.status) {
    case vrex::xml::Status::Unreadable:
        m_findings.addRootCause(cause, makeFinding({m_file, 0, 0}, Finding::Error, "unreadable-file",
                                                   QStringLiteral("cannot read the %1: %2")
                                                           .arg(kind, result.reason.isEmpty()
                                                                              ? unreadableReason(m_file)
                                                                              : result.reason)));
        return false;
    case vrex::xml::Status::NotWellFormed:
        m_findings.addRootCause(cause, makeFinding(placeOf(result.at), Finding::Error, "malformed-xml",
                                                   QStringLiteral("the %1 is not well-formed XML: %2")
                                                           .arg(kind, result.reason)));
        return false;
    default:
        for (Finding &finding : m_recordFindings)
            m_findings.add(std::move(finding));
        return true;
    }
}

void FileLint::endInstances(const vrex::xml::Result &result)
{
    if (result.status != vrex::xml::Status::Ok)
        m_index.instances.clear(); // the load reads nothing from the file
    if (!accept(result, instancesCause(), QStringLiteral("instances file")))
        return;
    if (result.status == vrex::xml::Status::WrongRoot) {
        m_findings.addRootCause(instancesCause(),
                                makeFinding(placeOf(result.at), Finding::Error, "wrong-root",
                                            QStringLiteral("the root element of the instances file is not "
                                                           "%1; the library reads nothing from it")
                                                    .arg(rootTag(instances::kRoot))));
    }
}

void FileLint::endDeviceType(const vrex::xml::Result &result)
{
    if (result.status != vrex::xml::Status::Ok)
        m_index.deviceTypes[m_name].params.clear(); // registered with defaults
    const QString cause = deviceTypeCause(m_name);
    if (!accept(result, cause, QStringLiteral("device-type file")))
        return;
    if (result.status == vrex::xml::Status::WrongRoot) {
        m_findings.addRootCause(cause, makeFinding(placeOf(result.at), Finding::Error, "wrong-root",
                                                   QStringLiteral("the root element of the device-type file is "
                                                                  "not %1; the library reads no parameters from it")
                                                           .arg(rootTag(devicetype::kRoot))));
    }
}

void FileLint::endComplexType(const vrex::xml::Result &result)
{
    // A root named as the file, refused: the loader read this file for
    // another entry, whose name is known only to it. The case clash is the
    // finding; the file's own read is judged on its own.
    if (result.status == vrex::xml::Status::WrongRoot && result.root == m_name)
        return;
    // Registered whatever the file holds, as the loader does.
    if (result.status != vrex::xml::Status::Ok)
        m_index.complexTypes[m_name] = {m_file, {}, {}};
    const QString cause = complexTypeCause(m_name);
    if (!accept(result, cause, QStringLiteral("complex-type file")))
        return;
    if (result.status == vrex::xml::Status::WrongRoot) {
        // The root element is named after the type.
        const QString &root = result.root;
        const bool caseOnly = root.compare(m_name, Qt::CaseInsensitive) == 0;
        m_findings.addRootCause(
                cause, makeFinding(placeOf(result.at), Finding::Error, "wrong-root",
                                   QStringLiteral("the root element %1 %2 the complex type's name %3; the "
                                                  "library reads no members from the file")
                                           .arg(quoted(root),
                                                caseOnly ? QStringLiteral("differs only in letter case from")
                                                         : QStringLiteral("is not"),
                                                quoted(m_name)),
                                   m_name));
    }
}

void FileLint::endStylesheet(const vrex::xml::Result &result)
{
    // A stylesheet with another root is still read.
    if (!accept(result, m_file, QStringLiteral("stylesheet file")))
        return;
    if (result.status == vrex::xml::Status::WrongRoot) {
        m_findings.add(makeFinding(placeOf(result.at), Finding::Warning, "wrong-root",
                                   QStringLiteral("the root element %1 is not %2; the library reads "
                                                  "its children as styles all the same")
                                           .arg(quoted(result.root), rootTag(stylesheet::kRoot)),
                                   QLatin1String(stylesheet::kRoot)));
    }
}

void FileLint::finish()
{
    // Listed only when something follows from it: an installation may well
    // do without complex types.
    const auto checkDirectory = [this](const QString &directory, const QString &cause, const char *kind) {
        if (QFileInfo(directory).isDir())
            return;
        m_findings.addRootCause(cause,
                                makeFinding({directory, 0, 0}, Finding::Error, "missing-directory",
                                            QStringLiteral("the %1 directory does not exist").arg(QLatin1String(kind))),
                                false);
    };
    checkDirectory(m_deviceTypesDir, deviceTypesDirectoryCause(), "device-type");
    checkDirectory(m_complexTypesDir, complexTypesDirectoryCause(), "complex-type");
}

QString unreadableReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? QStringLiteral("a dangling symbolic link") : QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("is a directory");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        return reason.left(1).toLower() + reason.mid(1);
    }
    return QStringLiteral("could not be read");
}

} // namespace vrexctl
