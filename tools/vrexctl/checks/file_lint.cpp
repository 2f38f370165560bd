#include "checks/file_lint.h"

#include "checks/name_suggestion.h"

#include "frame/config_files.h"
#include "frame/config_root.h"
#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_parser.h"
#include "stylesheet/stylesheet_parser.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <optional>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vrexctl {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
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

// What an element of each role reads, for suggestions; and its name in
// messages (a role, not a tag: most tags are free).
struct RoleText
{
    const char *name;
    QStringList attributes;
};

RoleText roleText(vrex::RecordRole role)
{
    using vrex::RecordRole;
    switch (role) {
    case RecordRole::Instance:
        return {"instance", {QStringLiteral("id"), QStringLiteral("type"), QStringLiteral("alt_id"),
                             QStringLiteral("location"), QStringLiteral("composite"), QStringLiteral("ref")}};
    case RecordRole::Group: return {"group", {QStringLiteral("id"), QStringLiteral("instance")}};
    case RecordRole::DeviceTypeRoot:
        return {"device_description", {QStringLiteral("drivertype"), QStringLiteral("slotspacing")}};
    case RecordRole::Parameter: return {"parameter", {QStringLiteral("name"), QStringLiteral("slot")}};
    case RecordRole::ComplexTypeRoot: return {"complex type root", {}};
    case RecordRole::Member: return {"member", {QStringLiteral("id")}};
    case RecordRole::Redirection:
        return {"redirection", {QStringLiteral("id"), QStringLiteral("device"), QStringLiteral("param")}};
    case RecordRole::StylesheetRoot: return {"stylesheet", {}};
    case RecordRole::Style:
        return {"style", {QStringLiteral("name"), QStringLiteral("suitablefor"), QStringLiteral("description"),
                          QStringLiteral("type")}};
    case RecordRole::Setting: return {"setting", {QStringLiteral("value")}};
    }
    return {"element", {}};
}

QString utf8(QByteArrayView text)
{
    return QString::fromUtf8(text);
}

// Turns what a parser's handlers noticed into findings about file, at the
// element each is about.
class ObserverToFindings : public vrex::FormatObserver
{
public:
    ObserverToFindings(FindingList &findings, const QString &file) : m_findings(findings), m_file(file) { }

    void element(vrex::RecordRole role, const vrex::xml::Element &element) override
    {
        if (role == vrex::RecordRole::Instance) {
            m_instanceAt = element.position();
            m_composite = QString();
        }
    }

    void attribute(vrex::RecordRole role, const vrex::xml::Element &element, const char *name,
                   const char *value, bool known) override
    {
        if (role == vrex::RecordRole::Instance && vrex::xml::matches(name, "composite"))
            m_composite = utf8(value);
        if (known)
            return;
        const RoleText text = roleText(role);
        add(element.position(), "unknown-attribute",
            QStringLiteral("%1 element has no attribute %2; the library ignores it")
                    .arg(QLatin1String(text.name), quoted(utf8(name))),
            suggestName(utf8(name), text.attributes));
    }

    void notice(vrex::RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                QByteArrayView value) override
    {
        const QStringList refKeys{QStringLiteral("device"), QStringLiteral("offset"), QStringLiteral("complex")};
        switch (kind) {
        case Notice::NotANumber:
            add(element.position(), "not-a-number",
                QStringLiteral("%1 value %2 is not a number; the library reads 0")
                        .arg(quoted(utf8(subject)), quoted(utf8(value))));
            return;
        case Notice::UnknownRefKey:
            add(element.position(), "unknown-ref-key",
                QStringLiteral("ref key %1 is not one the library knows; it is ignored").arg(quoted(utf8(subject))),
                suggestName(utf8(subject), refKeys));
            return;
        case Notice::BlankAroundRefKey:
            add(element.position(), "blank-in-ref-key",
                QStringLiteral("ref key %1 has blanks around it, so the library ignores it")
                        .arg(quoted(utf8(subject))),
                utf8(subject).trimmed());
            return;
        case Notice::UnknownWord:
            if (role == vrex::RecordRole::DeviceTypeRoot) {
                add(element.position(), "unknown-drivertype",
                    QStringLiteral("drivertype %1 is no known word; the library goes by its first letter only")
                            .arg(quoted(utf8(value))),
                    suggestName(utf8(value).toLower(), {QStringLiteral("generic"), QStringLiteral("router"),
                                                        QStringLiteral("serial")}));
            } else {
                add(element.position(), "unknown-style-type",
                    QStringLiteral("style type %1 is not recognised; the style keeps no type")
                            .arg(quoted(utf8(value))),
                    suggestName(utf8(value), {QStringLiteral("state"), QStringLiteral("style"),
                                              QStringLiteral("setting")}));
            }
            return;
        case Notice::GroupsIgnored:
            add(m_instanceAt, "composite-not-yes",
                m_composite.isNull()
                        ? QStringLiteral("instance has group children but no composite=\"yes\"; the library "
                                         "ignores them")
                        : QStringLiteral("composite is %1, not exactly 'yes'; the library ignores the group "
                                         "children")
                                  .arg(quoted(m_composite)),
                QStringLiteral("yes"));
            return;
        }
    }

private:
    void add(vrex::xml::Position at, const char *code, const QString &message, const QString &suggestion = {})
    {
        m_findings.add(makeFinding({m_file, at.line, at.column}, Finding::Warning, code, message, suggestion));
    }

