// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/installation_argument.h"

#include "compare/git_tree.h"

#include "installation/installation_layout.h"

#include <QtCore/QFileInfo>

namespace vrexctl {

namespace {

bool holdsConfig(const QString &directory)
{
    return QFileInfo(vrex::layout::path(directory, vrex::layout::kConfigDir)).isDir();
}

} // namespace

InstallationArgument openInstallationArgument(const QString &argument, const QString &system)
{
    InstallationArgument opened;
    opened.argument = argument;
    if (QFileInfo(argument).isDir()) {
        if (holdsConfig(argument)) {
            opened.installation = vrex::Installation::atConfigRoot(argument);
        } else if (!system.isEmpty() && holdsConfig(vrex::layout::configRoot(argument, system))) {
            opened.installation = vrex::Installation(argument, system);
        } else {
            opened.error = system.isEmpty()
                    ? QStringLiteral("'%1' has no config directory, so it is no installation").arg(argument)
                    : QStringLiteral("'%1' has no config directory, nor has '%2'")
                              .arg(argument, vrex::layout::configRoot(argument, system));
        }
        return opened;
    }

    const GitInstallation tree = readGitInstallation(argument, system);
    opened.isRevision = tree.isRevision;
    if (!tree.isRevision) {
        opened.error = QStringLiteral("'%1' is neither a directory nor a revision of the git repository here")
                               .arg(argument);
        if (!tree.error.isEmpty())
            opened.error += QStringLiteral(" (%1)").arg(tree.error);
        return opened;
    }
    if (!tree.error.isEmpty()) {
        opened.error = QStringLiteral("revision '%1': %2").arg(argument, tree.error);
        return opened;
    }
    opened.scratch = std::make_shared<QTemporaryDir>();
    if (!opened.scratch->isValid()) {
        opened.error = QStringLiteral("cannot make a temporary directory: ") + opened.scratch->errorString();
        return opened;
    }
    const QString configRoot = opened.scratch->filePath(QStringLiteral("revision"));
    vrex::FileSource files;
    for (auto it = tree.files.constBegin(); it != tree.files.constEnd(); ++it)
        files.setText(configRoot + QLatin1Char('/') + it.key(), it.value());
    opened.installation = vrex::Installation::atConfigRoot(configRoot, files);
    return opened;
}

} // namespace vrexctl
