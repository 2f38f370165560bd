#include "installation_lint.h"

#include "name_suggestion.h"

#include "frame/config_files.h"
#include "frame/config_root.h"
#include "frame/parse_findings.h"
#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_parser.h"
#include "stylesheet/stylesheet_parser.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

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

Place placeOf(const QString &file, qint64 line, qint64 column)
{
    return {file, line, column};
}

// Turns what a parser noticed into findings about file.
class ObserverToFindings : public vrex::ParseObserver
{
public:
    ObserverToFindings(FindingList &findings, const QString &file) : m_findings(findings), m_file(file) { }

    void finding(const vrex::ParseFinding &f) override
    {
        const Place at = placeOf(m_file, f.at.line, f.at.column);
        switch (f.kind) {
        case vrex::ParseFinding::UnknownAttribute:
            m_findings.add(makeFinding(at, Finding::Warning, "unknown-attribute",
                                   QStringLiteral("%1 element has no attribute %2; the library ignores it")
                                           .arg(f.element, quoted(f.name)),
                                   suggestName(f.name, f.known)));
            break;
        case vrex::ParseFinding::NotANumber:
            m_findings.add(makeFinding(at, Finding::Warning, "not-a-number",
                                   QStringLiteral("%1 value %2 is not a number; the library reads 0")
                                           .arg(quoted(f.name), quoted(f.value))));
            break;
        case vrex::ParseFinding::UnknownRefKey:
            m_findings.add(makeFinding(at, Finding::Warning, "unknown-ref-key",
                                   QStringLiteral("ref key %1 is not one the library knows; it is ignored")
                                           .arg(quoted(f.name)),
                                   suggestName(f.name, f.known)));
            break;
        case vrex::ParseFinding::BlankInRefKey:
            m_findings.add(makeFinding(at, Finding::Warning, "blank-in-ref-key",
                                   QStringLiteral("ref key %1 has blanks around it, so the library "
                                                  "ignores it")
                                           .arg(quoted(f.name)),
                                   f.name.trimmed()));
            break;
        case vrex::ParseFinding::UnknownWord:
            if (f.name == QLatin1String("drivertype")) {
                m_findings.add(makeFinding(at, Finding::Warning, "unknown-drivertype",
                                       QStringLiteral("drivertype %1 is no known word; the library "
                                                      "goes by its first letter only")
                                               .arg(quoted(f.value)),
                                       suggestName(f.value.toLower(), f.known)));
            } else {
                m_findings.add(makeFinding(at, Finding::Warning, "unknown-style-type",
                                       QStringLiteral("style type %1 is not recognised; the style "
                                                      "keeps no type")
                                               .arg(quoted(f.value)),
                                       suggestName(f.value, f.known)));
            }
            break;
        case vrex::ParseFinding::CompositeNotYes:
            m_findings.add(makeFinding(at, Finding::Warning, "composite-not-yes",
                                   f.value.isNull()
                                           ? QStringLiteral("instance has group children but no "
                                                            "composite=\"yes\"; the library ignores them")
                                           : QStringLiteral("composite is %1, not exactly 'yes'; the "
                                                            "library ignores the group children")
                                                     .arg(quoted(f.value)),
                                   QStringLiteral("yes")));
            break;
        case vrex::ParseFinding::DuplicateGroup: {
            Finding duplicate = makeFinding(at, Finding::Warning, "duplicate-group",
                                        QStringLiteral("group %1 is given again; the library keeps "
                                                       "only this one")
                                                .arg(quoted(f.value)));
            duplicate.related.append({placeOf(m_file, f.first.line, f.first.column),
                                      QStringLiteral("first defined here")});
            m_findings.add(duplicate);
            break;
        }
        }
    }

private:
    FindingList &m_findings;
    QString m_file;
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

// Reads a file, or registers why it cannot be read as a root cause.
bool readFile(FindingList &findings, const QString &path, const QString &kind, const QString &cause,
              QByteArray *data)
{
    if (vrex::readWholeFile(path, data))
        return true;
    findings.addRootCause(cause, makeFinding({path, 0, 0}, Finding::Error, "unreadable-file",
                                         QStringLiteral("cannot read the %1: %2")
                                                 .arg(kind, unreadableReason(path))));
    return false;
}

void addMalformed(FindingList &findings, const QString &path, const QString &kind, const QString &cause,
                  const vrex::ParseError &error)
{
    findings.addRootCause(cause, makeFinding({path, error.line, error.column + 1}, Finding::Error, "malformed-xml",
                                         QStringLiteral("the %1 is not well-formed XML: %2")
                                                 .arg(kind, error.errorString)));
}

void lintInstances(FindingList &findings, DefinitionIndex &index)
{
    const QString path = vrex::configRoot() + QStringLiteral("/config/instances.xml");
    const QString kind = QStringLiteral("instances file");
    index.instancesFile = path;
    QByteArray data;
    if (!readFile(findings, path, kind, instancesCause(), &data))
        return;
    ObserverToFindings observer(findings, path);
    vrex::InstancesDocument document = vrex::parseInstances(data, &observer);
    data = QByteArray(); // before the registry grows, as the loader does
    if (document.status == vrex::ParseStatus::NotWellFormed) {
        addMalformed(findings, path, kind, instancesCause(), document.error);
        return;
    }
    if (document.status == vrex::ParseStatus::WrongRoot) {
        findings.addRootCause(instancesCause(),
                              makeFinding({path, 0, 0}, Finding::Error, "wrong-root",
                                      QStringLiteral("the root element of the instances file is not "
                                                     "<instances>; the library reads nothing from it")));
        return;
    }
    // The index finds duplicates too: the largest file is hashed once.
    index.instances.reserve(qsizetype(document.records.size()));
    for (const vrex::InstanceRecord &record : document.records) {
        const Place place = placeOf(path, record.line, record.column);
        auto &position = index.instances[record.id()];
        if (position.line != 0) {
            Finding duplicate = makeFinding(place, Finding::Warning, "duplicate-instance",
                                            QStringLiteral("instance %1 is defined again; the library keeps "
                                                           "only the last definition")
                                                    .arg(quoted(record.id())));
            duplicate.related.append({placeOf(path, position.line, position.column),
                                      QStringLiteral("defined before here")});
            findings.add(duplicate);
        }
        position = {record.line, record.column};
        if (record.id().isEmpty()) {
            findings.add(makeFinding(place, Finding::Warning, "empty-name",
                                 QStringLiteral("instance without an id is stored under the empty name")));
        }
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
        QByteArray data;
        if (!readFile(findings, path, kind, deviceTypeCause(key), &data))
            continue;
        ObserverToFindings observer(findings, path);
        const vrex::DeviceTypeDocument document = vrex::parseDeviceType(data, &observer);
        if (document.status == vrex::ParseStatus::NotWellFormed) {
            addMalformed(findings, path, kind, deviceTypeCause(key), document.error);
            continue;
        }
        if (document.status == vrex::ParseStatus::WrongRoot) {
            findings.addRootCause(deviceTypeCause(key),
                                  makeFinding({path, 0, 0}, Finding::Error, "wrong-root",
                                          QStringLiteral("the root element of the device-type file is "
                                                         "not <device_description>; the library reads "
                                                         "no parameters from it")));
            continue;
        }
        DuplicateNames duplicates(findings, "duplicate-parameter", QStringLiteral("parameter"));
        for (const vrex::ParamRecord &param : document.params) {
            const Place place = placeOf(path, param.line, param.column);
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
        QByteArray data;
        if (!readFile(findings, path, kind, complexTypeCause(name), &data))
            continue;
        ObserverToFindings observer(findings, path);
        const vrex::ComplexTypeDocument document = vrex::parseComplexType(data, name, &observer);
        if (document.status == vrex::ParseStatus::NotWellFormed) {
            addMalformed(findings, path, kind, complexTypeCause(name), document.error);
            continue;
        }
        if (document.status == vrex::ParseStatus::WrongRoot) {
            const bool caseOnly = document.root.compare(name, Qt::CaseInsensitive) == 0;
            findings.addRootCause(
                    complexTypeCause(name),
                    makeFinding({path, 0, 0}, Finding::Error, "wrong-root",
                            QStringLiteral("the root element %1 %2 the complex type's name %3; the "
                                           "library reads no members from the file")
                                    .arg(quoted(document.root),
                                         caseOnly ? QStringLiteral("differs only in letter case from")
                                                  : QStringLiteral("is not"),
                                         quoted(name)),
                            name));
            continue;
        }
        DuplicateNames members(findings, "duplicate-member", QStringLiteral("member"));
        for (const vrex::MemberRecord &member : document.members) {
            const Place place = placeOf(path, member.line, member.column);
            members.add(member.id, place);
            file.members.insert(member.id, place);
            DuplicateNames redirections(findings, "duplicate-redirection", QStringLiteral("redirection"));
            for (const vrex::RedirectionRecord &redirection : member.redirections) {
                const Place at = placeOf(path, redirection.line, redirection.column);
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
    const QString kind = QStringLiteral("stylesheet file");
    QByteArray data;
    if (!readFile(findings, path, kind, path, &data))
        return;
    ObserverToFindings observer(findings, path);
    const vrex::StylesheetDocument document = vrex::parseStylesheet(data, &observer);
    if (document.status == vrex::ParseStatus::NotWellFormed) {
        addMalformed(findings, path, kind, path, document.error);
        return;
    }
    if (document.wrongRoot) {
        findings.add(makeFinding({path, 0, 0}, Finding::Warning, "wrong-root",
                             QStringLiteral("the root element %1 is not <stylesheet>; the library reads "
                                            "its children as styles all the same")
                                     .arg(quoted(document.root)),
                             QStringLiteral("stylesheet")));
    }
    DuplicateNames duplicates(findings, "duplicate-style", QStringLiteral("style"));
    for (const vrex::StyleRecord &style : document.styles) {
        const Place place = placeOf(path, style.line, style.column);
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
