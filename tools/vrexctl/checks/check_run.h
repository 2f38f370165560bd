// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// One run of the check as the user configured it: the findings of the
// load, then the configuration (codes, severities, excluded paths), the
// suppression comments and the baseline applied to them.
#ifndef VREXCTL_CHECKS_CHECK_RUN_H
#define VREXCTL_CHECKS_CHECK_RUN_H

#include "checks/check_config.h"
#include "checks/registry_checks.h"
#include "checks/source_facts.h"

namespace vrex {
class Installation;
}

namespace vrexctl {

struct ReportEntry
{
    enum State { Active, SuppressedByComment, InBaseline };
    Finding finding;
    State state = Active;
    Place suppressedBy;  // the comment, for SuppressedByComment
    QString file;        // below the installation root, '/'-separated
    QString subject;     // what it is about ("instance 'cam1'"); empty for a file as a whole
    int occurrence = 0;  // among the entries of the same file, code and subject
    QString fingerprint; // of file, code, subject and occurrence: stable while they are

    QString identity() const; // file, code and subject: what the baseline matches
};

// A baseline entry: how many findings of one identity it holds.
struct BaselineEntry
{
    QString file;
    QString code;
    QString subject;
    int count = 0;
    QStringList messages; // for the reader of the file only
};

struct CheckOptions
{
    CheckConfig config;
    QList<BaselineEntry> baseline;
    bool useBaseline = false;
    // Subjects (for the baseline and fingerprints) and fix candidates cost
    // a hash entry per element: gathered only for the outputs that use them.
    bool subjects = false;
    bool fixes = false;
    // The active findings whose suggestions are computed, from the first:
    // the ones listed (-1: all). The others only cost their candidates.
    qsizetype suggested = -1;
};

struct CheckRun
{
    QList<ReportEntry> entries; // sorted by file and position
    QList<BaselineEntry> fixedBaseline; // entries of the baseline that no longer occur
    RegistryCounts counts;
    SourceFacts facts;
    int count(ReportEntry::State state) const;
};

// Loads installation, whose files are below root, and checks it.
CheckRun runCheck(vrex::Installation &installation, const QString &root, const CheckOptions &options);
// What runCheck does after its load: the configuration, the suppression
// comments in facts and the baseline applied to the check's findings, for
// a caller that checks in parts (vrexctl lsp).
CheckRun applyCheckOptions(QList<Finding> findings, SourceFacts facts, const QString &root,
                           const QString &configRoot, const CheckOptions &options);

// Entries of the same identity are folded into one with a count, sorted,
// so that the file diffs well.
QByteArray baselineJson(const QList<ReportEntry> &entries);
// The entries in a baseline file, or the reason it cannot be read.
bool readBaseline(const QString &path, QList<BaselineEntry> &entries, QString &error);

} // namespace vrexctl

#endif
