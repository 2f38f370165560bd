// Notices when another program changes the stylesheet file.
#ifndef STYLE_EDITOR_STYLESHEET_WATCH_H
#define STYLE_EDITOR_STYLESHEET_WATCH_H

#include <QtCore/QByteArray>
#include <QtCore/QFileSystemWatcher>
#include <QtCore/QObject>

namespace styleeditor {

class StylesheetWatch : public QObject
{
    Q_OBJECT
public:
    explicit StylesheetWatch(const QString &path, QObject *parent = nullptr);

    // The file as it is now is known: written or read by this editor.
    void acknowledge();
    // True from a change by someone else until the next acknowledge().
    bool hasForeignChange() const { return m_changedElsewhere; }

Q_SIGNALS:
    void changedOnDisk(); // once per foreign change

private:
    void check();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QByteArray m_known; // the file's bytes when last acknowledged; null when missing
    bool m_changedElsewhere = false;
};

} // namespace styleeditor

#endif
