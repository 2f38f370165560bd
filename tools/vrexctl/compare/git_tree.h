// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An installation as a revision of the git repository in the current
// directory holds it: its configuration files read from git's object store
// into memory. Nothing is checked out and nothing on disk is written.
#ifndef VREXCTL_COMPARE_GIT_TREE_H
#define VREXCTL_COMPARE_GIT_TREE_H

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QString>

namespace vrexctl {

struct GitInstallation
{
    bool isRevision = false; // the argument named a tree of the repository
    QString error;           // why it cannot be read; empty when it was
    // Contents by path below the installation directory ("config/instances.xml").
    QHash<QString, QByteArray> files;
};

// revision is REV (the current directory as it is at REV) or REV:PATH (as git
// reads it: PATH from the top of the repository, ./PATH from here). The
// installation is the tree's config directory, else system's below it.
// A symbolic link inside config is read as the file it points to when
// that is inside config too.
GitInstallation readGitInstallation(const QString &revision, const QString &system);

} // namespace vrexctl

#endif
