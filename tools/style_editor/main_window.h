// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The editor window: the style list, the selected style's form, settings
// and preview, and the actions that change, save, revert and delete styles.
#ifndef STYLE_EDITOR_MAIN_WINDOW_H
#define STYLE_EDITOR_MAIN_WINDOW_H

#include "style_document.h"

#include <QtWidgets/QMainWindow>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QLabel;
class QLineEdit;
class QTableView;
class QUndoStack;
QT_END_NAMESPACE

namespace styleeditor {

class SettingsListEditor;
class StyleFilterModel;
class StyleForm;
class StyleListModel;
class StylePreview;
class StylesheetWatch;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Edits the styles of installation's stylesheet, read anew.
    explicit MainWindow(const vrex::Installation &installation, QWidget *parent = nullptr);
    ~MainWindow() override;

    StyleDocument *document() const { return m_document; }
    QUndoStack *undoStack() const { return m_undoStack; }
    QTableView *styleList() const { return m_list; }
    QLineEdit *filterEdit() const { return m_filter; }
    QLabel *readOnlyBanner() const { return m_readOnlyBanner; }
    StyleForm *form() const { return m_form; }
    SettingsListEditor *settingsEditor() const { return m_settings; }
    StylePreview *preview() const { return m_preview; }
    QString currentStyle() const { return m_current; }
    void selectStyle(const QString &name);

    // The Save action; true when the file now holds exactly what is shown.
    bool saveStyles();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void updateActions();
    void updateReadOnly();
    void createLayout();
    void showCurrent();
    void styleChanged(const QString &name);
    void editCurrent(const QString &text, int mergeKey, const std::function<void(styleentry &)> &edit);
    QString askStyleName(const QString &title, const QString &proposal);
    void newStyle();
    void duplicateStyle();
    void renameStyle();
    void deleteStyle();
    void revert();
    void reloadFromFile();
    StyleDocument::ConfirmDelete deleteConfirmation();
    bool reportWrite(StyleDocument::WriteOutcome outcome);
    void foreignChangeNoticed();
    void afterFileWrite(StyleDocument::WriteOutcome outcome);
    void updateTitle();

    QString m_path;
    StyleDocument *m_document;
    QUndoStack *m_undoStack;
    StylesheetWatch *m_watch;
    StyleListModel *m_model;
    StyleFilterModel *m_filterModel;
    QLineEdit *m_filter = nullptr;
    QTableView *m_list = nullptr;
    StyleForm *m_form = nullptr;
    SettingsListEditor *m_settings = nullptr;
    StylePreview *m_preview = nullptr;
    QLabel *m_readOnlyBanner = nullptr;
    QAction *m_save = nullptr;
    QAction *m_add = nullptr;
    QList<QAction *> m_styleActions;
    QString m_current;
};

} // namespace styleeditor

#endif
