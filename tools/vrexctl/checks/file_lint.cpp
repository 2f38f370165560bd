// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/file_lint.h"

#include "checks/malformed_hint.h"
#include "checks/name_suggestion.h"
#include "checks/record_roles.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"
#include "instance_lookup/complextype_format.h"
#include "instance_lookup/device_type_key.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_format.h"
#include "stylesheet/stylesheet_format.h"
#include "xml/attribute_text.h"
#include "output/quoting.h"

#include <QtCore/QFile>
#include <QtCore/QUtf8StringView>

#include <cerrno>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrexctl {

namespace {

using vrex::RecordRole;
namespace instances = vrex::instances_format;
namespace devicetype = vrex::devicetype_format;
namespace complextype = vrex::complextype_format;
namespace stylesheet = vrex::stylesheet_format;

QString quotedUtf8(QByteArrayView utf8)
{
    return quoted(QString::fromUtf8(utf8));
}

QString utf8(QByteArrayView text)
{
    return QString::fromUtf8(text);
}

QString systemError(int error)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    return reason.left(1).toLower() + reason.mid(1);
}

// The value of the attribute name of element as written, or null.
// The bytes of an attribute value kept, or null when it was missing.
const char *orNull(const QByteArray &value)
{
    return value.isNull() ? nullptr : value.constData();
}

bool hasBlanksAround(const char *value)
{
    const size_t length = value ? std::strlen(value) : 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return length > 0 && (blank(value[0]) || blank(value[length - 1]));
}

// "1 (serial)": a driver type code as the library reads it, with its word.
QString driverTypeText(int code)
{
    for (const devicetype::DriverType &type : devicetype::kDriverTypes) {
        if (type.code == code)
            return QStringLiteral("%1 (%2)").arg(code).arg(QLatin1String(type.word));
    }
    return QString::number(code);
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

// A decimal written out in full that does not fit in 32 bits.
bool isOutOfRange(QByteArrayView text)
{
    const QByteArrayView digits = text.trimmed();
    qsizetype i = !digits.isEmpty() && (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
    if (i == digits.size())
        return false;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return false;
    }
    return true;
}

} // namespace

QString instancesCause() { return QStringLiteral("instances"); }
QString deviceTypeCause(const QString &key) { return QStringLiteral("devicetype:") + key; }
QString complexTypeCause(const QString &name) { return QStringLiteral("complex:") + name; }
QString deviceTypesDirectoryCause() { return QStringLiteral("dir:devicetypes"); }
QString complexTypesDirectoryCause() { return QStringLiteral("dir:complex"); }

QString DefinitionIndex::fileOf(const Subject &subject) const
{
    switch (subject.kind) {
    case Subject::Instance:
    case Subject::Group: return instancesFile;
    case Subject::Parameter: return deviceTypes.value(subject.name).path;
    case Subject::Member:
    case Subject::Redirection: return complexTypes.value(subject.name).path;
    case Subject::None: break;
    }
    return QString();
}

Place DefinitionIndex::definitionOf(const Subject &subject) const
{
    const QString file = fileOf(subject);
    switch (subject.kind) {
    case Subject::Instance: {
        const Position at = instances.value(subject.name);
        return {file, at.line, at.column};
    }
    case Subject::Parameter: return deviceTypes.value(subject.name).params.value(subject.item, {file, 0, 0});
    case Subject::Member: return complexTypes.value(subject.name).members.value(subject.item, {file, 0, 0});
    case Subject::Redirection:
        return complexTypes.value(subject.name).redirections.value({subject.item, subject.sub}, {file, 0, 0});
    default: return {file, 0, 0};
    }
}

FileLint::FileLint(const vrex::Installation &installation, FindingList &findings, DefinitionIndex &index)
    : m_findings(findings),
      m_index(index),
      m_files(installation.files()),
      m_instancesFile(installation.path(vrex::layout::kInstancesFile)),
      m_stylesheetFile(installation.path(vrex::layout::kStylesheetFile)),
      m_deviceTypes{installation.path(vrex::layout::kDeviceTypesDir), deviceTypesDirectoryCause()},
      m_complexTypes{installation.path(vrex::layout::kComplexTypesDir), complexTypesDirectoryCause()}
{
    m_index.instancesFile = m_instancesFile;
    m_index.stylesheetFile = m_stylesheetFile;
    checkDirectory(m_deviceTypes, "device-type");
    checkDirectory(m_complexTypes, "complex-type");
}

