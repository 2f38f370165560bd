// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The file side of the check: an observer of the installation's one load.
// It sees every element, attribute and notice the library's parsers read,
// file by file, and reports what a file says in a way the load silently
// reads otherwise. What it finds in a file counts only when the load takes
// the file. For the files the load takes it fills the definition index.
//
// Positions cost a pass over the bytes before them, so the lint asks for
// one only where it reports something; records are only counted.
#ifndef VREXCTL_CHECKS_FILE_LINT_H
#define VREXCTL_CHECKS_FILE_LINT_H

#include "checks/definition_index.h"
#include "checks/finding.h"

#include "xml/format_observer.h"

#include <QtCore/QHash>
#include <QtCore/QList>

namespace vrex {
class FileSource;
class Installation;
}

namespace vrexctl {

class FileLint final : public vrex::FormatObserver
{
public:
    // Knows the installation's files by their paths below its configuration
    // root and looks at its type directories; attach with
    // installation.setObserver() before load().
    FileLint(const vrex::Installation &installation, FindingList &findings, DefinitionIndex &index);

    void beginFile(const QString &path) override;
    void endFile(const QString &path, const vrex::xml::Result &result) override;
    void element(vrex::RecordRole role, const vrex::xml::Element &element) override;
    void attribute(vrex::RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                   bool known) override;
    void notice(vrex::RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                QByteArrayView value) override;
    void unreadElement(vrex::RecordRole parent, const vrex::xml::Element &element) override;
    void text(vrex::RecordRole role, QByteArrayView utf8) override;

    // After the load: directories that cannot be read, type files whose
    // names the library cannot read.
    void finish();

private:
    enum class FileKind { Other, Instances, DeviceType, ComplexType, Stylesheet };
    struct Directory
    {
        QString path;
        QString cause;
        bool broken = false; // its files cannot be listed or opened
        Finding problem = {};
        bool alwaysList = true; // a missing one only when something follows from it
        bool registered = false;
    };
    struct RepeatedKey
    {
        QByteArray key;
        QByteArray value; // the last, which the library uses
        Place place;
    };

    Finding finding(const Place &place, Finding::Severity severity, const char *code, const QString &message,
                    const QStringList &suggestions = {}) const;
    // A finding about the element being read, kept until the load takes the file.
    void report(const vrex::xml::Element &element, Finding::Severity severity, const char *code,
                const QString &message, const QStringList &suggestions = {});
    void reportAt(vrex::xml::Position at, Finding::Severity severity, const char *code, const QString &message,
                  const QStringList &suggestions = {});
    Place placeOf(vrex::xml::Position at) const { return {m_file, at.line, at.column}; }

    void checkDirectory(Directory &directory, const char *kind);
    void registerDirectory(Directory &directory);
    void checkCaseClash(QString &previous, const QString &kind, bool laterReplaces);
    void finishElement();
    void readInstance(const vrex::xml::Element &element);
    void readGroup(const vrex::xml::Element &element);
    void readDeviceTypeRoot(const vrex::xml::Element &element);
    void readParameter(const vrex::xml::Element &element);
    void readMember(const vrex::xml::Element &element);
    void readRedirection(const vrex::xml::Element &element);
    void readStyle(const vrex::xml::Element &element);
    void readSetting(const vrex::xml::Element &element);
    void checkName(const vrex::xml::Element &element, vrex::RecordRole role, const char *value);
    void notANumber(const vrex::xml::Element &element, QByteArrayView subject, QByteArrayView value);
    QString recordName(vrex::RecordRole role) const;

    bool accept(const vrex::xml::Result &result, const QString &cause, const QString &kind);
    void endInstances(const vrex::xml::Result &result);
    void endDeviceType(const vrex::xml::Result &result);
    void endComplexType(const vrex::xml::Result &result);
    void endStylesheet(const vrex::xml::Result &result);

    FindingList &m_findings;
    DefinitionIndex &m_index;
    const vrex::FileSource &m_files;
    const QString m_instancesFile;
    const QString m_stylesheetFile;
    Directory m_deviceTypes;
    Directory m_complexTypes;

    QString m_file;
    FileKind m_kind = FileKind::Other;
    QString m_name; // the device-type key or complex-type name the file is read for
    // What the file's content shows is kept only when the load takes the
    // file: the load takes a file whole or not at all.
    QList<Finding> m_pending;
    DefinitionIndex::Counts *m_counts = nullptr; // of the file being read
    QString m_lastDeviceTypeFile;  // for files whose names differ only in case,
    QString m_lastComplexTypeFile; // which are listed next to each other

    // The record being read, for messages about what follows inside it.
    QByteArray m_instance;
    QByteArray m_composite; // null when the instance has no composite attribute
    QByteArray m_group;
    QByteArray m_parameter;
    QByteArray m_member;
    QByteArray m_redirection;
    QByteArray m_style;
    bool m_inSetting = false;
    bool m_settingHasValue = false;
    vrex::xml::Position m_settingAt;
    QByteArray m_settingText;
    QList<RepeatedKey> m_repeatedKeys;
};

// Why path cannot be read, in the system's words ("no such file",
// "permission denied", "is a directory").
QString unreadableReason(const QString &path);

} // namespace vrexctl

#endif
