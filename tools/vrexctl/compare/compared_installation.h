// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// One side of a comparison: a loaded installation, and what a reason for a
// change needs beyond its registries: which file each type was read from
// and which files were not taken, with paths below the configuration root
// ("config/devicetypes/lens.xml") so that both sides name files alike.
#ifndef VREXCTL_COMPARE_COMPARED_INSTALLATION_H
#define VREXCTL_COMPARE_COMPARED_INSTALLATION_H

#include "installation/installation.h"

#include <QtCore/QHash>
#include <QtCore/QList>

namespace vrexctl {

struct FileFailure
{
    QString file;   // below the configuration root
    QString reason; // "not well-formed XML (line 3, column 5): mismatched tag"
};

class ComparedInstallation
{
public:
    // installation is loaded and outlives this.
    explicit ComparedInstallation(const vrex::Installation &installation);

    const vrex::Installation &installation() const { return m_installation; }
    vrex::Catalogue catalogue() const { return m_installation.catalogue(); }

    // The file each registry entry was read from, as the loaders list them:
    // device types by key, complex types by name.
    QString deviceTypeFile(const QString &key) const { return m_deviceTypeFiles.value(key); }
    QString complexTypeFile(const QString &name) const { return m_complexTypeFiles.value(name); }

    const QList<FileFailure> &failures() const { return m_failures; }
    // Why file (below the configuration root) was not taken; empty when it was.
    QString failure(const QString &file) const;

private:
    QString relative(const QString &path) const;

    const vrex::Installation &m_installation;
    QHash<QString, QString> m_deviceTypeFiles;
    QHash<QString, QString> m_complexTypeFiles;
    QList<FileFailure> m_failures;
    QHash<QString, QString> m_failureByFile;
};

} // namespace vrexctl

#endif
