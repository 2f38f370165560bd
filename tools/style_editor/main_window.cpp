#include "main_window.h"

#include "settings_list_editor.h"
#include "style_commands.h"
#include "style_document.h"
#include "style_form.h"
#include "style_list_model.h"
#include "style_preview.h"
#include "stylesheet_watch.h"

#include "installation/installation_layout.h"
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
        editCurrent(QStringLiteral("Change Type"), -1, [type](styleentry &e) { e.type = type; });
    });
    connect(m_form, &StyleForm::suitableForEdited, this, [this](const QString &text) {
        editCurrent(QStringLiteral("Edit Suitable For"), SuitableForKey, [text](styleentry &e) { e.suitablefor = text; });
    });
    connect(m_form, &StyleForm::descriptionEdited, this, [this](const QString &text) {
        editCurrent(QStringLiteral("Edit Description"), DescriptionKey, [text](styleentry &e) { e.description = text; });
    });
    connect(m_settings, &SettingsListEditor::settingsEdited, this, [this](const QStringList &settings) {
        editCurrent(QStringLiteral("Edit Settings"), -1, [settings](styleentry &e) { e.settings = settings; });
    });

    resize(1024, 700);
    updateTitle();
    if (m_filterModel->rowCount() > 0)
        m_list->setCurrentIndex(m_filterModel->index(0, 0));
    m_list->setFocus();
    if (!m_document->readProblem().isEmpty())
        QTimer::singleShot(0, this, &MainWindow::reportReadProblem);
}

MainWindow::~MainWindow() = default;

void MainWindow::createLayout()
{
    m_filter = new QLineEdit;
    m_filter->setPlaceholderText(QStringLiteral("Filter styles (Ctrl+F)"));
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
    m_list->setColumnWidth(StyleListModel::NameColumn, 110);
    m_list->setColumnWidth(StyleListModel::TypeColumn, 60);
    m_list->setColumnWidth(StyleListModel::SuitableForColumn, 140);
    m_list->setColumnWidth(StyleListModel::SettingsColumn, 60);
    m_list->setAccessibleName(QStringLiteral("Styles"));

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
    auto *previewBox = new QGroupBox(QStringLiteral("Preview"));
    (new QVBoxLayout(previewBox))->addWidget(previewScroll);
    previewBox->setMinimumHeight(190);

    auto *settingsLabel = new QLabel(QStringLiteral("&Settings:"));
    settingsLabel->setBuddy(m_settings->list());
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(m_form);
    rightLayout->addWidget(settingsLabel);
    rightLayout->addWidget(m_settings, 1);
    rightLayout->addWidget(previewBox, 1);

    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({430, 594});
    setCentralWidget(splitter);

    setTabOrder(m_filter, m_list);
    setTabOrder(m_list, m_form->typeBox());
    setTabOrder(m_form->typeBox(), m_form->suitableForEdit());
    setTabOrder(m_form->suitableForEdit(), m_form->descriptionEdit());
    setTabOrder(m_form->descriptionEdit(), m_settings->list());
    statusBar();
}

