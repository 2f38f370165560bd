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

// The files to read once more: those a finding is about, and those that
// define a record twice, which shows as fewer records in the registry
// than the load counted in the file.
QHash<QString, Rescan> rescans(const DefinitionIndex &index, const vrex::Installation &installation,
                               qsizetype groups, const QList<Subject> &subjects)
{
    QHash<QString, Rescan> files;
    const auto add = [&files](const DefinitionIndex::File &file, Format format, bool repeated) {
        if (file.taken && repeated)
            files.insert(file.path, {format, true, {}});
    };
    add(index.instances, Format::Instances,
        index.instances.records != installation.instances().size() || index.instances.children != groups);
    add(index.stylesheet, Format::Stylesheet, index.stylesheet.records != installation.styles().size());
    for (auto file = index.deviceTypes.cbegin(); file != index.deviceTypes.cend(); ++file)
        add(*file, Format::DeviceType, file->records != installation.deviceTypes().value(file.key()).params.size());
    for (auto file = index.complexTypes.cbegin(); file != index.complexTypes.cend(); ++file) {
        const complexType type = installation.complexTypes().value(file.key());
        qsizetype redirections = 0;
        for (const complexInstance &member : type.members)
            redirections += member.params.size();
        add(*file, Format::ComplexType, file->records != type.members.size() || file->children != redirections);
    }
    for (const Subject &subject : subjects) {
        const QString path = index.fileOf(subject);
        if (path.isEmpty())
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
    const qsizetype groups = checkRegistries(installation.catalogue(), index, findings);

    SourceScan scan;
    const QHash<QString, Rescan> files = rescans(index, installation, groups, findings.subjects());
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        scan.scan(installation.files(), file.key(), file->format, file->wanted, file->duplicates, findings);
    findings.placeSubjects([&](const Subject &subject) { return scan.placeOf(subject, index.fileOf(subject)); });
    return {findings.take(), countRegistries(installation)};
}

} // namespace vrexctl
