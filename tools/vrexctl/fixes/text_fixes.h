// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The check's safe fixes: only what is certain and textual (an attribute
// name or ref key with one suggestion, blanks around a ref key, a word in
// the wrong letter case), found again in the file's own bytes and changed
// there, nothing else. Never a number, an id or a name something refers to.
#ifndef VREXCTL_FIXES_TEXT_FIXES_H
#define VREXCTL_FIXES_TEXT_FIXES_H

#include "checks/check_run.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>

namespace vrexctl {

struct TextEdit
{
    qint64 offset = 0;
    qint64 length = 0;
    QByteArray replacement;
};

struct FileFix
{
    QString path;     // as the check opened it
    QString relative; // below the installation root
    QByteArray before;
    QByteArray after;
    QList<TextEdit> edits; // in before, ordered, apart
};

// The fixes for run's findings that are not suppressed by a comment, file
// by file in path order. A fix is left out where its candidate is not the
// only one for the finding, where the file's bytes are not what the load
// read (changed since, or in an encoding other than UTF-8), or where it
// would clash with another fix.
QList<FileFix> planFixes(const CheckRun &run);

// A unified diff of the fixes with paths a/RELATIVE and b/RELATIVE, for
// `git apply` or `patch -p1` in the installation root.
QByteArray unifiedDiff(const QList<FileFix> &fixes);

// Replaces the file's contents through a new file renamed over it, with
// the old file's owner, group and mode (a symlink is followed). Refuses,
// with the reason in error, what it cannot do that way: a file with other
// hard links, one that changed since fix.before was read, one whose owner
// or group a new file cannot get.
bool writeFixedFile(const FileFix &fix, QString &error);

} // namespace vrexctl

#endif
