#include "stylesheet_watch.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

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
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &StylesheetWatch::check);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &StylesheetWatch::check);
    acknowledge();
}

void StylesheetWatch::acknowledge()
{
    m_known = contentsOf(m_path);
    m_changedElsewhere = false;
    if (!m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void StylesheetWatch::check()
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
    // Comparing contents ignores this editor's own saves and touches that
    // change nothing.
    if (m_changedElsewhere || contentsOf(m_path) == m_known)
        return;
    m_changedElsewhere = true;
    Q_EMIT changedOnDisk();
}

} // namespace styleeditor
