// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Where an installation's files are read from: the file system, with
// in-memory texts (an editor's unsaved buffers) taking the place of the
// files at their paths.
#ifndef VREX_INSTALLATION_FILE_SOURCE_H
#define VREX_INSTALLATION_FILE_SOURCE_H

#include "xml/document_reader.h"

#include <QtCore/QHash>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrex {

// One listing of a configuration directory: its "*.xml" entries (extension
// matched ignoring case; files, directories and other entries alike,
// dot-files included), sorted by name ignoring case, and the file each
// name is read from. Built once per directory, so resolving every entry
// costs one pass over the directory whatever the letter case of the names.
class DirectoryListing
{
public:
    DirectoryListing() = default;

    const QString &directory() const { return m_directory; }
    const QStringList &entries() const { return m_entries; }

    // The path to open for fileName in this directory: the exact entry when
    // there is one, otherwise the entry whose name equals fileName ignoring
    // case (the first in code-unit order if several do), otherwise the
    // exact path, which the caller reports as not found. Installations
    // copied from case-insensitive file systems keep working this way.
    QString resolve(const QString &fileName) const;

private:
    friend class FileSource;
    QString m_directory;
    QStringList m_entries;
    QHash<QString, QString> m_byFoldedName; // folded name -> entry
    QSet<QString> m_spellings;              // every entry, for exact matches
};

class FileSource
{
public:
    // Reads from the file system only.
    FileSource() = default;

    // Serve text in place of the file at path (made absolute and clean),
    // whether or not that file exists.
    void setText(const QString &path, const QByteArray &text);
    void removeText(const QString &path);
    bool hasTexts() const { return !m_texts.isEmpty(); }

    // The document at path: its text when one is set, the file otherwise.
    // The source refers to this object's text: keep the FileSource alive
    // and unchanged while the document is read.
    xml::Source open(const QString &path) const;

    // Lists dir's "*.xml" entries, texts set below it included.
    DirectoryListing listXml(const QString &dir) const;

    // The path to open for dir + '/' + fileName when only that one name is
    // wanted: the exact path when it exists, otherwise resolved by a
    // listing as DirectoryListing::resolve does.
    QString resolve(const QString &dir, const QString &fileName) const;

private:
    static QString key(const QString &path);
    QHash<QString, QByteArray> m_texts;
};

} // namespace vrex

#endif