    FindingList &m_findings;
    QString m_file;
    vrex::xml::Position m_instanceAt;
    QString m_composite;
};

// Reports every name defined again after its first definition.
class DuplicateNames
{
public:
    DuplicateNames(FindingList &findings, const char *code, const QString &what)
        : m_findings(findings), m_code(code), m_what(what)
    {
    }

    void add(const QString &name, const Place &place)
    {
        const auto first = m_first.constFind(name);
        if (first == m_first.constEnd()) {
            m_first.insert(name, place);
            return;
        }
        Finding duplicate = makeFinding(place, Finding::Warning, m_code,
                                    QStringLiteral("%1 %2 is defined again; the library keeps only "
                                                   "the last definition")
                                            .arg(m_what, quoted(name)));
        duplicate.related.append({*first, QStringLiteral("first defined here")});
        m_findings.add(duplicate);
    }

private:
    FindingList &m_findings;
    const char *m_code;
    QString m_what;
    QHash<QString, Place> m_first;
};

// Registers why a file the reader did not accept cannot be read (a root
// cause); wrong roots are each format's own. True when the records count.
bool acceptFile(FindingList &findings, const QString &path, const QString &kind, const QString &cause,
                const vrex::xml::Result &result)
{
    switch (result.status) {
    case vrex::xml::Status::Unreadable:
        findings.addRootCause(cause, makeFinding({path, 0, 0}, Finding::Error, "unreadable-file",
                                                 QStringLiteral("cannot read the %1: %2")
                                                         .arg(kind, unreadableReason(path))));
        return false;
    case vrex::xml::Status::NotWellFormed:
        findings.addRootCause(cause, makeFinding({path, result.at.line, result.at.column}, Finding::Error,
                                                 "malformed-xml",
                                                 QStringLiteral("the %1 is not well-formed XML: %2")
                                                         .arg(kind, result.reason)));
        return false;
    default:
        return true;
    }
}

Place placeOf(const QString &file, vrex::xml::Position at)
{
    return {file, at.line, at.column};
}

void lintInstances(FindingList &findings, DefinitionIndex &index)
{
    const QString path = vrex::configRoot() + QStringLiteral("/config/instances.xml");
    index.instancesFile = path;
    ObserverToFindings observer(findings, path);
    vrex::InstancesDocument document = vrex::parseInstances(vrex::xml::Source::file(path), {&observer, true});
    if (!acceptFile(findings, path, QStringLiteral("instances file"), instancesCause(), document.result))
        return;
    if (document.result.status == vrex::xml::Status::WrongRoot) {
        findings.addRootCause(instancesCause(),
                              makeFinding(placeOf(path, document.result.at), Finding::Error, "wrong-root",
                                          QStringLiteral("the root element of the instances file is not "
                                                         "<instances>; the library reads nothing from it")));
        return;
    }
    // The index finds duplicates too: the largest file is hashed once.
    index.instances.reserve(qsizetype(document.records.size()));
    for (size_t i = 0; i < document.records.size(); ++i) {
        const vrex::InstanceRecord &record = document.records[i];
        const vrex::xml::Position at = document.at[i];
        const Place place = placeOf(path, at);
        auto &position = index.instances[record.id()];
        if (position.line != 0) {
            Finding duplicate = makeFinding(place, Finding::Warning, "duplicate-instance",
                                            QStringLiteral("instance %1 is defined again; the library keeps "
                                                           "only the last definition")
                                                    .arg(quoted(record.id())));
            duplicate.related.append({{path, position.line, position.column},
                                      QStringLiteral("defined before here")});
            findings.add(duplicate);
        }
        position = {at.line, at.column};
        if (record.id().isEmpty()) {
            findings.add(makeFinding(place, Finding::Warning, "empty-name",
                                     QStringLiteral("instance without an id is stored under the empty name")));
        }
    }
    // Group ids once per instance; the groups come in document order.
    size_t groupsOf = size_t(-1);
    std::optional<DuplicateNames> groups;
    for (const vrex::GroupPosition &group : document.groupsAt) {
        if (group.record != groupsOf) {
            groupsOf = group.record;
            groups.emplace(findings, "duplicate-group", QStringLiteral("group"));
        }
        groups->add(group.id, placeOf(path, group.at));
    }
    vrex::mergeInstances(vrex_instance_lookup::instances, std::move(document.records));
}

