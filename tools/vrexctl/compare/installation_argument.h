// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An installation named by one argument of a command that compares two: a
// directory holding config/ (or ROOT with --system), or a git revision of
// the repository in the current directory.
#ifndef VREXCTL_COMPARE_INSTALLATION_ARGUMENT_H
#define VREXCTL_COMPARE_INSTALLATION_ARGUMENT_H

#include "installation/installation.h"

#include <QtCore/QTemporaryDir>

#include <memory>

namespace vrexctl {

struct InstallationArgument
{
    QString argument;  // as given
    bool isRevision = false;
    QString error;     // why it cannot be read; empty when it was opened
    vrex::Installation installation; // not loaded yet
    // A revision's files are texts set below an empty directory, so that
    // nothing on disk can stand in for a file the revision does not have.
    std::shared_ptr<QTemporaryDir> scratch;
};

// A directory that exists is taken as one; anything else is asked of git.
// system (from --system or ZT_SYSTEM) is tried when a directory or tree has
// no config directory of its own.
InstallationArgument openInstallationArgument(const QString &argument, const QString &system);

} // namespace vrexctl

#endif
