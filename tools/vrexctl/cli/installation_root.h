// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Which installation vrexctl works on: --root and --system, each standing
// for ZT_ROOT and ZT_SYSTEM when not given, and why it cannot be found.
#ifndef VREXCTL_CLI_INSTALLATION_ROOT_H
#define VREXCTL_CLI_INSTALLATION_ROOT_H

#include <QtCore/QString>

namespace vrexctl {

struct Invocation;

struct InstallationRoot
{
    QString root;
    QString system;
    bool rootFromOption = false;   // --root, not ZT_ROOT
    bool systemFromOption = false; // --system, not ZT_SYSTEM

    // root + '/' + system, as the library builds it.
    QString configRoot() const;
};

// The options, else the environment: the user's default, read here and
// nowhere else. Nothing is loaded.
InstallationRoot installationRoot(const Invocation &invocation);

// Why the installation cannot be found (root, system or config directory
// missing), naming the directory and where it came from; empty when it is
// there.
QString missingInstallation(const InstallationRoot &where);

} // namespace vrexctl

#endif
