// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The generator's manifest: what a benchmark site holds and which lookups to
// time, each with the answer the library must give.
#ifndef VREX_BENCH_SITE_MANIFEST_H
#define VREX_BENCH_SITE_MANIFEST_H

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVector>

namespace vrexbench {

struct LookupSample
{
    QString instance;
    QString param;
    // Expected outputs of the seven-argument lookup.
    QString altId;
    int device = 0;
    int offset = 0;
    int slot = 0;
    int drivertype = 0;
    int hops = 0;
};

struct CompositeSample
{
    QString instance;
    QString group;
    QString target;
};

struct SiteManifest
{
    QString scale;
    int instances = 0;
    int deviceTypes = 0;
    int complexTypes = 0;
    int styles = 0;
    QVector<LookupSample> direct;
    QVector<LookupSample> hop1;
    QVector<LookupSample> hop3;
    QVector<CompositeSample> composite;
    QStringList styleNames;
};

// Reads siteDir/manifest.json. False, with a reason in error, when the file
// is missing or not a manifest.
bool readSiteManifest(const QString &siteDir, SiteManifest &manifest, QString *error);

} // namespace vrexbench

#endif
