// Finding configuration files on a case-sensitive file system.
#ifndef VREX_FRAME_CONFIG_FILES_H
#define VREX_FRAME_CONFIG_FILES_H

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrex {

// Names of the entries of dir matching "*.xml" ignoring case (files,
// directories and other entries alike, dot-files included), sorted by name
// ignoring case. A missing directory gives an empty list.
QStringList listXmlEntries(const QString &dir);

// The path to open for dir + '/' + fileName: that exact path when it exists,
// otherwise the directory entry whose name equals fileName ignoring case (the
// first in byte order if several do), otherwise the exact path, so the caller
// reports it as not found. Installations copied from case-insensitive file
// systems keep working this way.
QString resolveEntry(const QString &dir, const QString &fileName);

} // namespace vrex

#endif
