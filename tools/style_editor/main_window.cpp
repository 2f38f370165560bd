// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "main_window.h"

#include "foreign_change_dialog.h"
#include "settings_list_editor.h"
#include "style_commands.h"
#include "style_document.h"
#include "style_form.h"
#include "style_list_model.h"
#include "style_preview.h"
#include "stylesheet_watch.h"

#include "installation/installation_layout.h"
#include "stylesheet/style_merge.h"
#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QUndoStack>
#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTableView>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace styleeditor {

namespace {

// Typing in one field of one style is one undo step.
enum MergeKey { SuitableForKey = 1, DescriptionKey = 2 };

QAction *makeAction(QObject *parent, const char *objectName, const QString &text, const QKeySequence &shortcut)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

MainWindow::MainWindow(const vrex::Installation &installation, QWidget *parent)
    : QMainWindow(parent), m_path(installation.path(vrex::layout::kStylesheetFile)),
      m_document(new StyleDocument(installation, this)), m_undoStack(new QUndoStack(this)),
      m_watch(new StylesheetWatch(m_path, this)), m_model(new StyleListModel(m_document, this)),
      m_filterModel(new StyleFilterModel(m_document, this))
{
    m_filterModel->setSourceModel(m_model);
    createLayout();
    createActions();

    connect(m_document, &StyleDocument::styleChanged, this, &MainWindow::styleChanged);
    // A reload or a save that tidied the styles up rebuilds the list; the
    // style shown stays selected.
    connect(m_document, &StyleDocument::reset, this, [this] {
        selectStyle(m_current);
        showCurrent();
    });
    connect(m_document, &StyleDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(m_watch, &StylesheetWatch::changedOnDisk, this, &MainWindow::foreignChangeNoticed);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                m_current = current.isValid() ? m_model->nameAt(m_filterModel->mapToSource(current).row())
                                              : QString();
                showCurrent();
            });

    connect(m_form, &StyleForm::typeEdited, this, [this](int type) {
        editCurrent(tr("Change Type"), -1, [type](styleentry &e) { e.type = type; });
    });
    connect(m_form, &StyleForm::suitableForEdited, this, [this](const QString &text) {
        editCurrent(tr("Edit Suitable For"), SuitableForKey, [text](styleentry &e) { e.suitablefor = text; });
    });
    connect(m_form, &StyleForm::descriptionEdited, this, [this](const QString &text) {
        editCurrent(tr("Edit Description"), DescriptionKey, [text](styleentry &e) { e.description = text; });
    });
    connect(m_settings, &SettingsListEditor::settingsEdited, this, [this](const QStringList &settings) {
        editCurrent(tr("Edit Settings"), -1, [settings](styleentry &e) { e.settings = settings; });
    });

    resize(1024, 700);
    updateReadOnly();
    if (m_filterModel->rowCount() > 0)
        m_list->setCurrentIndex(m_filterModel->index(0, 0));
    m_list->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::createLayout()
{
    m_filter = new QLineEdit;
    m_filter->setPlaceholderText(
            tr("Filter styles (%1)").arg(QKeySequence(Qt::CTRL | Qt::Key_F).toString(QKeySequence::NativeText)));
    m_filter->setAccessibleName(tr("Style filter"));
    m_filter->setAccessibleDescription(tr("Shows only the styles whose name, type, suitable-for or description "
                                          "holds this text"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_filterModel, &StyleFilterModel::setFilterText);

    m_list = new QTableView;
    m_list->setModel(m_filterModel);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(StyleListModel::NameColumn, Qt::AscendingOrder);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false); // Tab leaves the list for the form
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Translations keep the narrow headers short ("Einst.").
    m_list->setColumnWidth(StyleListModel::NameColumn, 110);
    m_list->setColumnWidth(StyleListModel::TypeColumn, 60);
    m_list->setColumnWidth(StyleListModel::SuitableForColumn, 140);
    m_list->setColumnWidth(StyleListModel::SettingsColumn, 60);
    m_list->setAccessibleName(tr("Styles"));
    m_list->setAccessibleDescription(tr("Every style of the stylesheet with its type, suitable-for and number "
                                        "of settings; the selected one is edited on the right"));

    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(m_filter);
    leftLayout->addWidget(m_list);

    m_form = new StyleForm;
    m_settings = new SettingsListEditor;
    m_preview = new StylePreview(m_document);
    auto *previewScroll = new QScrollArea;
    previewScroll->setWidget(m_preview);
    previewScroll->setWidgetResizable(true);
    previewScroll->setFocusPolicy(Qt::NoFocus);
    previewScroll->setAccessibleName(tr("Preview"));
    auto *previewBox = new QGroupBox(tr("Preview"));
    (new QVBoxLayout(previewBox))->addWidget(previewScroll);
    previewBox->setMinimumHeight(170);

    auto *settingsLabel = new QLabel(tr("Setti&ngs:"));
    settingsLabel->setBuddy(m_settings->list());
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(m_form);
    rightLayout->addWidget(settingsLabel);
    rightLayout->addWidget(m_settings, 1);
    rightLayout->addWidget(previewBox, 1);
    m_settings->setMinimumHeight(110);
    // Below the height the form needs (800x600 and less), it scrolls
    // rather than being cut off.
    auto *rightScroll = new QScrollArea;
    rightScroll->setWidget(right);
    rightScroll->setWidgetResizable(true);
    rightScroll->setFrameShape(QFrame::NoFrame);
    rightScroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the fields, which it scrolls to

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(rightScroll);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({400, 624});
    left->setMinimumWidth(220);

    // A stylesheet that cannot be read whole is shown read-only, with why.
    m_readOnlyBanner = new QLabel;
    m_readOnlyBanner->setObjectName(QStringLiteral("readOnlyBanner"));
    m_readOnlyBanner->setWordWrap(true);
    m_readOnlyBanner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_readOnlyBanner->setStyleSheet(QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; "
                                                   "border: 1px solid #e0c060; padding: 6px; }"));
    auto *central = new QWidget;
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->addWidget(m_readOnlyBanner);
    centralLayout->addWidget(splitter, 1);
    setCentralWidget(central);

