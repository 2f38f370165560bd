// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "installation/file_source.h"

#include "installation/installation_layout.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include <algorithm>

namespace vrex {

namespace {

constexpr QDir::Filters kAllEntries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool isXmlName(const QString &name)
{
    return name.endsWith(layout::kXmlSuffix, Qt::CaseInsensitive);
}

} // namespace

QString DirectoryListing::resolve(const QString &fileName) const
{
    const QString exact = m_directory + QLatin1Char('/') + fileName;
    const auto found = m_byFoldedName.constFind(fileName.toCaseFolded());
    if (found == m_byFoldedName.constEnd())
        return exact;
    // Among the names that fold alike, the exact one wins.
    if (*found == fileName || m_spellings.contains(fileName))
        return exact;
    return m_directory + QLatin1Char('/') + *found;
}

QString FileSource::key(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void FileSource::setText(const QString &path, const QByteArray &text)
{
    m_texts.insert(key(path), text);
}

void FileSource::removeText(const QString &path)
{
    m_texts.remove(key(path));
}

xml::Source FileSource::open(const QString &path) const
{
    if (!m_texts.isEmpty()) {
        const auto text = m_texts.constFind(key(path));
        if (text != m_texts.constEnd())
            return xml::Source(*text);
    }
    return xml::Source::file(path);
}

DirectoryListing FileSource::listXml(const QString &dir) const
{
    DirectoryListing listing;
    listing.m_directory = dir;
    // Name filters match ignoring case unless QDir::CaseSensitive is given.
    // Hidden is included so that a file called just ".xml" is listed as it
    // would be on a platform without dot-file hiding.
    QDir d(dir, QString(), QDir::Name | QDir::IgnoreCase, kAllEntries);
    listing.m_entries = d.entryList(QStringList{layout::kXmlPattern});

    if (!m_texts.isEmpty()) {
        const QString parent = key(dir);
        bool added = false;
        for (auto it = m_texts.constBegin(); it != m_texts.constEnd(); ++it) {
            const QFileInfo info(it.key());
            if (info.path() == parent && isXmlName(info.fileName())
                && !listing.m_entries.contains(info.fileName())) {
                listing.m_entries.append(info.fileName());
                added = true;
            }
        }
        if (added) {
            std::sort(listing.m_entries.begin(), listing.m_entries.end(),
                      [](const QString &a, const QString &b) {
                          return a.compare(b, Qt::CaseInsensitive) < 0;
                      });
        }
    }

    listing.m_byFoldedName.reserve(listing.m_entries.size());
    listing.m_spellings = QSet<QString>(listing.m_entries.cbegin(), listing.m_entries.cend());
    for (const QString &entry : std::as_const(listing.m_entries)) {
        QString &kept = listing.m_byFoldedName[entry.toCaseFolded()];
        if (kept.isNull() || entry < kept)
            kept = entry;
    }
    return listing;
}

QString FileSource::resolve(const QString &dir, const QString &fileName) const
{
    const QString exact = dir + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink()
        || (!m_texts.isEmpty() && m_texts.contains(key(exact)))) {
        return exact;
    }
    return listXml(dir).resolve(fileName);
}

} // namespace vrex
