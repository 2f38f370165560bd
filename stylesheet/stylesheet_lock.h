// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The lock a save holds while it reads, merges, writes and reloads the
// stylesheet, so that two saves never interleave.
#ifndef VREX_STYLESHEET_STYLESHEET_LOCK_H
#define VREX_STYLESHEET_STYLESHEET_LOCK_H

#include <QtCore/QLockFile>
#include <QtCore/QString>

#include <chrono>

namespace vrex {

// Two locks, taken in this order: a lock file beside the stylesheet
// ("<file>.lock", QLockFile: on NFS and SMB too, since it is created with
// O_EXCL), and flock() on the stylesheet itself. Savers that cannot create
// files in the directory (a shared stylesheet in a directory they may not
// write) take the second alone, which every saver takes too.
//
// A lock file left by a process that died is broken at once on the host
// that made it; a lock file made on another host is broken once it is
// older than kStaleAfter by this host's clock (the other host cannot be
// asked whether its process lives). flock() locks go to the server on NFS
// and are released by the kernel when their holder dies.
class StylesheetLock
{
public:
    static constexpr std::chrono::milliseconds kWait{10000};
    static constexpr std::chrono::milliseconds kStaleAfter{30000};

    // target: the stylesheet, symlinks resolved.
    explicit StylesheetLock(const QString &target);
    ~StylesheetLock();
    StylesheetLock(const StylesheetLock &) = delete;
    StylesheetLock &operator=(const StylesheetLock &) = delete;

    // Waits at most wait; false when another save held the lock throughout,
    // with error() saying who.
    bool acquire(std::chrono::milliseconds wait = kWait);
    const QString &error() const { return m_error; }

private:
    QString m_target;
    QLockFile m_lockFile;
    int m_fd = -1;
    QString m_error;
};

} // namespace vrex

#endif