    setTabOrder(m_filter, m_list);
    setTabOrder(m_list, m_form->typeBox());
    setTabOrder(m_form->typeBox(), m_form->suitableForEdit());
    setTabOrder(m_form->suitableForEdit(), m_form->descriptionEdit());
    setTabOrder(m_form->descriptionEdit(), m_settings->list());
    setTabOrder(m_settings->list(), m_preview->lightBackdropButton());
    setTabOrder(m_preview->lightBackdropButton(), m_preview->darkBackdropButton());
    statusBar();
}

void MainWindow::createActions()
{
    QAction *save = m_save = makeAction(this, "save", tr("&Save"), QKeySequence::Save);
    QAction *revert = makeAction(this, "revert", tr("&Revert to Saved"), QKeySequence(Qt::Key_F5));
    QAction *quit = makeAction(this, "quit", tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The stack's own actions put the step after a fixed prefix; a
    // translation may need the step elsewhere, or a colon only with one.
    QAction *undo = makeAction(this, "undo", tr("&Undo"), QKeySequence::Undo);
    QAction *redo = makeAction(this, "redo", tr("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo, &QAction::triggered, m_undoStack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, m_undoStack, &QUndoStack::redo);
    connect(m_undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::undoTextChanged, undo, [undo](const QString &step) {
        undo->setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1", "the step undone").arg(step));
    });
    connect(m_undoStack, &QUndoStack::redoTextChanged, redo, [redo](const QString &step) {
        redo->setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1", "the step redone").arg(step));
    });
    undo->setEnabled(false);
    redo->setEnabled(false);
    QAction *find = makeAction(this, "find", tr("&Find Style"), QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction *add = makeAction(this, "new", tr("&New Style..."), QKeySequence::New);
    QAction *duplicate = makeAction(this, "duplicate", tr("&Duplicate Style..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction *rename = makeAction(this, "rename", tr("&Rename Style..."), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    QAction *remove = makeAction(this, "delete", tr("De&lete Style..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_Delete));

    connect(save, &QAction::triggered, this, &MainWindow::saveStyles);
    connect(revert, &QAction::triggered, this, &MainWindow::revert);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(find, &QAction::triggered, this, [this] {
        m_filter->setFocus();
        m_filter->selectAll();
    });
    connect(add, &QAction::triggered, this, &MainWindow::newStyle);
    connect(duplicate, &QAction::triggered, this, &MainWindow::duplicateStyle);
    connect(rename, &QAction::triggered, this, &MainWindow::renameStyle);
    connect(remove, &QAction::triggered, this, &MainWindow::deleteStyle);

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addActions({save, revert});
    file->addSeparator();
    file->addAction(quit);
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addAction(find);
    QMenu *style = menuBar()->addMenu(tr("&Style", "menu"));
    style->addActions({add, duplicate, rename, remove});
    QMenu *setting = menuBar()->addMenu(tr("Se&tting", "menu of the current style's settings"));
    setting->addActions({m_settings->addAction(), m_settings->editAction(), m_settings->removeAction(),
                         m_settings->moveUpAction(), m_settings->moveDownAction()});

    QToolBar *tools = addToolBar(tr("Main", "toolbar"));
    tools->setObjectName(QStringLiteral("mainToolBar"));
    tools->setMovable(false);
    tools->addActions({save, undo, redo, add, duplicate, rename, remove});
    // Every action, with its shortcut, also as a tooltip.
    for (QAction *action : findChildren<QAction *>()) {
        if (!action->shortcut().isEmpty()) {
            action->setToolTip(QStringLiteral("%1 (%2)").arg(action->text().remove(QLatin1Char('&')).remove(
                                                                     QStringLiteral("...")),
                                                             action->shortcut().toString(QKeySequence::NativeText)));
        }
    }
    // A screen reader names the toolbar's buttons after their actions.
    for (QAction *action : tools->actions()) {
        QWidget *button = tools->widgetForAction(action);
        button->setAccessibleName(action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        button->setAccessibleDescription(action->toolTip());
    }
    m_add = add;
    m_styleActions = {duplicate, rename, remove};
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &MainWindow::updateActions);
}

// Nothing that would write is offered while the file cannot be read whole.
void MainWindow::updateActions()
{
    const bool writable = !m_document->isReadOnly();
    m_save->setEnabled(writable);
    m_add->setEnabled(writable);
    for (QAction *action : std::as_const(m_styleActions))
        action->setEnabled(writable && m_list->currentIndex().isValid());
    m_form->setEnabled(writable);
}

void MainWindow::updateReadOnly()
{
    const std::optional<ReadFault> &fault = m_document->readFault();
    m_readOnlyBanner->setVisible(fault.has_value());
    if (fault) {
        QString text = tr("<b>%1 cannot be read whole, so it is shown read-only and cannot be saved.</b>"
                                   "<br>%2")
                               .arg(m_path.toHtmlEscaped(), fault->reason.toHtmlEscaped());
        if (fault->line > 0) {
            text += tr(" at line %1, column %2:<pre>%3</pre>", "where the file cannot be read")
                            .arg(fault->line)
                            .arg(fault->column)
                            .arg(fault->lineText.toHtmlEscaped());
        }
        text += tr("Revert to Saved (F5) reads it again once it has been mended.");
        m_readOnlyBanner->setText(text);
    }
    updateActions();
    updateTitle();
}

void MainWindow::selectStyle(const QString &name)
{
    const int row = m_model->rowOf(name);
    QModelIndex index = row < 0 ? QModelIndex() : m_filterModel->mapFromSource(m_model->index(row, 0));
    if (row >= 0 && !index.isValid()) {
        m_filter->clear(); // the filter hid it
        index = m_filterModel->mapFromSource(m_model->index(row, 0));
    }
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void MainWindow::showCurrent()
{
    const auto it = m_document->styles().constFind(m_current);
    const bool exists = it != m_document->styles().cend();
    const styleentry entry = exists ? it.value() : styleentry();
    m_form->showStyle(exists ? m_current : QString(), entry);
    m_settings->setSettings(entry.settings);
    m_settings->setEnabled(exists && !m_document->isReadOnly());
    m_preview->showStyle(m_current);
}

void MainWindow::styleChanged(const QString &name)
{
    // A style an undo or redo brings back, or one just made, is shown.
    if (name != m_current && m_document->styles().contains(name) && m_model->rowOf(name) >= 0
        && !m_document->styles().contains(m_current)) {
        selectStyle(name);
        return;
    }
    if (name == m_current)
        showCurrent();
}

void MainWindow::editCurrent(const QString &text, int mergeKey, const std::function<void(styleentry &)> &edit)
{
    const auto it = m_document->styles().constFind(m_current);
    if (it == m_document->styles().cend())
        return;
    styleentry entry = it.value();
    edit(entry);
    if (vrex::sameStyle(entry, it.value()))
        return; // choosing the type it already has is no step to undo
    m_undoStack->push(new StyleChangeCommand(m_document, text, {changeOf(*m_document, m_current, entry)}, mergeKey));
}

QString MainWindow::askStyleName(const QString &title, const QString &proposal)
{
    QString name = proposal;
    for (;;) {
        bool ok = false;
        name = QInputDialog::getText(this, title, tr("Style name:"), QLineEdit::Normal, name, &ok);
        if (!ok)
            return QString();
        QString problem;
        if (name.isEmpty())
            problem = tr("A style needs a name.");
        else if (m_document->styles().contains(name))
            problem = tr("There is already a style named \"%1\".").arg(name);
        else if (!vrex::isXmlText(name))
            problem = tr("The name holds a character a stylesheet cannot store.");
        if (problem.isEmpty())
            return name;
        QMessageBox::warning(this, title, problem);
    }
}

void MainWindow::newStyle()
{
    const QString name = askStyleName(tr("New Style"), QString());
    if (name.isEmpty())
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, tr("New Style %1").arg(name),
                                             {changeOf(*m_document, name, styleentry())}));
    selectStyle(name);
}

void MainWindow::duplicateStyle()
{
    const auto it = m_document->styles().constFind(m_current);
    if (it == m_document->styles().cend())
        return;
    const styleentry entry = it.value();
    const QString name = askStyleName(tr("Duplicate Style"), m_current + QStringLiteral("_copy"));
    if (name.isEmpty())
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, tr("Duplicate Style %1").arg(name),
                                             {changeOf(*m_document, name, entry)}));
    selectStyle(name);
}

// A rename is a new style and the deletion of the old one, which is
// confirmed and written at once.
void MainWindow::renameStyle()
{
    const QString oldName = m_current;
    const auto it = m_document->styles().constFind(oldName);
    if (it == m_document->styles().cend())
        return;
    const styleentry entry = it.value();
    const QString newName = askStyleName(tr("Rename Style"), oldName);
    if (newName.isEmpty())
        return;
    const StyleDocument::WriteOutcome outcome = m_document->removeFromFile(oldName, newName, deleteConfirmation());
    afterFileWrite(outcome);
    if (!reportWrite(outcome))
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, tr("Rename Style %1").arg(oldName),
                                             {changeOf(*m_document, oldName, std::nullopt),
                                              changeOf(*m_document, newName, entry)}));
    selectStyle(newName);
}

