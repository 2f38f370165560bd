// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Notices when another program changes the stylesheet file: at once
// through the file system's notifications where there are any, every few
// seconds by looking (notifications do not see other NFS or SMB clients),
// and whenever asked, before a save.
#ifndef STYLE_EDITOR_STYLESHEET_WATCH_H
#define STYLE_EDITOR_STYLESHEET_WATCH_H

#include <QtCore/QByteArray>
#include <QtCore/QFileSystemWatcher>
#include <QtCore/QObject>
#include <QtCore/QTimer>

namespace styleeditor {

class StylesheetWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPollMilliseconds = 3000;

    explicit StylesheetWatch(const QString &path, QObject *parent = nullptr);

    // The file as it is now is known: written or read by this editor.
    void acknowledge();
    // Compares the file's identity and, when that changed or when asked to
    // (before a save: identity can miss a rewrite within one tick of a
    // coarse clock), its contents with what was acknowledged; true while a
    // change by someone else is not acknowledged.
    bool checkNow(bool compareContents = false);
    bool hasForeignChange() const { return m_changedElsewhere; }

Q_SIGNALS:
    void changedOnDisk(); // once per foreign change

private:
    // Device, inode, size, modification and change times; opening the file
    // first makes NFS fetch them afresh (close-to-open consistency).
    QByteArray identity() const;

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_poll;
    QByteArray m_knownIdentity;
    QByteArray m_knownContents; // null when missing
    bool m_changedElsewhere = false;
};

} // namespace styleeditor

#endif
