// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A style's settings as an ordered list: add, remove, move, edit in place,
// drag to reorder. Every change is reported as the whole new list.
#ifndef STYLE_EDITOR_SETTINGS_LIST_EDITOR_H
#define STYLE_EDITOR_SETTINGS_LIST_EDITOR_H

#include <QtCore/QStringList>
#include <QtWidgets/QWidget>

QT_BEGIN_NAMESPACE
class QAction;
class QListWidget;
QT_END_NAMESPACE

namespace styleeditor {

class SettingsListEditor : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsListEditor(QWidget *parent = nullptr);

    // Shows settings without emitting settingsEdited; the current row stays
    // where it was when it still exists.
    void setSettings(const QStringList &settings);
    QStringList settings() const;
    // Takes the text of a setting being edited in place, as if the user had
    // pressed Return.
    void commitOpenEditor();

    QListWidget *list() const { return m_list; }
    QAction *addAction() const { return m_add; }
    QAction *removeAction() const { return m_remove; }
    QAction *moveUpAction() const { return m_up; }
    QAction *moveDownAction() const { return m_down; }
    QAction *editAction() const { return m_edit; }

Q_SIGNALS:
    void settingsEdited(const QStringList &settings);

private:
    void addSetting();
    void removeSetting();
    void moveSetting(int step);
    void emitEdited();
    void updateActions();

    QListWidget *m_list;
    QAction *m_add;
    QAction *m_remove;
    QAction *m_up;
    QAction *m_down;
    QAction *m_edit;
    bool m_showing = false;
};

} // namespace styleeditor

#endif