void MainWindow::deleteStyle()
{
    const QString name = m_current;
    if (!m_document->styles().contains(name))
        return;
    const int row = m_list->currentIndex().row();
    const StyleDocument::WriteOutcome outcome = m_document->removeFromFile(name, QString(), deleteConfirmation());
    afterFileWrite(outcome);
    if (!reportWrite(outcome))
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, tr("Delete Style %1").arg(name),
                                             {changeOf(*m_document, name, std::nullopt)}));
    m_list->setCurrentIndex(m_filterModel->index(qMin(row, m_filterModel->rowCount() - 1), 0));
}

// Deleting is never done unasked, also when a save finds styles in the file
// that the editor no longer has.
StyleDocument::ConfirmDelete MainWindow::deleteConfirmation()
{
    return [this](const QString &name) {
        return QMessageBox::question(this, tr("Deleting Style"),
                                     tr("Are you sure you want to delete the style: %1").arg(name),
                                     QMessageBox::Ok | QMessageBox::Cancel)
                == QMessageBox::Ok;
    };
}

// Tells why a write did not happen; true when it did.
bool MainWindow::reportWrite(StyleDocument::WriteOutcome outcome)
{
    switch (outcome) {
    case StyleDocument::WriteOutcome::Written:
        return true;
    case StyleDocument::WriteOutcome::Declined:
        return false;
    case StyleDocument::WriteOutcome::Unreadable:
        QMessageBox::warning(this, tr("Not Saved"),
                             tr("Nothing was saved: %1 cannot be read whole, and writing it would "
                                                 "lose what it holds.\n\n%2")
                                     .arg(m_path, m_document->lastFault().messages));
        return false;
    case StyleDocument::WriteOutcome::NoFile:
        QMessageBox::warning(this, tr("Not Saved"),
                             tr("The stylesheet %1 no longer exists; nothing was saved.").arg(m_path));
        return false;
    case StyleDocument::WriteOutcome::Failed:
        QMessageBox::warning(this, tr("Save Failed"), tr("Saving to %1 failed").arg(m_path));
        return false;
    }
    return false;
}