void MainWindow::createActions()
{
    QAction *save = makeAction(this, "save", QStringLiteral("&Save"), QKeySequence::Save);
    QAction *revert = makeAction(this, "revert", QStringLiteral("&Revert to Saved"), QKeySequence(Qt::Key_F5));
    QAction *quit = makeAction(this, "quit", QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QAction *undo = m_undoStack->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_undoStack->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction *find = makeAction(this, "find", QStringLiteral("&Find Style"), QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction *add = makeAction(this, "new", QStringLiteral("&New Style..."), QKeySequence::New);
    QAction *duplicate = makeAction(this, "duplicate", QStringLiteral("&Duplicate Style..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction *rename = makeAction(this, "rename", QStringLiteral("&Rename Style..."), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    QAction *remove = makeAction(this, "delete", QStringLiteral("De&lete Style..."),
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

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({save, revert});
    file->addSeparator();
    file->addAction(quit);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addAction(find);
    QMenu *style = menuBar()->addMenu(QStringLiteral("&Style"));
    style->addActions({add, duplicate, rename, remove});
    QMenu *setting = menuBar()->addMenu(QStringLiteral("Se&tting"));
    setting->addActions({m_settings->addAction(), m_settings->editAction(), m_settings->removeAction(),
                         m_settings->moveUpAction(), m_settings->moveDownAction()});

    QToolBar *tools = addToolBar(QStringLiteral("Main"));
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
    for (QAction *styleAction : {duplicate, rename, remove})
        styleAction->setEnabled(false);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [duplicate, rename, remove](const QModelIndex &current) {
                for (QAction *styleAction : {duplicate, rename, remove})
                    styleAction->setEnabled(current.isValid());
            });
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
    m_settings->setEnabled(exists);
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
    if (sameStyle(entry, it.value()))
        return; // choosing the type it already has is no step to undo
    m_undoStack->push(new StyleChangeCommand(m_document, text, {changeOf(*m_document, m_current, entry)}, mergeKey));
}

QString MainWindow::askStyleName(const QString &title, const QString &proposal)
{
    QString name = proposal;
    for (;;) {
        bool ok = false;
        name = QInputDialog::getText(this, title, QStringLiteral("Style name:"), QLineEdit::Normal, name, &ok);
        if (!ok)
            return QString();
        QString problem;
        if (name.isEmpty())
            problem = QStringLiteral("A style needs a name.");
        else if (m_document->styles().contains(name))
            problem = QStringLiteral("There is already a style named \"%1\".").arg(name);
        else if (!vrex::isXmlText(name))
            problem = QStringLiteral("The name holds a character a stylesheet cannot store.");
        if (problem.isEmpty())
            return name;
        QMessageBox::warning(this, title, problem);
    }
}

void MainWindow::newStyle()
{
    const QString name = askStyleName(QStringLiteral("New Style"), QString());
    if (name.isEmpty())
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, QStringLiteral("New Style %1").arg(name),
                                             {changeOf(*m_document, name, styleentry())}));
    selectStyle(name);
}

void MainWindow::duplicateStyle()
{
    const auto it = m_document->styles().constFind(m_current);
    if (it == m_document->styles().cend())
        return;
    const styleentry entry = it.value();
    const QString name = askStyleName(QStringLiteral("Duplicate Style"), m_current + QStringLiteral("_copy"));
    if (name.isEmpty())
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, QStringLiteral("Duplicate Style %1").arg(name),
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
    const QString newName = askStyleName(QStringLiteral("Rename Style"), oldName);
    if (newName.isEmpty())
        return;
    const bool pending = m_watch->hasForeignChange();
    const StyleDocument::WriteOutcome outcome = m_document->removeFromFile(oldName, newName, deleteConfirmation());
    afterFileWrite(pending);
    if (!reportWrite(outcome))
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, QStringLiteral("Rename Style %1").arg(oldName),
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
    const bool pending = m_watch->hasForeignChange();
    const StyleDocument::WriteOutcome outcome = m_document->removeFromFile(name, QString(), deleteConfirmation());
    afterFileWrite(pending);
    if (!reportWrite(outcome))
        return;
    m_undoStack->push(new StyleChangeCommand(m_document, QStringLiteral("Delete Style %1").arg(name),
                                             {changeOf(*m_document, name, std::nullopt)}));
    m_list->setCurrentIndex(m_filterModel->index(qMin(row, m_filterModel->rowCount() - 1), 0));
}

// Deleting is never done unasked, also when a save finds styles in the file
// that the editor no longer has.
StyleDocument::ConfirmDelete MainWindow::deleteConfirmation()
{
    return [this](const QString &name) {
        return QMessageBox::question(this, QStringLiteral("Deleting Style"),
                                     QStringLiteral("Are you sure you want to delete the style: %1").arg(name),
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
        QMessageBox::warning(this, QStringLiteral("Not Saved"),
                             QStringLiteral("Nothing was saved: %1 cannot be read, and writing it would lose "
                                            "what it holds.\n\n%2")
                                     .arg(m_path, m_document->readProblem()));
        return false;
    case StyleDocument::WriteOutcome::NoFile:
        QMessageBox::warning(this, QStringLiteral("Not Saved"),
                             QStringLiteral("The stylesheet %1 no longer exists; nothing was saved.").arg(m_path));
        return false;
    case StyleDocument::WriteOutcome::Failed:
        QMessageBox::warning(this, QStringLiteral("Save Failed"), QStringLiteral("Saving to %1 failed").arg(m_path));
        return false;
    }
    return false;
}

// What the file holds after a write of this editor is known, unless another
// program's change is still waiting for the user's decision: the write
// kept that change, and the next save must still ask about it.
void MainWindow::afterFileWrite(bool foreignChangePending)
{
    if (!foreignChangePending)
        m_watch->acknowledge();
    updateTitle();
}

bool MainWindow::saveStyles()
{
    m_settings->commitOpenEditor();
    if (const std::optional<UnsavableText> bad = m_document->findUnsavable()) {
        selectStyle(bad->style);
        static const char *const fields[] = {"name", "suitable for", "description", "setting"};
        QString field = QLatin1String(fields[bad->field]);
        if (bad->field == UnsavableText::Setting)
            field += QStringLiteral(" %1").arg(bad->setting + 1);
        QMessageBox::warning(this, QStringLiteral("Not Saved"),
                             QStringLiteral("Nothing was saved: the %1 of the style \"%2\" holds a character "
                                            "that a stylesheet cannot store, such as a control character.")
                                     .arg(field, bad->style));
        if (bad->field == UnsavableText::SuitableFor)
            m_form->suitableForEdit()->setFocus();
        else if (bad->field == UnsavableText::Description)
            m_form->descriptionEdit()->setFocus();
        else if (bad->field == UnsavableText::Setting)
            m_settings->list()->setCurrentRow(bad->setting);
        return false;
    }
    if (m_watch->hasForeignChange()) {
        switch (askAboutForeignChange()) {
        case ForeignChoice::Reload:
            reloadFromFile();
            return false;
        case ForeignChoice::KeepEditing:
            return false;
        case ForeignChoice::Overwrite:
            break;
        }
    }
    const StyleDocument::WriteOutcome outcome = m_document->save(deleteConfirmation());
    m_watch->acknowledge();
    const bool saved = reportWrite(outcome) && !m_document->isModified();
    if (saved)
        m_undoStack->setClean();
    if (outcome == StyleDocument::WriteOutcome::Written) {
        statusBar()->showMessage(saved ? QStringLiteral("Saved to %1").arg(m_path)
                                       : QStringLiteral("Not everything was saved; the file holds what it shows now."),
                                 5000);
    }
    updateTitle();
    return saved;
}

void MainWindow::revert()
{
    if (m_document->isModified()
        && QMessageBox::question(this, QStringLiteral("Revert to Saved"),
                                 QStringLiteral("Discard every unsaved change and read %1 again?").arg(m_path),
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
    if (!m_document->readProblem().isEmpty())
        reportReadProblem();
}

void MainWindow::reportReadProblem()
{
    QMessageBox::warning(this, QStringLiteral("Stylesheet Not Read"),
                         QStringLiteral("%1 could not be read, so its styles are not shown. Saving is refused "
                                        "until it can be read again.\n\n%2")
                                 .arg(m_path, m_document->readProblem()));
}

MainWindow::ForeignChoice MainWindow::askAboutForeignChange()
{
    const bool exists = QFileInfo(m_path).isFile();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Stylesheet Changed"),
                    QStringLiteral("Another program has %1 %2.").arg(exists ? QStringLiteral("changed")
                                                                            : QStringLiteral("removed"),
                                                                     m_path),
                    QMessageBox::NoButton, this);
    box.setInformativeText(m_document->isModified()
                                   ? QStringLiteral("Reload shows the other version and drops your unsaved "
                                                    "changes; Overwrite replaces the other version with yours.")
                                   : QStringLiteral("Reload shows the other version; Overwrite replaces it "
                                                    "with the styles shown here."));
    QPushButton *reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::AcceptRole);
    QPushButton *overwrite = box.addButton(QStringLiteral("&Overwrite..."), QMessageBox::DestructiveRole);
    QPushButton *keep = box.addButton(QStringLiteral("&Keep Editing"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    reload->setEnabled(exists);
    overwrite->setEnabled(exists);
    box.exec();
    if (box.clickedButton() == reload)
        return ForeignChoice::Reload;
    if (box.clickedButton() == overwrite
        && QMessageBox::warning(this, QStringLiteral("Overwrite Stylesheet"),
                                QStringLiteral("The other program's changes to %1 will be lost. Overwrite?")
                                        .arg(m_path),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                == QMessageBox::Yes)
        return ForeignChoice::Overwrite;
    return ForeignChoice::KeepEditing;
}

void MainWindow::foreignChangeNoticed()
{
    if (m_askingAboutForeignChange)
        return;
    m_askingAboutForeignChange = true;
    const ForeignChoice choice = askAboutForeignChange();
    m_askingAboutForeignChange = false;
    if (choice == ForeignChoice::Reload) {
        reloadFromFile();
    } else if (choice == ForeignChoice::Overwrite) {
        m_watch->acknowledge();
        saveStyles();
    } else {
        statusBar()->showMessage(QStringLiteral("The stylesheet was changed by another program; "
                                                "saving will ask again."));
    }
    updateTitle();
}

void MainWindow::updateTitle()
{
    setWindowTitle(QStringLiteral("%1[*] - Style Editor").arg(m_path));
    setWindowModified(m_document->isModified());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_document->isModified()) {
        event->accept();
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this, QStringLiteral("Unsaved Changes"),
            QStringLiteral("The styles have unsaved changes. Save them before closing?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && saveStyles()))
        event->accept();
    else
        event->ignore();
}

} // namespace styleeditor