// Warns of listed names that differ only in letter case: the file systems
// installations come from cannot hold both.
void checkCaseClashes(FindingList &findings, const QString &dir, const QStringList &entries,
                      const QString &kind, bool laterReplaces)
{
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const QString &earlier = entries.at(i - 1);
        const QString &later = entries.at(i);
        if (earlier.compare(later, Qt::CaseInsensitive) != 0)
            continue;
        Finding clash = makeFinding({dir + QLatin1Char('/') + earlier, 0, 0}, Finding::Warning, "case-clash",
                                laterReplaces
                                        ? QStringLiteral("%1 %2 differs from %3 only in letter case; "
                                                         "the library keeps only the later one, %3")
                                                  .arg(kind, quoted(earlier), quoted(later))
                                        : QStringLiteral("%1 %2 differs from %3 only in letter case; "
                                                         "where letter case is not told apart only "
                                                         "one of them exists")
                                                  .arg(kind, quoted(earlier), quoted(later)));
        clash.related.append({{dir + QLatin1Char('/') + later, 0, 0}, QStringLiteral("the other file")});
        findings.add(clash);
    }
}

void lintDeviceTypes(FindingList &findings, DefinitionIndex &index)
{
    const QString dir = vrex::configRoot() + QStringLiteral("/config/devicetypes");
    const QString kind = QStringLiteral("device-type file");
    if (!QFileInfo(dir).isDir()) {
        findings.addRootCause(deviceTypesDirectoryCause(),
                              makeFinding({dir, 0, 0}, Finding::Error, "missing-directory",
                                      QStringLiteral("the device-type directory does not exist"), {}),
                              false);
        return;
    }
    const QStringList entries = vrex::listXmlEntries(dir);
    checkCaseClashes(findings, dir, entries, kind, true);
    for (const QString &entry : entries) {
        const QString base = entry.chopped(4);
        const QString key = base.toLower();
        const QString path = vrex::resolveEntry(dir, base + QStringLiteral(".xml"));
        DefinitionIndex::DeviceTypeFile &file = index.deviceTypes[key];
        file = {path, {}};
        // Registered whatever the file holds, as the loader does; a later
        // entry of the same key replaces it.
        deviceTypeInfo &info = vrex_instance_lookup::deviceTypes[key];
        info = deviceTypeInfo();
        ObserverToFindings observer(findings, path);
        const vrex::DeviceTypeDocument document =
                vrex::parseDeviceType(vrex::xml::Source::file(path), {&observer, true});
        if (!acceptFile(findings, path, kind, deviceTypeCause(key), document.result))
            continue;
        if (document.result.status == vrex::xml::Status::WrongRoot) {
            findings.addRootCause(deviceTypeCause(key),
                                  makeFinding(placeOf(path, document.result.at), Finding::Error, "wrong-root",
                                              QStringLiteral("the root element of the device-type file is "
                                                             "not <device_description>; the library reads "
                                                             "no parameters from it")));
            continue;
        }
        DuplicateNames duplicates(findings, "duplicate-parameter", QStringLiteral("parameter"));
        for (const vrex::ParamRecord &param : document.params) {
            const Place place = placeOf(path, param.at);
            duplicates.add(param.name, place);
            file.params.insert(param.name, place);
        }
        vrex::applyDeviceType(info, document);
    }
}

