// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "settings_list_editor.h"

#include "unsavable_mark.h"

#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace styleeditor {

namespace {

// The in-place editor marks what the stylesheet cannot store as it is typed.
class SettingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(editor))
            markUnsavableText(edit);
        return editor;
    }
};

void markItem(QListWidgetItem *item)
{
    const bool bad = !vrex::isXmlText(item->text());
    item->setForeground(bad ? QBrush(Qt::red) : QBrush());
    item->setToolTip(bad ? SettingsListEditor::tr("Holds a character a stylesheet cannot store") : QString());
}

QListWidgetItem *makeItem(const QString &text)
{
    auto *item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    markItem(item);
    return item;
}

} // namespace

SettingsListEditor::SettingsListEditor(QWidget *parent)
    : QWidget(parent), m_list(new QListWidget(this)),
      m_add(new QAction(tr("&Add Setting"), this)), m_remove(new QAction(tr("&Remove Setting"), this)),
      m_up(new QAction(tr("Move Setting &Up"), this)), m_down(new QAction(tr("Move Setting &Down"), this)),
      m_edit(new QAction(tr("&Edit Setting"), this))
{
    m_list->setItemDelegate(new SettingDelegate(m_list));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_list->setAccessibleName(tr("Settings"));
    m_list->setAccessibleDescription(tr("The style's settings in order, one Qt style-sheet declaration or rule "
                                        "each; F2 edits the current one"));

    m_add->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    m_remove->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    m_up->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    m_down->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    m_edit->setShortcut(QKeySequence(Qt::Key_F2));
    // F2 also renames a style; here it only edits the setting with focus.
    m_edit->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(m_edit);
    // What each does, for the buttons' accessible descriptions and the
    // status bar; the window makes the tooltips, with the shortcuts.
    m_add->setStatusTip(tr("Adds a setting after the current one"));
    m_remove->setStatusTip(tr("Removes the current setting"));
    m_up->setStatusTip(tr("Moves the current setting up"));
    m_down->setStatusTip(tr("Moves the current setting down"));
    m_edit->setStatusTip(tr("Edits the current setting in place"));

    auto *buttons = new QVBoxLayout;
    for (QAction *action : {m_add, m_remove, m_up, m_down}) {
        auto *button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setFocusPolicy(Qt::NoFocus); // every button has a shortcut
        button->setAccessibleName(action->text().remove(QLatin1Char('&')));
        button->setAccessibleDescription(action->statusTip());
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_add, &QAction::triggered, this, &SettingsListEditor::addSetting);
    connect(m_remove, &QAction::triggered, this, &SettingsListEditor::removeSetting);
    connect(m_up, &QAction::triggered, this, [this] { moveSetting(-1); });
    connect(m_down, &QAction::triggered, this, [this] { moveSetting(1); });
    connect(m_edit, &QAction::triggered, this, [this] {
        if (QListWidgetItem *item = m_list->currentItem())
            m_list->editItem(item);
    });
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_showing)
            return; // the mark itself changes the item
        m_showing = true;
        markItem(item);
        m_showing = false;
        emitEdited();
    });
    // A drag within the list moves rows; the model reports it once done.
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        QTimer::singleShot(0, this, &SettingsListEditor::emitEdited);
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &SettingsListEditor::updateActions);
    setSettings(QStringList());
    setEnabled(false);
}

void SettingsListEditor::setSettings(const QStringList &settings)
{
    if (settings == this->settings())
        return;
    m_showing = true;
    const int row = m_list->currentRow();
    m_list->clear();
    for (const QString &setting : settings)
        m_list->addItem(makeItem(setting));
    m_list->setCurrentRow(qMin(row, int(settings.size()) - 1));
    m_showing = false;
    updateActions();
}

void SettingsListEditor::commitOpenEditor()
{
    // The delegate commits on Return only once the event loop runs again.
    if (QWidget *editor = m_list->indexWidget(m_list->currentIndex()))
        Q_EMIT m_list->itemDelegate()->commitData(editor);
}

QStringList SettingsListEditor::settings() const
{
    QStringList result;
    for (int i = 0; i < m_list->count(); ++i)
        result << m_list->item(i)->text();
    return result;
}

// After the current setting, or at the end when none is current, and
// opened for typing at once.
void SettingsListEditor::addSetting()
{
    const int current = m_list->currentRow();
    const int row = current < 0 ? m_list->count() : current + 1;
    m_showing = true;
    m_list->insertItem(row, makeItem(QString()));
    m_list->setCurrentRow(row);
    m_showing = false;
    emitEdited();
    m_list->setFocus();
    m_list->scrollToItem(m_list->item(row));
    m_list->editItem(m_list->item(row));
}

void SettingsListEditor::removeSetting()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_showing = true;
    delete m_list->takeItem(row);
    m_list->setCurrentRow(qMin(row, m_list->count() - 1));
    m_showing = false;
    emitEdited();
}

void SettingsListEditor::moveSetting(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    m_showing = true;
    QListWidgetItem *item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentRow(target);
    m_showing = false;
    emitEdited();
}

void SettingsListEditor::emitEdited()
{
    updateActions();
    if (!m_showing)
        Q_EMIT settingsEdited(settings());
}

void SettingsListEditor::updateActions()
{
    const int row = m_list->currentRow();
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
    m_edit->setEnabled(row >= 0);
}

} // namespace styleeditor
