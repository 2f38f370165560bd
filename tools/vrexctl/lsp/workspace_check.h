// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The check of one installation kept up to date while files change: the
// whole check once, then, after an edit, only the file that changed is read
// again and only the registry checks it can affect run again. What each
// file and each registry entry gave is kept apart for that (parts, see
// FindingList::takePart()); put together they are what `vrexctl check`
// reports for the same files.
#ifndef VREXCTL_LSP_WORKSPACE_CHECK_H
#define VREXCTL_LSP_WORKSPACE_CHECK_H

#include "checks/check_run.h"
#include "checks/definition_index.h"
#include "checks/finding.h"

#include "installation/installation.h"

#include <QtCore/QHash>
#include <QtCore/QMap>
#include <QtCore/QSet>
#include <QtCore/QStringList>

#include <memory>

namespace vrexctl::lsp {

class WorkspaceCheck
{
public:
    // The installation whose "config" directory is below configRoot.
    explicit WorkspaceCheck(const QString &configRoot);

    const vrex::Installation &installation() const { return m_installation; }
    const DefinitionIndex &index() const { return m_index; }

    // Unsaved text in place of the file at path (null: the file again).
    // Takes effect with the next checkAll() or checkChanged().
    void setText(const QString &path, const QByteArray &text);
    void removeText(const QString &path);

    // Loads and checks everything.
    void checkAll();
    // Reads the files at paths again and checks again what they affect;
    // checks everything when a type directory's listing changed.
    void checkChanged(const QSet<QString> &paths);

    // Everything found, as the check reports it: sorted by file and
    // position, what follows from a root cause counted in its note, and
    // the installation's configuration, suppression comments and baseline
    // applied (what `vrexctl check` reports as active).
    QList<Finding> findings() const;

    // What a file of the installation is, and its directory entry.
    enum class FileKind { Other, Instances, DeviceType, ComplexType, Stylesheet };
    FileKind kindOf(const QString &path, QString *entry = nullptr) const;

    // How the last check went, for tests and benchmarks: whole or in part.
    bool lastCheckWasWhole() const { return m_lastWhole; }

private:
    // Who names what, for finding what an edit of a type file affects;
    // made again after the instances or a complex type changed.
    struct Graph
    {
        struct Edge
        {
            QString instance; // a member that names the complex type...
            QString param;    // ...redirects this parameter...
            QString target;   // ...to this parameter of the instance the edge is filed under
        };
        QHash<QString, QList<Edge>> into;             // by target instance
        QHash<QString, QStringList> byDeviceType;     // by registry key
        QHash<QString, QStringList> byComplexType;
        QHash<QString, QStringList> memberOf;         // instance -> complex types listing it as a member
    };
    const Graph &redirectionGraph();
    QSet<QString> reaching(const Graph &graph, QSet<QString> touched, const QSet<QString> &changedTypes) const;
    void relint(const QString &path, FileKind kind, const QString &entry);
    void readOptions();
    QList<Finding> checkedFindings() const; // before the configuration
    void checkRegistries(const QSet<QString> *instances, const QSet<QString> *complexTypes,
                         const QSet<QString> *deviceTypes);
    QStringList listing(QLatin1StringView directory) const;
    bool ownsItsKey(FileKind kind, const QString &entry) const;

    vrex::Installation m_installation;
    DefinitionIndex m_index;
    QHash<QString, FindingList::Part> m_fileParts; // by path as the loader opened it
    QHash<QString, SourceFacts> m_facts;           // suppression comments, by path
    CheckOptions m_options;
    QString m_baselineError;
    FindingList::Part m_directoryPart;             // type directories that do not exist
    QMap<QString, FindingList::Part> m_entryParts; // registry checks, by instance or complex type
    QStringList m_deviceTypeEntries;
    QStringList m_complexTypeEntries;
    bool m_lastWhole = true;
    std::unique_ptr<Graph> m_graph;
};

} // namespace vrexctl::lsp

#endif
