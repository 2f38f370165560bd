// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/installation_check.h"

#include "checks/file_lint.h"
#include "checks/source_scan.h"

#include "installation/installation.h"

#include <optional>

namespace vrexctl {

namespace {

using Format = SourceScan::Format;

struct Rescan
{
    Format format;
    bool duplicates = false;
    QList<Subject> wanted;
};

// The files to read once more: those a finding is about whose place is not
// known yet, and those that define a record twice, which shows as fewer
// records in the registry than the load counted in the file.
QHash<QString, Rescan> rescans(const DefinitionIndex &index, const vrex::Installation &installation,
                               const QList<Subject> &subjects)
{
    QHash<QString, Rescan> files;
    const auto add = [&files](const QString &path, const DefinitionIndex::Counts &counts, Format format,
                              bool repeated) {
        if (counts.taken && repeated)
            files.insert(path, {format, true, {}});
    };
    qsizetype groups = 0;
    for (const instanceInfo &instance : installation.instances())
        groups += instance.groups.size();
    add(index.instancesFile, index.instanceCounts, Format::Instances,
        index.instanceCounts.records != installation.instances().size() || index.instanceCounts.children != groups);
    add(index.stylesheetFile, index.stylesheetCounts, Format::Stylesheet,
        index.stylesheetCounts.records != installation.styles().size());
    for (auto file = index.deviceTypes.cbegin(); file != index.deviceTypes.cend(); ++file) {
        add(file->path, file->counts, Format::DeviceType,
            file->counts.records != installation.deviceTypes().value(file.key()).params.size());
    }
    for (auto file = index.complexTypes.cbegin(); file != index.complexTypes.cend(); ++file) {
        const complexType type = installation.complexTypes().value(file.key());
        qsizetype redirections = 0;
        for (const complexInstance &member : type.members)
            redirections += member.params.size();
        add(file->path, file->counts, Format::ComplexType,
            file->counts.records != type.members.size() || file->counts.children != redirections);
    }
    for (const Subject &subject : subjects) {
        const QString path = index.fileOf(subject);
        if (path.isEmpty() || (index.definitions && subject.kind != Subject::Group))
            continue;
        const Format format = subject.kind == Subject::Parameter ? Format::DeviceType
                : subject.kind == Subject::Member || subject.kind == Subject::Redirection ? Format::ComplexType
                                                                                         : Format::Instances;
        auto file = files.find(path);
        if (file == files.end())
            file = files.insert(path, {format, false, {}});
        file->wanted.append(subject);
    }
    return files;
}

} // namespace

CheckReport checkInstallation(vrex::Installation &installation, const SourceGathering *gathering)
{
    FindingList findings;
    DefinitionIndex index;
    FileLint lint(installation, findings, index);
    std::optional<SourceObserver> gatherer;
    if (gathering)
        gatherer.emplace(lint, gathering->facts, gathering->subjects, gathering->fixes);
    // The lint asks for the positions it needs itself; the records need
    // not keep theirs.
    installation.setObserver(gatherer ? static_cast<vrex::FormatObserver *>(&*gatherer) : &lint, false);
    installation.load();
    installation.setObserver(nullptr);
    lint.finish();
    checkRegistries(installation.catalogue(), index, findings);
    placeFindings(findings, index, installation);
    return {findings.take(), countRegistries(installation)};
}

void placeFindings(FindingList &findings, const DefinitionIndex &index, const vrex::Installation &installation)
{
    SourceScan scan;
    const QHash<QString, Rescan> files = rescans(index, installation, findings.subjects());
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        scan.scan(installation.files(), file.key(), file->format, file->wanted, file->duplicates, findings);
    findings.placeSubjects([&](const Subject &subject) {
        return index.definitions && subject.kind != Subject::Group ? index.definitionOf(subject)
                                                                   : scan.placeOf(subject, index.fileOf(subject));
    });
}

} // namespace vrexctl
