// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet_watch.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace styleeditor {

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

StylesheetWatch::StylesheetWatch(const QString &path, QObject *parent)
    : QObject(parent), m_path(path)
{
    // The directory too: an atomic save replaces the file, and the watch on
    // the old one ends with it.
    m_watcher.addPath(path);
    m_watcher.addPath(QFileInfo(path).path());
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { checkNow(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { checkNow(); });
    connect(&m_poll, &QTimer::timeout, this, [this] { checkNow(); });
    m_poll.start(kPollMilliseconds);
    acknowledge();
}

QByteArray StylesheetWatch::identity() const
{
    struct stat st {};
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return QByteArray();
    const bool known = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!known)
        return QByteArray();
    const qint64 fields[] = {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
                             qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                             qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char *>(fields), sizeof fields);
}

void StylesheetWatch::acknowledge()
{
    m_knownIdentity = identity();
    m_knownContents = contentsOf(m_path);
    m_changedElsewhere = false;
    if (!m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

bool StylesheetWatch::checkNow(bool compareContents)
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
    if (m_changedElsewhere)
        return true;
    const QByteArray now = identity();
    if (now == m_knownIdentity && !now.isEmpty() && !compareContents)
        return false;
    // Comparing contents ignores touches and rewrites that change nothing.
    m_knownIdentity = now;
    if (contentsOf(m_path) == m_knownContents)
        return false;
    m_changedElsewhere = true;
    Q_EMIT changedOnDisk();
    return true;
}

} // namespace styleeditor