// A write of this editor, which took in what others saved, is what the
// file holds now.
void MainWindow::afterFileWrite(StyleDocument::WriteOutcome outcome)
{
    if (outcome == StyleDocument::WriteOutcome::Written)
        m_watch->acknowledge();
    updateTitle();
}

bool MainWindow::saveStyles()
{
    m_settings->commitOpenEditor();
    if (const std::optional<UnsavableText> bad = m_document->findUnsavable()) {
        selectStyle(bad->style);
        // Whole sentences per field: other languages inflect around the field's name.
        QString what;
        switch (bad->field) {
        case UnsavableText::Name:
            what = tr("Nothing was saved: the name of the style \"%1\" holds a character that a stylesheet "
                      "cannot store, such as a control character.").arg(bad->style);
            break;
        case UnsavableText::SuitableFor:
            what = tr("Nothing was saved: the suitable-for of the style \"%1\" holds a character that a "
                      "stylesheet cannot store, such as a control character.").arg(bad->style);
            break;
        case UnsavableText::Description:
            what = tr("Nothing was saved: the description of the style \"%1\" holds a character that a "
                      "stylesheet cannot store, such as a control character.").arg(bad->style);
            break;
        case UnsavableText::Setting:
            what = tr("Nothing was saved: setting %2 of the style \"%1\" holds a character that a "
                      "stylesheet cannot store, such as a control character.")
                           .arg(bad->style, QString::number(bad->setting + 1));
            break;
        }
        QMessageBox::warning(this, tr("Not Saved"), what);
        if (bad->field == UnsavableText::SuitableFor)
            m_form->suitableForEdit()->setFocus();
        else if (bad->field == UnsavableText::Description)
            m_form->descriptionEdit()->setFocus();
        else if (bad->field == UnsavableText::Setting)
            m_settings->list()->setCurrentRow(bad->setting);
        return false;
    }
    if (m_document->isReadOnly())
        return false;
    // Another program's save since this editor last read or wrote the file
    // is shown before it is written over.
    if (m_watch->checkNow(true)) {
        const std::optional<StyleMap> theirs = m_document->readCurrentFile();
        if (!theirs)
            return reportWrite(StyleDocument::WriteOutcome::Unreadable);
        const QVector<StyleDifference> differences = m_document->differencesFrom(*theirs);
        if (!differences.isEmpty()) {
            ForeignChangeDialog dialog(m_path, differences, this);
            dialog.exec();
            if (dialog.choice() == ForeignChangeDialog::Reload)
                reloadFromFile();
            if (dialog.choice() != ForeignChangeDialog::Overwrite)
                return false;
        }
    }
    const StyleDocument::WriteOutcome outcome = m_document->save(deleteConfirmation());
    afterFileWrite(outcome);
    const bool saved = reportWrite(outcome) && !m_document->isModified();
    if (saved)
        m_undoStack->setClean();
    if (outcome == StyleDocument::WriteOutcome::Written) {
        statusBar()->showMessage(saved ? tr("Saved to %1").arg(m_path)
                                       : tr("Not everything was saved; the file holds what it shows now."),
                                 5000);
    }
    updateTitle();
    return saved;
}

