// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The floor for loading: list the two directories, read every configuration
// file once and run expat over its bytes, counting elements and attributes.
// No strings are built and nothing is stored; a loader cannot do less.
#ifndef VREX_BENCH_EXPAT_FLOOR_H
#define VREX_BENCH_EXPAT_FLOOR_H

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexbench {

struct XmlTally
{
    qint64 files = 0;
    qint64 bytes = 0;
    qint64 elements = 0;
    qint64 attributes = 0;
    bool wellFormed = true;
};

// Adds one document's counts to tally.
void expatCount(const QByteArray &data, XmlTally &tally);

// The four loaders, by the name the benchmarks give them.
enum class Registry { Styles, Instances, DeviceTypes, ComplexTypes };

// The files one loader reads, in its order (a directory is listed anew).
QStringList registryFiles(const QString &configRoot, Registry registry);

// Every file the four loaders read, in their order: the stylesheet, the
// instances file, each device-type file, each complex-instance file.
QStringList siteFiles(const QString &configRoot);

using DocumentCount = void (*)(const QByteArray &data, XmlTally &tally);

// Reads each of files, counting each document with count; an unreadable
// file marks the tally not well-formed.
XmlTally passOverFiles(const QStringList &files, DocumentCount count);

// passOverFiles over everything siteFiles() names.
XmlTally passOverSite(const QString &configRoot, DocumentCount count);

// Lists, reads and counts everything siteFiles() names.
XmlTally expatPassOverSite(const QString &configRoot);

} // namespace vrexbench

#endif