// A directory the library cannot list gives it no files, and nothing says
// so: one finding with the system's reason, and what follows folds into it.
void FileLint::checkDirectory(Directory &directory, const char *kind)
{
    const QByteArray path = QFile::encodeName(directory.path);
    QString reason;
    struct stat status;
    if (::stat(path.constData(), &status) != 0) {
        if (errno == ENOENT) {
            // Listed only when something follows from it: an installation
            // may well do without complex types.
            directory.broken = true;
            directory.alwaysList = false;
            directory.problem = finding({directory.path, 0, 0}, Finding::Error, "missing-directory",
                                        QStringLiteral("the %1 directory does not exist").arg(QLatin1String(kind)));
            return;
        }
        reason = systemError(errno);
    } else if (!S_ISDIR(status.st_mode)) {
        reason = QStringLiteral("not a directory");
    } else if (DIR *listing = ::opendir(path.constData())) {
        ::closedir(listing);
        if (::access(path.constData(), X_OK) != 0)
            reason = QStringLiteral("its files cannot be opened: ") + systemError(errno);
    } else {
        reason = systemError(errno);
    }
    if (reason.isEmpty())
        return;
    directory.broken = true;
    directory.problem = finding({directory.path, 0, 0}, Finding::Error, "unreadable-directory",
                                QStringLiteral("cannot read the %1 directory: %2; the library reads no file from it")
                                        .arg(QLatin1String(kind), reason));
}

// Registered when something first folds into it, or at the end: so that
// it is told with the files, after them.
void FileLint::registerDirectory(Directory &directory)
{
    if (directory.broken && !std::exchange(directory.registered, true))
        m_findings.addRootCause(directory.cause, directory.problem, directory.alwaysList);
}

Finding FileLint::finding(const Place &place, Finding::Severity severity, const char *code, const QString &message,
                          const QStringList &suggestions) const
{
    Finding result;
    result.place = place;
    result.severity = severity;
    result.code = QLatin1String(code);
    result.message = message;
    result.suggestions = suggestions;
    return result;
}

void FileLint::report(const vrex::xml::Element &element, Finding::Severity severity, const char *code,
                      const QString &message, const QStringList &suggestions)
{
    reportAt(element.position(), severity, code, message, suggestions);
}

void FileLint::reportAt(vrex::xml::Position at, Finding::Severity severity, const char *code,
                        const QString &message, const QStringList &suggestions)
{
    m_pending.append(finding(placeOf(at), severity, code, message, suggestions));
}