void MainWindow::revert()
{
    if (m_document->isModified()
        && QMessageBox::question(this, tr("Revert to Saved"),
                                 tr("Discard every unsaved change and read %1 again?").arg(m_path),
                                 QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel)
                != QMessageBox::Discard)
        return;
    reloadFromFile();
    updateTitle();
}

// Drops every unsaved edit; the style shown stays selected.
void MainWindow::reloadFromFile()
{
    const QString current = m_current;
    m_undoStack->clear();
    m_document->reload();
    m_watch->acknowledge();
    selectStyle(current);
    updateReadOnly();
}

// Nothing is lost by taking in another program's change while nothing is
// unsaved; otherwise the next save shows what differs.
void MainWindow::foreignChangeNoticed()
{
    if (!m_document->isModified()) {
        reloadFromFile();
        statusBar()->showMessage(tr("Another program changed %1; shown as it is now.").arg(m_path));
        return;
    }
    statusBar()->showMessage(tr("Another program changed %1; saving will show which styles differ.")
                                     .arg(m_path));
}

void MainWindow::updateTitle()
{
    setWindowTitle(tr("%1[*]%2 - Style Editor", "file, read-only mark")
                           .arg(m_path, m_document->isReadOnly() ? tr(" [read-only]") : QString()));
    setWindowModified(m_document->isModified());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_document->isModified()) {
        event->accept();
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this, tr("Unsaved Changes"),
            tr("The styles have unsaved changes. Save them before closing?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && saveStyles()))
        event->accept();
    else
        event->ignore();
}

} // namespace styleeditor
