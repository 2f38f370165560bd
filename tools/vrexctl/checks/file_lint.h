// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The file side of the check: an observer of the installation's one load.
// It sees every element, attribute and notice the library's parsers read,
// file by file, and reports what a file says in a way the load silently
// reads otherwise; for the files the load takes it records where each
// registry entry is defined (definition_index.h).
#ifndef VREXCTL_CHECKS_FILE_LINT_H
#define VREXCTL_CHECKS_FILE_LINT_H

#include "checks/definition_index.h"
#include "checks/finding.h"

#include "xml/format_observer.h"

#include <QtCore/QHash>
#include <QtCore/QList>

#include <optional>

namespace vrex {
class Installation;
}

namespace vrexctl {

class FileLint final : public vrex::FormatObserver
{
public:
    // Knows the installation's files by their paths below its configuration
    // root; attach with installation.setObserver() before load().
    FileLint(const vrex::Installation &installation, FindingList &findings, DefinitionIndex &index);

    void beginFile(const QString &path) override;
    void endFile(const QString &path, const vrex::xml::Result &result) override;
    void element(vrex::RecordRole role, const vrex::xml::Element &element) override;
    void attribute(vrex::RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                   bool known) override;
    void notice(vrex::RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                QByteArrayView value) override;

    // After the load: a type directory the load found no file in may not
    // exist at all.
    void finish();

private:
    enum class FileKind { Other, Instances, DeviceType, ComplexType, Stylesheet };

    // An element that names a registry entry (an instance and its groups, a
    // parameter, a member and its redirections, a style). Its name comes
    // with its attributes, so it is taken when the next element begins or
    // the file ends.
    struct Record
    {
        vrex::RecordRole role;
        QString name;
        vrex::xml::Position at;
    };

    void add(vrex::xml::Position at, const char *code, const QString &message, const QString &suggestion = {});
    void checkCaseClash(QString &previous, const QString &kind, bool laterReplaces);
    void takeRecord();
    void addIfDuplicate(QHash<QString, Place> &first, const Record &record, const char *code, const QString &what);
    bool accept(const vrex::xml::Result &result, const QString &cause, const QString &kind);
    void endInstances(const vrex::xml::Result &result);
    void endDeviceType(const vrex::xml::Result &result);
    void endComplexType(const vrex::xml::Result &result);
    void endStylesheet(const vrex::xml::Result &result);
    Place placeOf(vrex::xml::Position at) const { return {m_file, at.line, at.column}; }

    FindingList &m_findings;
    DefinitionIndex &m_index;
    const QString m_instancesFile;
    const QString m_stylesheetFile;
    const QString m_deviceTypesDir;
    const QString m_complexTypesDir;

    QString m_file;
    FileKind m_kind = FileKind::Other;
    QString m_name; // the device-type key or complex-type name the file is read for
    std::optional<Record> m_record;
    // What the file's records show is kept only when the load takes the
    // file: the load takes a file whole or not at all.
    QList<Finding> m_recordFindings;
    QHash<QString, Place> m_firstInFile;   // parameters, members, styles
    QHash<QString, Place> m_firstInParent; // groups of an instance, redirections of a member
    QString m_member;
    QString m_lastDeviceTypeFile;  // for files whose names differ only in case,
    QString m_lastComplexTypeFile; // which are listed next to each other
    vrex::xml::Position m_instanceAt;
    QString m_composite; // of the current instance, as written; null when absent
};

// Why path cannot be read, in a few words ("no such file", "permission
// denied", "is a directory"), without opening it again.
QString unreadableReason(const QString &path);

} // namespace vrexctl

#endif
