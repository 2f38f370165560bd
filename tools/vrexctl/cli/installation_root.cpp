// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "cli/installation_root.h"

#include "cli/command_line.h"

#include "installation/installation_layout.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace vrexctl {

namespace {

QString environmentPath(const char *name)
{
    return QFile::decodeName(qgetenv(name));
}

} // namespace

QString InstallationRoot::configRoot() const
{
    return vrex::layout::configRoot(root, system);
}

InstallationRoot installationRoot(const Invocation &invocation)
{
    InstallationRoot where;
    where.rootFromOption = invocation.rootSet;
    where.root = invocation.rootSet ? invocation.root : environmentPath("ZT_ROOT");
    where.systemFromOption = invocation.systemSet;
    where.system = invocation.systemSet ? invocation.system : environmentPath("ZT_SYSTEM");
    return where;
}

namespace {

// Why directory cannot be entered and listed; empty when it can.
QString unreadableDirectory(const QString &directory)
{
    const QByteArray path = QFile::encodeName(directory);
    if (::access(path.constData(), R_OK | X_OK) == 0)
        return QString();
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return reason.left(1).toLower() + reason.mid(1);
}

} // namespace

QString missingInstallation(const InstallationRoot &where)
{
    if (where.root.isEmpty() || where.system.isEmpty()) {
        return QStringLiteral("no installation given: name it with --root DIR --system NAME, or set "
                              "ZT_ROOT and ZT_SYSTEM");
    }
    if (!QFileInfo(where.root).isDir()) {
        return QStringLiteral("installation root '%1' (from %2) is no directory; give the right one with "
                              "--root or ZT_ROOT")
                .arg(where.root, where.rootFromOption ? QStringLiteral("--root") : QStringLiteral("ZT_ROOT"));
    }
    const QString systemDir = where.configRoot();
    if (!QFileInfo(systemDir).isDir()) {
        return QStringLiteral("system directory '%1' (%2 in %3) does not exist; give the right system "
                              "with --system or ZT_SYSTEM")
                .arg(systemDir, where.system,
                     where.systemFromOption ? QStringLiteral("--system") : QStringLiteral("ZT_SYSTEM"));
    }
    const QString configDir = vrex::layout::path(systemDir, vrex::layout::kConfigDir);
    const QString systemReason = unreadableDirectory(systemDir);
    if (!systemReason.isEmpty())
        return QStringLiteral("system directory '%1' cannot be read: %2").arg(systemDir, systemReason);
    if (!QFileInfo(configDir).isDir()) {
        return QStringLiteral("'%1' has no config directory, so it is no installation; check --root and "
                              "--system, or ZT_ROOT and ZT_SYSTEM")
                .arg(systemDir);
    }
    // Nothing in it can be read: as good as no installation.
    const QString configReason = unreadableDirectory(configDir);
    if (!configReason.isEmpty())
        return QStringLiteral("the config directory '%1' cannot be read: %2").arg(configDir, configReason);
    return QString();
}

} // namespace vrexctl