void lintComplexTypes(FindingList &findings, DefinitionIndex &index)
{
    const QString dir = vrex::configRoot() + QStringLiteral("/config/complex_instances");
    const QString kind = QStringLiteral("complex-type file");
    if (!QFileInfo(dir).isDir()) {
        findings.addRootCause(complexTypesDirectoryCause(),
                              makeFinding({dir, 0, 0}, Finding::Error, "missing-directory",
                                      QStringLiteral("the complex-type directory does not exist"), {}),
                              false);
        return;
    }
    const QStringList entries = vrex::listXmlEntries(dir);
    checkCaseClashes(findings, dir, entries, kind, false);
    for (const QString &entry : entries) {
        const QString name = entry.chopped(4);
        const QString path = vrex::resolveEntry(dir, name + QStringLiteral(".xml"));
        DefinitionIndex::ComplexTypeFile &file = index.complexTypes[name];
        file = {path, {}, {}};
        complexType &type = vrex_instance_lookup::complexTypes[name];
        type.members.clear(); // registered with no members unless the file is read
        ObserverToFindings observer(findings, path);
        const vrex::ComplexTypeDocument document =
                vrex::parseComplexType(vrex::xml::Source::file(path), name, {&observer, true});
        if (!acceptFile(findings, path, kind, complexTypeCause(name), document.result))
            continue;
        if (document.result.status == vrex::xml::Status::WrongRoot) {
            const QString &root = document.result.root;
            const bool caseOnly = root.compare(name, Qt::CaseInsensitive) == 0;
            findings.addRootCause(
                    complexTypeCause(name),
                    makeFinding(placeOf(path, document.result.at), Finding::Error, "wrong-root",
                                QStringLiteral("the root element %1 %2 the complex type's name %3; the "
                                               "library reads no members from the file")
                                        .arg(quoted(root),
                                             caseOnly ? QStringLiteral("differs only in letter case from")
                                                      : QStringLiteral("is not"),
                                             quoted(name)),
                                name));
            continue;
        }
        DuplicateNames members(findings, "duplicate-member", QStringLiteral("member"));
        for (const vrex::MemberRecord &member : document.members) {
            const Place place = placeOf(path, member.at);
            members.add(member.id, place);
            file.members.insert(member.id, place);
            DuplicateNames redirections(findings, "duplicate-redirection", QStringLiteral("redirection"));
            for (const vrex::RedirectionRecord &redirection : member.redirections) {
                const Place at = placeOf(path, redirection.at);
                redirections.add(redirection.id, at);
                file.redirections.insert({member.id, redirection.id}, at);
            }
        }
        vrex::applyComplexType(type, document);
    }
}

void lintStylesheet(FindingList &findings)
{
    const QString path = vrex::configRoot() + QStringLiteral("/config/stylesheet/vrex_style.xml");
    ObserverToFindings observer(findings, path);
    const vrex::StylesheetDocument document =
            vrex::parseStylesheet(vrex::xml::Source::file(path), {&observer, true});
    if (!acceptFile(findings, path, QStringLiteral("stylesheet file"), path, document.result))
        return;
    if (document.result.status == vrex::xml::Status::WrongRoot) {
        findings.add(makeFinding(placeOf(path, document.result.at), Finding::Warning, "wrong-root",
                                 QStringLiteral("the root element %1 is not <stylesheet>; the library reads "
                                                "its children as styles all the same")
                                         .arg(quoted(document.result.root)),
                                 QStringLiteral("stylesheet")));
    }
    DuplicateNames duplicates(findings, "duplicate-style", QStringLiteral("style"));
    for (const vrex::StyleRecord &style : document.styles) {
        const Place place = placeOf(path, style.at);
        duplicates.add(style.name, place);
        if (style.name.isEmpty()) {
            findings.add(makeFinding(place, Finding::Warning, "empty-name",
                                 QStringLiteral("style without a name is stored under the empty name")));
        }
    }
}

} // namespace

QString instancesCause() { return QStringLiteral("instances"); }
QString deviceTypeCause(const QString &key) { return QStringLiteral("devicetype:") + key; }
QString complexTypeCause(const QString &name) { return QStringLiteral("complex:") + name; }
QString deviceTypesDirectoryCause() { return QStringLiteral("dir:devicetypes"); }
QString complexTypesDirectoryCause() { return QStringLiteral("dir:complex"); }

void lintInstallationFiles(FindingList &findings, DefinitionIndex &index)
{
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();
    lintStylesheet(findings);
    lintInstances(findings, index);
    lintDeviceTypes(findings, index);
    lintComplexTypes(findings, index);
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
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        return reason.left(1).toLower() + reason.mid(1);
    }
    ::close(fd);
    return QStringLiteral("could not be read");
}

} // namespace vrexctl
