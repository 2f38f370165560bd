// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_lock.h"

#include <QtCore/QDeadlineTimer>
#include <QtCore/QFile>
#include <QtCore/QRandomGenerator>
#include <QtCore/QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrex {

namespace {

// Short, jittered waits: saves take milliseconds, and two savers in step
// must not keep missing each other (QLockFile's own wait doubles up to 5 s).
void pause()
{
    QThread::msleep(2 + QRandomGenerator::global()->bounded(15));
}

bool sameFile(int fd, const QByteArray &path)
{
    struct stat held {}, now {};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &now) == 0 && held.st_dev == now.st_dev
            && held.st_ino == now.st_ino;
}

} // namespace

StylesheetLock::StylesheetLock(const QString &target)
    : m_target(target), m_lockFile(target + QStringLiteral(".lock"))
{
    m_lockFile.setStaleLockTime(int(kStaleAfter.count()));
}

StylesheetLock::~StylesheetLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the flock()
    m_lockFile.unlock();
}

bool StylesheetLock::acquire(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    // tryLock() removes a stale lock file before it gives up.
    while (!m_lockFile.tryLock(0)) {
        if (m_lockFile.error() != QLockFile::LockFailedError)
            break; // no lock file can be made here: the flock() alone
        if (deadline.hasExpired()) {
            qint64 pid = 0;
            QString host, application;
            m_lockFile.getLockInfo(&pid, &host, &application);
            m_error = QStringLiteral("%1.lock is held by process %2 (%3) on %4")
                              .arg(m_target, QString::number(pid), application, host);
            return false;
        }
        pause();
    }

    const QByteArray path = QFile::encodeName(m_target);
    for (;;) {
        // Non-blocking: a FIFO in the file's place must not hold the save.
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return true; // nothing to lock; the save finds out why
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // An atomic save may have put a new file in place meanwhile.
            if (sameFile(fd, path)) {
                m_fd = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK)
            return true; // a file system without flock(): the lock file alone
        if (deadline.hasExpired()) {
            m_error = QStringLiteral("another save holds a lock on %1").arg(m_target);
            return false;
        }
        pause();
    }
}

} // namespace vrex