void FileLint::beginFile(const QString &path)
{
    m_file = path;
    m_name.clear();
    m_kind = FileKind::Other;
    m_pending.clear();
    m_inSetting = false;
    m_repeatedKeys.clear();
    m_counts = nullptr;
    if (path == m_instancesFile) {
        m_kind = FileKind::Instances;
        m_counts = &(m_index.instanceCounts = {});
        m_index.instances.clear();
        return;
    }
    if (path == m_stylesheetFile) {
        m_kind = FileKind::Stylesheet;
        m_counts = &(m_index.stylesheetCounts = {});
        return;
    }
    // A type's file is its directory's entry NAME.xml, the extension in any
    // case; the loader opens it by the path it listed.
    const QString directory = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString base = path.mid(directory.size() + 1).chopped(vrex::layout::kXmlSuffix.size());
    if (directory == m_deviceTypes.path) {
        checkCaseClash(m_lastDeviceTypeFile, QStringLiteral("device-type file"), true);
        m_kind = FileKind::DeviceType;
        // Names that differ only in case share their key, so the file's own
        // name gives it whichever entry the loader read the file for; a
        // later file of the same key replaces it.
        m_name = vrex::deviceTypeKey(base);
        m_counts = &(m_index.deviceTypes[m_name] = {path, {}, {}}).counts;
    } else if (directory == m_complexTypes.path) {
        checkCaseClash(m_lastComplexTypeFile, QStringLiteral("complex-type file"), false);
        m_kind = FileKind::ComplexType;
        m_name = base; // unless the root element, named after the type, says otherwise
        m_counts = &(m_index.complexTypes[m_name] = {path, {}, {}, {}}).counts;
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
        m_findings.add(finding({m_file, 0, 0}, Finding::Warning, "case-clash",
                               QStringLiteral("%1 %2 is read twice: another file's name differs from it only "
                                              "in letter case, and the library reads this one in its place")
                                       .arg(kind, quoted(fileName))));
        return;
    }
    const QString directory = m_file.left(m_file.size() - fileName.size());
    Finding clash = finding({directory + earlier, 0, 0}, Finding::Warning, "case-clash",
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
    finishElement();
    switch (role) {
    case RecordRole::Instance: readInstance(element); return;
    case RecordRole::Group: readGroup(element); return;
    case RecordRole::DeviceTypeRoot: readDeviceTypeRoot(element); return;
    case RecordRole::Parameter: readParameter(element); return;
    case RecordRole::ComplexTypeRoot: return; // delivered only when it is the type's name, exactly
    case RecordRole::Member: readMember(element); return;
    case RecordRole::Redirection: readRedirection(element); return;
    case RecordRole::Style: readStyle(element); return;
    case RecordRole::Setting: readSetting(element); return;
    case RecordRole::StylesheetRoot: return;
    }
}

// The name attribute of a record of role: missing or empty, the record is
// stored under the empty name; blanks around it belong to it. Messages are
// made only when there is something to say.
void FileLint::checkName(const vrex::xml::Element &element, RecordRole role, const char *value)
{
    const char *name = roleNameAttribute(role);
    // Blanks around a member or redirection id are told with what it does
    // not find (registry_checks.cpp).
    const bool definesName = role != RecordRole::Member && role != RecordRole::Redirection;
    if (value && *value && (!definesName || !hasBlanksAround(value)))
        return;
    QString what;
    QString stored = QStringLiteral("name");
    switch (role) {
    case RecordRole::Group:
        what = QStringLiteral("group of instance %1").arg(quotedUtf8(m_instance));
        stored = QStringLiteral("id");
        break;
    case RecordRole::Redirection:
        what = QStringLiteral("redirection of member %1").arg(quotedUtf8(m_member));
        stored = QStringLiteral("parameter name");
        break;
    default:
        what = roleElementName(role);
        break;
    }
    if (!value || !*value) {
        report(element, Finding::Warning, "empty-name",
               QStringLiteral("%1 %2; the library stores it under the empty %3")
                       .arg(what, value ? QStringLiteral("has an empty %1").arg(QLatin1String(name))
                                        : QStringLiteral("has no %1 attribute").arg(QLatin1String(name)),
                            stored));
        return;
    }
    const QString text = utf8(value);
    report(element, Finding::Warning, "blank-in-name",
           QStringLiteral("%1 %2 %3, which is part of the name: %4 does not find it")
                   .arg(what, quoted(text), blanksAround(text), quoted(text.trimmed())),
           {text.trimmed()});
}

// The instances file is large: nothing here asks for a position unless it
// reports something, and nothing is kept per instance but counts.
void FileLint::readInstance(const vrex::xml::Element &element)
{
    ++m_counts->records;
    const char *id = nullptr;
    const char *type = nullptr;
    const char *composite = nullptr;
    for (const auto &attribute : element.attributes()) {
        if (vrex::xml::matches(attribute.name(), instances::kId))
            id = attribute.value();
        else if (vrex::xml::matches(attribute.name(), instances::kType))
            type = attribute.value();
        else if (vrex::xml::matches(attribute.name(), instances::kComposite))
            composite = attribute.value();
    }
    m_instance.resize(0);
    if (id)
        m_instance.append(id);
    if (m_index.definitions) {
        const vrex::xml::Position at = element.position();
        m_index.instances.insert(utf8(m_instance), {at.line, at.column}); // the later one counts
    }
    m_composite = composite ? QByteArray(composite) : QByteArray();
    checkName(element, RecordRole::Instance, id);
    if (!type || !*type) {
        report(element, Finding::Error, "missing-attribute",
               QStringLiteral("instance %1 has %2, so it has no device type: every lookup of its parameters "
                              "fails")
                       .arg(quotedUtf8(m_instance), type ? QStringLiteral("an empty type") : QStringLiteral("no type attribute")));
    }
}

void FileLint::readGroup(const vrex::xml::Element &element)
{
    ++m_counts->children;
    m_group = element.attribute(instances::kGroupId);
    checkName(element, RecordRole::Group, orNull(m_group));
    const char *target = element.attribute(instances::kGroupInstance);
    if (!target || !*target) {
        report(element, Finding::Error, "missing-attribute",
               QStringLiteral("group %1 of instance %2 has %3; the library answers the empty name for it")
                       .arg(quotedUtf8(m_group), quotedUtf8(m_instance),
                            target ? QStringLiteral("an empty instance") : QStringLiteral("no instance attribute")));
    }
}

void FileLint::readDeviceTypeRoot(const vrex::xml::Element &element)
{
    if (!element.attribute(devicetype::kDriverType)) {
        report(element, Finding::Warning, "missing-attribute",
               QStringLiteral("%1 has no drivertype attribute; the library reads %2")
                       .arg(rootTag(devicetype::kRoot), driverTypeText(devicetype::kDefaultDriverType)));
    }
    if (!element.attribute(devicetype::kSlotSpacing)) {
        report(element, Finding::Warning, "missing-attribute",
               QStringLiteral("%1 has no slotspacing attribute; the library reads 0").arg(rootTag(devicetype::kRoot)));
    }
}

void FileLint::readParameter(const vrex::xml::Element &element)
{
    ++m_counts->records;
    m_parameter = element.attribute(devicetype::kParamName);
    if (m_index.definitions)
        m_index.deviceTypes[m_name].params.insert(utf8(m_parameter), placeOf(element.position()));
    checkName(element, RecordRole::Parameter, orNull(m_parameter));
    if (!element.attribute(devicetype::kParamSlot)) {
        report(element, Finding::Warning, "missing-attribute",
               QStringLiteral("parameter %1 has no slot attribute; the library reads slot 0, which marks it for "
                              "redirection")
                       .arg(quotedUtf8(m_parameter)));
    }
}

void FileLint::readMember(const vrex::xml::Element &element)
{
    ++m_counts->records;
    m_member = element.attribute(complextype::kMemberId);
    if (m_index.definitions)
        m_index.complexTypes[m_name].members.insert(utf8(m_member), placeOf(element.position()));
    checkName(element, RecordRole::Member, orNull(m_member));
}

void FileLint::readRedirection(const vrex::xml::Element &element)
{
    ++m_counts->children;
    const char *id = nullptr;
    const char *device = nullptr;
    const char *param = nullptr;
    for (const auto &attribute : element.attributes()) {
        if (vrex::xml::matches(attribute.name(), complextype::kRedirectionId))
            id = attribute.value();
        else if (vrex::xml::matches(attribute.name(), complextype::kRedirectionDevice))
            device = attribute.value();
        else if (vrex::xml::matches(attribute.name(), complextype::kRedirectionParam))
            param = attribute.value();
    }
    m_redirection = id;
    if (m_index.definitions) {
        m_index.complexTypes[m_name].redirections.insert({utf8(m_member), utf8(m_redirection)},
                                                         placeOf(element.position()));
    }
    checkName(element, RecordRole::Redirection, id);
    if (!device || !*device) {
        report(element, Finding::Error, "missing-attribute",
               QStringLiteral("%1 has %2; the lookup finds no instance to go on at")
                       .arg(recordName(RecordRole::Redirection),
                            device ? QStringLiteral("an empty device") : QStringLiteral("no device attribute")));
    } else if (!param || !*param) {
        report(element, Finding::Warning, "missing-attribute",
               QStringLiteral("%1 has %2; the lookup answers the device and offset of %3 with slot 0")
                       .arg(recordName(RecordRole::Redirection),
                            param ? QStringLiteral("an empty param") : QStringLiteral("no param attribute"),
                            quotedUtf8(device)));
    }
}

void FileLint::readStyle(const vrex::xml::Element &element)
{
    ++m_counts->records;
    m_style = element.attribute(stylesheet::kName);
    checkName(element, RecordRole::Style, orNull(m_style));
}

// Whether a setting's text counts is known only at its end, when its place
// can no longer be asked for: the stylesheet is small.
void FileLint::readSetting(const vrex::xml::Element &element)
{
    m_inSetting = true;
    m_settingHasValue = element.attribute(stylesheet::kValue) != nullptr;
    m_settingAt = element.position();
    m_settingText.resize(0);
}

void FileLint::text(RecordRole role, QByteArrayView utf8)
{
    if (role == RecordRole::Setting && m_inSetting)
        m_settingText.append(utf8);
}

// What is known of an element only once what follows it has been read.
void FileLint::finishElement()
{
    for (const RepeatedKey &repeated : std::as_const(m_repeatedKeys)) {
        m_pending.append(finding(repeated.place, Finding::Warning, "repeated-ref-key",
                                 QStringLiteral("%1 gives the key %2 more than once; the library uses the last "
                                                "value, %3")
                                         .arg(QLatin1String(instances::kRef), quotedUtf8(repeated.key),
                                              quotedUtf8(repeated.value))));
    }
    m_repeatedKeys.clear();
    if (!std::exchange(m_inSetting, false))
        return;
    const QString text = utf8(m_settingText).trimmed();
    const QString style = quotedUtf8(m_style);
    if (!text.isEmpty()) {
        reportAt(m_settingAt, Finding::Warning, "unread-text",
                 m_settingHasValue
                         ? QStringLiteral("a setting of style %1 holds the text %2, which the library does not "
                                          "read; only its value attribute counts")
                                   .arg(style, quoted(text))
                         : QStringLiteral("a setting of style %1 holds the text %2, which the library does not "
                                          "read: it stores an empty setting; write <%3 %4=\"%5\"/>")
                                   .arg(style, quoted(text), QLatin1String(stylesheet::kSetting),
                                        QLatin1String(stylesheet::kValue), text.toHtmlEscaped()));
    } else if (!m_settingHasValue) {
        reportAt(m_settingAt, Finding::Warning, "missing-attribute",
                 QStringLiteral("a setting of style %1 has no value attribute; the library stores an empty setting")
                         .arg(style));
    }
}

void FileLint::attribute(RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                         bool known)
{
    Q_UNUSED(value);
    if (known || m_kind == FileKind::Other)
        return;
    report(element, Finding::Warning, "unknown-attribute",
           QStringLiteral("%1 element has no attribute %2; the library ignores it")
                   .arg(roleElementName(role), quotedUtf8(name)),
           suggestNames(utf8(name), roleAttributes(role)));
}

// The record an element of role stands for, in words.
QString FileLint::recordName(RecordRole role) const
{
    switch (role) {
    case RecordRole::Instance: return QStringLiteral("instance %1").arg(quotedUtf8(m_instance));
    case RecordRole::Group:
        return QStringLiteral("group %1 of instance %2").arg(quotedUtf8(m_group), quotedUtf8(m_instance));
    case RecordRole::Parameter: return QStringLiteral("parameter %1").arg(quotedUtf8(m_parameter));
    case RecordRole::Redirection:
        return QStringLiteral("redirection %1 of member %2").arg(quotedUtf8(m_redirection), quotedUtf8(m_member));
    case RecordRole::Setting: return QStringLiteral("a setting of style %1").arg(quotedUtf8(m_style));
    default: return roleElementName(role);
    }
}

void FileLint::unreadElement(RecordRole parent, const vrex::xml::Element &element)
{
    if (m_kind == FileKind::Other)
        return;
    const QString tag = utf8(element.name());
    report(element, Finding::Warning, "unread-element",
           QStringLiteral("element <%1> inside %2 is not read; the library drops it and everything in it")
                   .arg(tag, recordName(parent)),
           parent == RecordRole::Instance ? suggestNames(tag, {QLatin1String(instances::kGroup)}) : QStringList());
}

void FileLint::notANumber(const vrex::xml::Element &element, QByteArrayView subject, QByteArrayView value)
{
    if (isOutOfRange(value)) {
        report(element, Finding::Warning, "out-of-range",
               QStringLiteral("%1 value %2 is out of range: a 32-bit number lies between -2147483648 and "
                              "2147483647; the library reads 0")
                       .arg(quotedUtf8(subject), quotedUtf8(value)));
        return;
    }
    QString message = QStringLiteral("%1 value %2 is not a number; the library reads 0").arg(quotedUtf8(subject), quotedUtf8(value));
    QStringList suggestions;
    // "device=15;offset=4": another separator swallowed the next key.
    const QString ref = utf8(element.attribute(instances::kRef));
    const qsizetype at = value.indexOf(';') >= 0 ? value.indexOf(';') : value.indexOf(' ');
    if (!ref.isEmpty() && at > 0 && vrex::decimalConverts(value.first(at))) {
        message += QStringLiteral(". Keys in %1 are separated by '%2'").arg(QLatin1String(instances::kRef))
                           .arg(QLatin1Char(instances::kRefSeparator));
        QString fixed = ref;
        fixed.replace(QLatin1Char(value.at(at)), QLatin1Char(instances::kRefSeparator));
        suggestions.append(fixed);
    }
    report(element, Finding::Warning, "not-a-number", message, suggestions);
}

void FileLint::notice(RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                      QByteArrayView value)
{
    if (m_kind == FileKind::Other)
        return;
    switch (kind) {
    case Notice::NotANumber:
        notANumber(element, subject, value);
        return;
    case Notice::NegativeNumber:
        report(element, Finding::Warning, "negative-number",
               QStringLiteral("%1 value %2 is negative; the library hands %3 to the host")
                       .arg(quotedUtf8(subject), quotedUtf8(value)).arg(vrex::decimalValue(value)));
        return;
    case Notice::UnknownRefKey:
        report(element, Finding::Warning, "unknown-ref-key",
               QStringLiteral("%1 key %2 is not one the library knows; it is ignored")
                       .arg(QLatin1String(instances::kRef), quotedUtf8(subject)),
               suggestNames(utf8(subject), wordList(instances::kRefKeys)));
        return;
    case Notice::BlankAroundRefKey:
        report(element, Finding::Warning, "blank-in-ref-key",
               QStringLiteral("%1 key %2 has blanks around it, so the library ignores it")
                       .arg(QLatin1String(instances::kRef), quotedUtf8(subject)),
               {utf8(subject).trimmed()});
        return;
    case Notice::RepeatedRefKey:
        for (RepeatedKey &repeated : m_repeatedKeys) {
            if (repeated.key == subject) {
                repeated.value = value.toByteArray();
                return;
            }
        }
        m_repeatedKeys.append({subject.toByteArray(), value.toByteArray(), placeOf(element.position())});
        return;
    case Notice::UnknownWord:
        if (role == RecordRole::DeviceTypeRoot) {
            // Driver type words are read whatever their case, by their first letter.
            report(element, Finding::Warning, "unknown-drivertype",
                   QStringLiteral("%1 %2 is no known word; the library goes by its first letter only and "
                                  "reads %3")
                           .arg(utf8(subject), quotedUtf8(value), driverTypeText(vrex::driverTypeCode(value))),
                   suggestNames(utf8(value).toLower(), driverTypeWords()));
        } else {
            report(element, Finding::Warning, "unknown-style-type",
                   QStringLiteral("style %1: %2 %3 is not recognised; the style keeps no type")
                           .arg(quotedUtf8(m_style), utf8(subject), quotedUtf8(value)),
                   suggestNames(utf8(value), styleTypeWords()));
        }
        return;
    case Notice::GroupsIgnored: {
        // Told at the first group; the mistake is on the instance, which
        // is found again by its name.
        const QString composite = QLatin1String(instances::kComposite);
        const QString yes = QLatin1String(instances::kCompositeYes);
        Finding ignored = finding({}, Finding::Warning, "composite-not-yes",
                                  m_composite.isNull()
                                          ? QStringLiteral("instance %1 has %2 children but no %3=\"%4\"; the "
                                                           "library ignores them")
                                                    .arg(quotedUtf8(m_instance), QLatin1String(instances::kGroup),
                                                         composite, yes)
                                          : QStringLiteral("instance %1: %2 is %3, not exactly '%4'; the library "
                                                           "ignores its %5 children")
                                                    .arg(quotedUtf8(m_instance), composite, quotedUtf8(m_composite), yes,
                                                         QLatin1String(instances::kGroup)),
                                  {yes});
        ignored.subject = {Subject::Instance, utf8(m_instance), {}, {}};
        m_pending.append(ignored);
        return;
    }
    }
}

void FileLint::endFile(const QString &path, const vrex::xml::Result &result)
{
    Q_UNUSED(path); // the one beginFile() named
    finishElement();
    // The load reads nothing from a file it does not take: a type is
    // registered with defaults.
    if (result.status != vrex::xml::Status::Ok && m_index.definitions) {
        if (m_kind == FileKind::Instances)
            m_index.instances.clear();
        else if (m_kind == FileKind::DeviceType)
            m_index.deviceTypes[m_name].params.clear();
        else if (m_kind == FileKind::ComplexType && !(result.status == vrex::xml::Status::WrongRoot && result.root == m_name))
            m_index.complexTypes[m_name] = {m_file, {}, {}, {}};
    }
    switch (m_kind) {
    case FileKind::Instances: endInstances(result); break;
    case FileKind::DeviceType: endDeviceType(result); break;
    case FileKind::ComplexType: endComplexType(result); break;
    case FileKind::Stylesheet: endStylesheet(result); break;
    case FileKind::Other: break;
    }
    m_pending.clear();
    m_kind = FileKind::Other;
}

// Registers why a file the reader did not take cannot be read (a root
// cause); wrong roots are each format's own. True when the content counts,
// which is then reported.
bool FileLint::accept(const vrex::xml::Result &result, const QString &cause, const QString &kind)
{
    Directory *directory = m_kind == FileKind::DeviceType ? &m_deviceTypes
            : m_kind == FileKind::ComplexType                   ? &m_complexTypes
                                                                : nullptr;
    switch (result.status) {
    case vrex::xml::Status::Unreadable:
        // A directory whose files cannot be opened is the one finding.
        if (directory && directory->broken) {
            registerDirectory(*directory);
            m_findings.fold(directory->cause);
            return false;
        }
        m_findings.addRootCause(cause, finding({m_file, 0, 0}, Finding::Error, "unreadable-file",
                                               QStringLiteral("cannot read the %1: %2")
                                                       .arg(kind, result.reason.isEmpty() ? unreadableReason(m_file)
                                                                                          : result.reason)));
        return false;
    case vrex::xml::Status::NotWellFormed: {
        const MalformedHint hint = malformedHint(m_files.open(m_file), result);
        Finding malformed = finding(placeOf(result.at), Finding::Error, "malformed-xml",
                                    QStringLiteral("the %1 is not well-formed XML: %2").arg(kind, result.reason)
                                            + (hint.text.isEmpty() ? QString() : QStringLiteral("; ") + hint.text));
        if (hint.related.line > 0)
            malformed.related.append({placeOf(hint.related), hint.relatedMessage});
        m_findings.addRootCause(cause, malformed);
        return false;
    }
    default:
        for (Finding &pending : m_pending)
            m_findings.add(std::move(pending));
        if (m_counts)
            m_counts->taken = result.status == vrex::xml::Status::Ok || m_kind == FileKind::Stylesheet;
        return true;
    }
}

void FileLint::endInstances(const vrex::xml::Result &result)
{
    if (result.status == vrex::xml::Status::WrongRoot) {
        m_findings.addRootCause(instancesCause(),
                                finding(placeOf(result.at), Finding::Error, "wrong-root",
                                        QStringLiteral("the root element of the instances file is %1, not %2; "
                                                       "the library reads nothing from it")
                                                .arg(quoted(result.root), rootTag(instances::kRoot)),
                                        suggestNames(result.root, {QLatin1String(instances::kRoot)})));
        return;
    }
    accept(result, instancesCause(), QStringLiteral("instances file"));
}

void FileLint::endDeviceType(const vrex::xml::Result &result)
{
    const QString cause = deviceTypeCause(m_name);
    if (result.status == vrex::xml::Status::Ok) {
        accept(result, cause, QStringLiteral("device-type file"));
        return;
    }
    if (result.status != vrex::xml::Status::WrongRoot) {
        accept(result, cause, QStringLiteral("device-type file"));
        return;
    }
    m_findings.addRootCause(cause, finding(placeOf(result.at), Finding::Error, "wrong-root",
                                           QStringLiteral("the root element of the device-type file is %1, not "
                                                          "%2; the library reads no parameters from it")
                                                   .arg(quoted(result.root), rootTag(devicetype::kRoot)),
                                           suggestNames(result.root, {QLatin1String(devicetype::kRoot)})));
}

void FileLint::endComplexType(const vrex::xml::Result &result)
{
    // A root named as the file, refused: the loader read this file for
    // another entry, whose name is known only to it. The case clash is the
    // finding; the file's own read is judged on its own.
    if (result.status == vrex::xml::Status::WrongRoot && result.root == m_name)
        return;
    const QString cause = complexTypeCause(m_name);
    if (result.status == vrex::xml::Status::Ok) {
        accept(result, cause, QStringLiteral("complex-type file"));
        return;
    }
    if (result.status != vrex::xml::Status::WrongRoot) {
        accept(result, cause, QStringLiteral("complex-type file"));
        return;
    }
    // The root element is named after the type.
    const QString &root = result.root;
    const bool caseOnly = root.compare(m_name, Qt::CaseInsensitive) == 0;
    m_findings.addRootCause(cause, finding(placeOf(result.at), Finding::Error, "wrong-root",
                                           QStringLiteral("the root element %1 %2 the complex type's name %3; the "
                                                          "library reads no members from the file")
                                                   .arg(quoted(root),
                                                        caseOnly ? QStringLiteral("differs only in letter case from")
                                                                 : QStringLiteral("is not"),
                                                        quoted(m_name)),
                                           {m_name}));
}

void FileLint::endStylesheet(const vrex::xml::Result &result)
{
    // A stylesheet with another root is still read.
    if (!accept(result, m_file, QStringLiteral("stylesheet file")))
        return;
    if (result.status == vrex::xml::Status::WrongRoot) {
        m_findings.add(finding(placeOf(result.at), Finding::Warning, "wrong-root",
                               QStringLiteral("the root element %1 is not %2; the library reads its children as "
                                              "styles all the same")
                                       .arg(quoted(result.root), rootTag(stylesheet::kRoot)),
                               {QLatin1String(stylesheet::kRoot)}));
    }
}

// Qt lists only names it can decode: a type file whose name is not UTF-8
// is not there for the library at all.
void FileLint::finish()
{
    registerDirectory(m_deviceTypes);
    registerDirectory(m_complexTypes);
    for (const Directory *directory : {&m_deviceTypes, &m_complexTypes}) {
        if (directory->broken)
            continue;
        DIR *listing = ::opendir(QFile::encodeName(directory->path).constData());
        if (!listing)
            continue;
        while (const dirent *entry = ::readdir(listing)) {
            const QByteArrayView name(entry->d_name);
            if (name.size() < 4 || qstrnicmp(name.last(4).data(), ".xml", 4) != 0 || QUtf8StringView(name).isValidUtf8())
                continue;
            QString shown;
            for (char c : name)
                shown += uchar(c) < 0x80 ? QString(QLatin1Char(c))
                                         : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
            m_findings.add(finding({directory->path + QLatin1Char('/') + shown, 0, 0}, Finding::Warning,
                                   "undecodable-file-name",
                                   QStringLiteral("the file name %1 is not valid UTF-8; the library does not "
                                                  "see the file and reads no type from it")
                                           .arg(quoted(shown))));
        }
        ::closedir(listing);
    }
}

QString unreadableReason(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (::stat(name.constData(), &status) != 0) {
        const int error = errno;
        struct stat link;
        if (error == ENOENT && ::lstat(name.constData(), &link) == 0)
            return QStringLiteral("a dangling symbolic link");
        return error == ENOENT ? QStringLiteral("no such file") : systemError(error);
    }
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("is a directory");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("not a regular file");
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);
    ::close(fd);
    return QStringLiteral("could not be read");
}

} // namespace vrexctl
