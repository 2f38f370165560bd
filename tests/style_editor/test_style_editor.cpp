// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The editor as a user drives it: keys into the real widgets, its boxes
// answered, the file read back by an installation of its own.
#include "message_box_answer.h"

#include "foreign_change_dialog.h"
#include "main_window.h"
#include "settings_list_editor.h"
#include "style_document.h"
#include "style_form.h"
#include "style_preview.h"
#include "translators.h"
#include "unsavable_mark.h"

#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_format.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTableView>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <sys/resource.h>

using namespace styleeditor;
using namespace vrextest;

namespace {

const char kTwoStyles[] =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
        "    <setting value=\"color: red\"/>\n  </style>\n"
        "  <style suitablefor=\"\" description=\"\" name=\"panel\" type=\"style\"/>\n"
        "</stylesheet>\n";
const char kOriginalSummary[] = "alarm[1|QLabel|Alarm|color: red] panel[2|||]";
// kTwoStyles as another program saved it meanwhile.
const char kTheirs[] = "<stylesheet><style name=\"alarm\" type=\"state\" suitablefor=\"QLabel\" description=\"Theirs\">"
                       "<setting value=\"color: red\"/></style><style name=\"other\"/>"
                       "<style name=\"panel\" type=\"style\" description=\"theirs\"/></stylesheet>";
const char kTheirsSummary[] = "alarm[1|QLabel|Theirs|color: red] other[0|||] panel[2||theirs|]";

// A throw-away installation with a stylesheet and nothing else.
class Site
{
public:
    vrex::Installation installation() const { return vrex::Installation(m_dir.path(), QStringLiteral("demo")); }
    QString stylesheet() const { return installation().path(vrex::layout::kStylesheetFile); }
    void write(const QByteArray &contents) const
    {
        QDir().mkpath(QFileInfo(stylesheet()).path());
        QFile file(stylesheet());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }
    QByteArray contents() const
    {
        QFile file(stylesheet());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

// The styles the file holds, as a fresh installation reads them.
QString fileSummary(const Site &site)
{
    vrex::Installation check = site.installation();
    check.loadStyles();
    QStringList parts;
    const vrex::StyleRegistry &styles = check.styles();
    for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
        parts << QStringLiteral("%1[%2|%3|%4|%5]").arg(it.key()).arg(it->type)
                         .arg(it->suitablefor, it->description, it->settings.join(u';'));
    }
    return parts.join(u' ');
}

// Shortcuts need the window active again once a box has closed.
void key(QWidget *widget, int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!widget->window()->isActiveWindow()) {
        widget->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(widget->window()));
    }
    QTest::keyClick(widget, Qt::Key(keyCode), modifiers);
    QCoreApplication::processEvents();
}

// Types text into the next input dialog and accepts it.
void answerNextInput(const QString &text, int attempts = 100)
{
    QTimer::singleShot(10, [text, attempts] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog && attempts > 0)
            return answerNextInput(text, attempts - 1);
        if (dialog) {
            dialog->setTextValue(text);
            dialog->accept();
        }
    });
}

// Answers the next "Stylesheet Changed" dialog with choice, keeping what it
// listed, one "style|theirs|yours|kept" per row.
void answerForeignChange(ForeignChangeDialog::Choice choice, QStringList *listed, int attempts = 200)
{
    QTimer::singleShot(10, [=] {
        auto *dialog = qobject_cast<ForeignChangeDialog *>(QApplication::activeModalWidget());
        if (!dialog && attempts > 0)
            return answerForeignChange(choice, listed, attempts - 1);
        for (int row = 0; dialog && row < dialog->table()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << dialog->table()->item(row, column)->text();
            *listed << cells.join(u'|');
        }
        if (dialog)
            dialog->choose(choice);
    });
}

// Another program saves while the user has typed into a description, and
// the user saves.
void saveOverTheirs(MainWindow &w, const Site &s, ForeignChangeDialog::Choice choice)
{
    QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
    s.write(kTheirs);
    QStringList listed;
    answerForeignChange(choice, &listed);
    key(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(listed.join(u' '), QStringLiteral("alarm|changed|changed|yours, not theirs other|added|-|theirs "
                                                "panel|changed|-|theirs"));
}

struct EditorRow
{
    const char *label;
    QMessageBox::StandardButton answer; // to every box shown
    std::function<void(MainWindow &, const Site &)> act;
    const char *file;          // what the file holds afterwards
    bool modified;             // the title's "*"
    const char *boxes;         // titles of the boxes shown, space-separated
    std::function<void(MainWindow &)> check = nullptr;
    const char *initial = kTwoStyles; // the file when the window opens
};

void PrintTo(const EditorRow &row, std::ostream *os) { *os << row.label; }

class StyleEditorTest : public ::testing::TestWithParam<EditorRow> { };

TEST_P(StyleEditorTest, DrivenByKeyboard)
{
    const EditorRow &row = GetParam();
    Site site;
    site.write(row.initial);
    MainWindow window(site.installation());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QStringList titles;
    {
        MessageBoxAnswer answer(row.answer);
        row.act(window, site);
        QTest::qWait(50);
        for (const ShownBox &box : answer.boxes())
            titles << box.title;
        if (row.check)
            row.check(window);
    }
    EXPECT_EQ(titles.join(u' ').toStdString(), row.boxes);
    EXPECT_EQ(window.isWindowModified(), row.modified);
    EXPECT_TRUE(window.windowTitle().contains(site.stylesheet()));
    EXPECT_EQ(fileSummary(site).toStdString(), row.file);
}

INSTANTIATE_TEST_SUITE_P(Rows, StyleEditorTest, ::testing::Values(
    // Tab from the list to the form, edit every field by key, save.
    EditorRow{"EditAndSave", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        key(w.styleList(), Qt::Key_Tab);
        key(QApplication::focusWidget(), Qt::Key_Down); // type: state -> style
        key(QApplication::focusWidget(), Qt::Key_Tab);
        key(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" QPushButton"));
        key(QApplication::focusWidget(), Qt::Key_Tab);
        key(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" red"));
        key(&w, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier); // add a setting, edit it in place
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("font-weight: bold"));
        key(QApplication::focusWidget(), Qt::Key_Return);
        key(w.settingsEditor()->list(), Qt::Key_Up, Qt::AltModifier);
        EXPECT_TRUE(w.isWindowModified());
        // The preview shows the unsaved edit on a label and a button, as a
        // host would.
        EXPECT_EQ(w.preview()->samples().size(), 2);
        for (QWidget *sample : w.preview()->samples())
            EXPECT_TRUE(sample->styleSheet().contains(QStringLiteral("font-weight: bold; color: red")));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "alarm[2|QLabel QPushButton|Alarm red|font-weight: bold;color: red] panel[2|||]", false, ""},
    EditorRow{"UndoRestoresTheSavedText", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("abc"));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
    }, kOriginalSummary, false, "", [](MainWindow &w) {
        EXPECT_EQ(w.form()->descriptionEdit()->text(), QStringLiteral("Alarm"));
    }},
    // The library asks; the deletion is in the file at once and undo brings
    // the style back as an unsaved change.
    EditorRow{"DeleteConfirmedThenUndone", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        key(&w, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("panel"));
        EXPECT_FALSE(w.document()->styles().contains(QStringLiteral("alarm")));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
    }, "panel[2|||]", true, "Deleting Style"},
    EditorRow{"NewStyleSaved", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        answerNextInput(QStringLiteral("zeta"));
        key(&w, Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("zeta"));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "alarm[1|QLabel|Alarm|color: red] panel[2|||] zeta[0|||]", false, ""},
    // A rename is saved at once (deleting the old name is confirmed) and
    // undone as one step; saving then deletes the new name only when asked.
    EditorRow{"RenameUndoneThenSaved", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        answerNextInput(QStringLiteral("beacon"));
        key(&w, Qt::Key_F2, Qt::ShiftModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("beacon"));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.document()->styles().keys(), QStringList({QStringLiteral("alarm"), QStringLiteral("panel")}));
        EXPECT_EQ(fileSummary(s), QStringLiteral("beacon[1|QLabel|Alarm|color: red] panel[2|||]"));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, kOriginalSummary, false, "Deleting Style Deleting Style"},
    EditorRow{"DeleteCancelled", QMessageBox::Cancel, [](MainWindow &w, const Site &) {
        key(&w, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_TRUE(w.document()->styles().contains(QStringLiteral("alarm")));
    }, kOriginalSummary, false, "Deleting Style"},
    // Pasted text a stylesheet cannot store is marked and blocks saving.
    EditorRow{"ControlCharacterBlocksSaving", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        w.form()->suitableForEdit()->insert(QStringLiteral(" Q") + QChar(0x7));
        EXPECT_TRUE(isMarkedUnsavable(w.form()->suitableForEdit()));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, kOriginalSummary, true, "Not Saved"},
    // Another program saves: the editor says so, and its save shows what
    // differs; Cancel writes nothing.
    EditorRow{"ExternalChangeShownBeforeSaving", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        s.write("<stylesheet><style name=\"other\"/></stylesheet>");
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.statusBar()->currentMessage().isEmpty(); }, 5000));
        QStringList listed;
        answerForeignChange(ForeignChangeDialog::Cancel, &listed);
        key(&w, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(listed.join(u' '), QStringLiteral("alarm|deleted|changed|yours, not theirs other|added|-|theirs "
                                                    "panel|deleted|-|theirs"));
    }, "other[0|||]", true, ""},
    // Overwrite keeps their other changes; where both changed, yours.
    EditorRow{"MergeOverwrite", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        saveOverTheirs(w, s, ForeignChangeDialog::Overwrite);
    }, "alarm[1|QLabel|Alarm!|color: red] other[0|||] panel[2||theirs|]", false, ""},
    EditorRow{"MergeReload", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        saveOverTheirs(w, s, ForeignChangeDialog::Reload);
        EXPECT_EQ(w.form()->descriptionEdit()->text(), QStringLiteral("Theirs"));
    }, kTheirsSummary, false, ""},
    // Nothing unsaved: another program's save is simply shown.
    EditorRow{"ExternalChangeTakenIn", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        s.write(kTheirs);
        EXPECT_TRUE(QTest::qWaitFor([&w] { return w.document()->styles().contains(QStringLiteral("other")); }, 5000));
    }, kTheirsSummary, false, ""},
    // A file that cannot be read is never written over: its styles would
    // be lost.
    EditorRow{"UnreadableFileNotOverwritten", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        const QByteArray broken = "<stylesheet><style name=\"other\">";
        s.write(broken);
        key(&w, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(s.contents(), broken);
    }, "", true, "Not Saved"},
    // One that does not read cleanly opens read-only, saying why and
    // where, until it has been mended.
    EditorRow{"OpensReadOnly", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        EXPECT_TRUE(w.readOnlyBanner()->isVisible());
        EXPECT_TRUE(w.readOnlyBanner()->text().contains(QStringLiteral("mismatched tag at line 3, column 5:<pre>&lt;/stylesheet&gt;</pre>"))) << w.readOnlyBanner()->text().toStdString();
        EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("[read-only]")));
        EXPECT_FALSE(w.findChild<QAction *>(QStringLiteral("save"))->isEnabled());
        key(&w, Qt::Key_S, Qt::ControlModifier);
        s.write(kTwoStyles);
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.readOnlyBanner()->isVisible(); }, 5000));
        EXPECT_TRUE(w.findChild<QAction *>(QStringLiteral("save"))->isEnabled());
    }, kOriginalSummary, false, "", nullptr, "<stylesheet><style name=\"a\">\n\n  </stylesheet>"},
    EditorRow{"RevertDiscards", QMessageBox::Discard, [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("abc"));
        key(&w, Qt::Key_F5);
        EXPECT_EQ(w.form()->descriptionEdit()->text(), QStringLiteral("Alarm"));
    }, kOriginalSummary, false, "Revert to Saved"},
    EditorRow{"DuplicateSaved", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        answerNextInput(QStringLiteral("alarm2"));
        key(&w, Qt::Key_D, Qt::ControlModifier);
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "alarm[1|QLabel|Alarm|color: red] alarm2[1|QLabel|Alarm|color: red] panel[2|||]", false, ""},
    EditorRow{"CloseAsksAndSaves", QMessageBox::Save, [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        EXPECT_TRUE(w.close());
    }, "alarm[1|QLabel|Alarm!|color: red] panel[2|||]", false, "Unsaved Changes"},
    EditorRow{"CloseCancelled", QMessageBox::Cancel, [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        EXPECT_FALSE(w.close());
    }, kOriginalSummary, true, "Unsaved Changes"},
    // The filter keeps what matches name, type, suitable-for or
    // description; a header click sorts by that column.
    EditorRow{"FilterAndSort", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        const auto names = [&w] {
            QStringList shown;
            for (int row = 0; row < w.styleList()->model()->rowCount(); ++row)
                shown << w.styleList()->model()->index(row, 0).data().toString();
            return shown.join(u' ');
        };
        QTest::keyClicks(w.filterEdit(), QStringLiteral("STYLE"));
        EXPECT_EQ(names(), QStringLiteral("panel"));
        w.filterEdit()->clear();
        QHeaderView *header = w.styleList()->horizontalHeader();
        for (int click = 0; click < 2; ++click) // Type ascending (state, style), then descending
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
        EXPECT_EQ(names(), QStringLiteral("panel alarm"));
    }, kOriginalSummary, false, ""},
    // Add Setting goes after the current setting, or last, and opens it
    // for typing.
    EditorRow{"AddSettingAfterCurrent", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        for (int current : {-1, 0}) { // none current: at the end
            w.settingsEditor()->list()->setCurrentRow(current);
            const char *text = current < 0 ? "x: y" : "a: b";
            key(&w, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
            QTest::keyClicks(QApplication::focusWidget(), QLatin1String(text));
            key(QApplication::focusWidget(), Qt::Key_Return);
        }
        EXPECT_EQ(w.settingsEditor()->settings().join(u';'), QStringLiteral("color: red;a: b;x: y"));
    }, kOriginalSummary, true, ""},
    // Light text shows on the dark backdrop, a frame's own text colour on
    // the frame, and the window fits 800x600.
    EditorRow{"PreviewAndSmallWindow", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        const auto textColour = [&w] {
            QWidget *sample = w.preview()->samples().value(0);
            sample->ensurePolished();
            return sample->palette().color(QPalette::WindowText).name();
        };
        EXPECT_EQ(textColour(), QStringLiteral("#e0e0e0"));
        w.selectStyle(QStringLiteral("title"));
        EXPECT_EQ(textColour(), QStringLiteral("#f0f0f0"));
        EXPECT_TRUE(w.preview()->darkBackdropButton()->isChecked());
        EXPECT_LT(w.preview()->backdrop()->palette().color(QPalette::Window).lightnessF(), 0.3);
        w.resize(800, 600);
        QTest::qWait(50);
        EXPECT_EQ(w.size(), QSize(800, 600));
        EXPECT_FALSE(w.form()->descriptionEdit()->visibleRegion().isEmpty());
    }, "panel[2|QFrame||background-color: #202020;color: #e0e0e0] title[2|QLabel||color: #f0f0f0]", false, "", nullptr,
       "<stylesheet><style name=\"panel\" type=\"style\" suitablefor=\"QFrame\"><setting value=\"background-color: #202020\"/>"
       "<setting value=\"color: #e0e0e0\"/></style><style name=\"title\" type=\"style\" suitablefor=\"QLabel\">"
       "<setting value=\"color: #f0f0f0\"/></style></stylesheet>"},
    // A file-size limit makes the write fail; the file stays as it was.
    EditorRow{"WriteRefused", QMessageBox::Ok, [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        rlimit was {};
        getrlimit(RLIMIT_FSIZE, &was);
        const rlimit limit {16, was.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        key(&w, Qt::Key_S, Qt::ControlModifier);
        setrlimit(RLIMIT_FSIZE, &was);
        std::signal(SIGXFSZ, handler);
    }, kOriginalSummary, true, "Save Failed"}),
    [](const ::testing::TestParamInfo<EditorRow> &info) { return std::string(info.param.label); });

// Every text the user reads or hears from a window or dialog: titles,
// labels, buttons, menus, actions, tooltips, placeholders, headers, cells,
// the status bar and the accessible names and descriptions.
QStringList shownTexts(QWidget *root)
{
    QStringList texts;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : std::as_const(widgets)) {
        texts << w->windowTitle() << w->toolTip() << w->statusTip() << w->whatsThis() << w->accessibleName()
              << w->accessibleDescription();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *box = qobject_cast<QGroupBox *>(w))
            texts << box->title();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            texts << edit->placeholderText();
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (auto *status = qobject_cast<QStatusBar *>(w))
            texts << status->currentMessage();
        if (auto *header = qobject_cast<QHeaderView *>(w); header && !header->isHidden()) {
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
        } else if (auto *view = qobject_cast<QAbstractItemView *>(w); view && !header) {
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                for (int column = 0; column < view->model()->columnCount(); ++column) {
                    const QModelIndex index = view->model()->index(row, column);
                    texts << index.data().toString() << index.data(Qt::ToolTipRole).toString();
                }
            }
        }
    }
    for (QAction *action : root->findChildren<QAction *>())
        texts << action->text() << action->toolTip() << action->statusTip();
    return texts;
}

// Closes each dialog that opens, as Escape would, after taking its texts.
class DialogWalk
{
public:
    explicit DialogWalk(QStringList *texts) : m_texts(texts)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            *m_texts << shownTexts(dialog);
            dialog->reject();
        });
        m_timer.start(5);
    }

private:
    QStringList *m_texts;
    QTimer m_timer;
};

struct ScreenRow
{
    const char *label;
    std::function<void(MainWindow &, const Site &)> act; // shows what is walked
    const char *initial = kTwoStyles;
};

void PrintTo(const ScreenRow &row, std::ostream *os) { *os << row.label; }

class StyleEditorLanguageTest : public ::testing::TestWithParam<ScreenRow> { };

// The texts of the window and of every dialog the row opens, with German
// translations installed or none.
QStringList textsOf(const ScreenRow &row, bool german, QStringList *data)
{
    std::unique_ptr<Translators> translators;
    if (german) {
        translators = std::make_unique<Translators>(QLocale(QLocale::German, QLocale::Germany).uiLanguages());
        EXPECT_EQ(translators->language(), QLocale::German);
        EXPECT_TRUE(translators->qtLoaded()) << "Qt's own translations (qt6-translations-l10n) are missing";
    }
    Site site;
    site.write(row.initial);
    QStringList texts;
    {
        MainWindow window(site.installation());
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        DialogWalk walk(&texts);
        row.act(window, site);
        QTest::qWait(30);
        texts << shownTexts(&window);
        // What the stylesheet says, the editor's and the file's, is shown
        // as it is in any language.
        vrex::Installation file = site.installation();
        file.loadStyles();
        *data << site.stylesheet();
        for (const StyleMap &styles : {file.styles(), window.document()->styles()}) {
            for (auto it = styles.cbegin(); it != styles.cend(); ++it)
                *data << it.key() << it->suitablefor << it->description << it->settings;
        }
        window.document()->reload(); // nothing asks on closing
    }
    return texts;
}

// Each text shown in German differs from the English one in its place,
// unless it holds no letters, is the stylesheet's own (names, type words,
// settings, the path) or is the same word in both languages.
TEST_P(StyleEditorLanguageTest, EveryTextTranslated)
{
    QStringList data;
    for (const auto &type : vrex::stylesheet_format::kStyleTypes)
        data << QLatin1String(type.word);
    const QStringList english = textsOf(GetParam(), false, &data);
    const QStringList german = textsOf(GetParam(), true, &data);
    const QStringList sameInBoth = {QStringLiteral("Name"), QStringLiteral("Name:"), QStringLiteral("OK"),
                                    QStringLiteral("Studio A"), QStringLiteral("Tally")};
    ASSERT_EQ(english.size(), german.size());
    QStringList untranslated;
    for (qsizetype i = 0; i < english.size(); ++i) {
        const QString &text = english.at(i);
        if (text == german.at(i) && text.contains(QRegularExpression(QStringLiteral("\\p{L}")))
            && !data.contains(text) && !sameInBoth.contains(text))
            untranslated << text;
    }
    untranslated.removeDuplicates();
    EXPECT_EQ(untranslated.join(QStringLiteral(" | ")).toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, StyleEditorLanguageTest, ::testing::Values(
    ScreenRow{"Window", [](MainWindow &, const Site &) {}},
    ScreenRow{"ReadOnly", [](MainWindow &, const Site &) {}, "<stylesheet><style name=\"a\">\n</stylesheet>"},
    ScreenRow{"NewStyleAsked", [](MainWindow &w, const Site &) { key(&w, Qt::Key_N, Qt::ControlModifier); }},
    ScreenRow{"DeleteAsked", [](MainWindow &w, const Site &) { key(&w, Qt::Key_Delete, Qt::ControlModifier); }},
    ScreenRow{"UnsavableRefused", [](MainWindow &w, const Site &) {
        w.settingsEditor()->list()->item(0)->setText(QStringLiteral("color: red") + QChar(0x1));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }},
    ScreenRow{"ForeignChangeShown", [](MainWindow &w, const Site &s) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        s.write(kTheirs);
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.statusBar()->currentMessage().isEmpty(); }, 5000));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }},
    ScreenRow{"RevertAsked", [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        key(&w, Qt::Key_F5);
    }},
    ScreenRow{"CloseAsked", [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->suitableForEdit(), QStringLiteral(" QFrame"));
        w.close();
    }},
    ScreenRow{"Saved", [](MainWindow &w, const Site &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }},
    ScreenRow{"TakenIn", [](MainWindow &w, const Site &s) {
        s.write(kTheirs);
        EXPECT_TRUE(QTest::qWaitFor([&w] { return w.document()->styles().contains(QStringLiteral("other")); }, 5000));
    }}),
    [](const ::testing::TestParamInfo<ScreenRow> &info) { return std::string(info.param.label); });

struct KeyboardRow
{
    const char *label;
    bool german;
    bool dialog; // the dialog shown before saving over another program's changes, or the window
};

void PrintTo(const KeyboardRow &row, std::ostream *os) { *os << row.label; }

class StyleEditorKeyboardTest : public ::testing::TestWithParam<KeyboardRow> { };

QString describe(const QWidget *w)
{
    const auto *button = qobject_cast<const QAbstractButton *>(w);
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(w->metaObject()->className()), w->objectName(),
                                          button ? button->text() : w->accessibleName());
}

QString describe(const std::set<QWidget *> &widgets)
{
    QStringList names;
    for (const QWidget *w : widgets)
        names << describe(w);
    names.sort();
    return names.join(QStringLiteral(" | "));
}

// Alt and a letter reach one thing in each scope.
QStringList mnemonicClashes(const QList<QStringList> &scopes)
{
    QStringList clashes;
    for (const QStringList &texts : scopes) {
        QMap<QKeySequence, QString> seen;
        for (const QString &text : texts) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(text);
            if (!mnemonic.isEmpty() && seen.contains(mnemonic))
                clashes << seen.value(mnemonic) + QStringLiteral(" / ") + text;
            seen.insert(mnemonic, text);
        }
    }
    return clashes;
}

// Every control has an accessible name and description, Tab reaches every
// one that takes focus by Tab, every action of the menus and the toolbar
// has a shortcut of its own, and no mnemonic opens two things.
TEST_P(StyleEditorKeyboardTest, EveryControlNamedReachedAndKeyed)
{
    const KeyboardRow &row = GetParam();
    std::unique_ptr<Translators> translators;
    if (row.german)
        translators = std::make_unique<Translators>(QLocale(QLocale::German, QLocale::Germany).uiLanguages());
    Site site;
    site.write(kTwoStyles);
    MainWindow window(site.installation());
    ForeignChangeDialog dialog(site.stylesheet(), {{QStringLiteral("alarm"), StyleDifference::Changed,
                                                    StyleDifference::Changed}}, &window);
    QWidget *root = row.dialog ? static_cast<QWidget *>(&dialog) : &window;
    window.show();
    root->show();
    root->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(root));

    std::set<QWidget *> unnamed;
    std::set<QWidget *> tabbable;
    QStringList windowScope;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        // The preview's samples are a picture, described as a whole.
        if (!w->isVisibleTo(root) || w->window() != root || window.preview()->backdrop()->isAncestorOf(w))
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(w);
        if ((w->focusPolicy() != Qt::NoFocus || button)
            && (w->accessibleName().isEmpty() || w->accessibleDescription().isEmpty()))
            unnamed.insert(w);
        // Of buttons that exclude each other, Tab reaches the checked one,
        // the arrow keys the others.
        const bool passedByTab = button && button->group() && button->group()->exclusive() && !button->isChecked();
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy() && !passedByTab)
            tabbable.insert(w);
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            windowScope << label->text();
        if (button)
            windowScope << button->text();
    }
    EXPECT_EQ(describe(unnamed).toStdString(), "");

    QWidget *start = QApplication::focusWidget();
    ASSERT_TRUE(start);
    std::set<QWidget *> reached = {start};
    for (size_t i = 0; i < 2 * tabbable.size() + 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (!reached.insert(QApplication::focusWidget()).second)
            break;
    }
    EXPECT_EQ(describe(reached).toStdString(), describe(tabbable).toStdString());

    QList<QStringList> scopes;
    QStringList unkeyed;
    QMap<QKeySequence, QString> keyed;
    for (QAction *menu : window.menuBar()->actions()) {
        windowScope << menu->text();
        scopes << QStringList();
        for (QAction *action : menu->menu()->actions()) {
            scopes.last() << action->text();
            if (!action->isSeparator() && action->shortcut().isEmpty())
                unkeyed << action->text();
        }
    }
    for (QToolBar *bar : window.findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions())
            if (action->shortcut().isEmpty())
                unkeyed << action->text();
    }
    for (QAction *action : window.findChildren<QAction *>()) {
        for (const QKeySequence &shortcut : action->shortcuts()) {
            if (keyed.contains(shortcut))
                unkeyed << keyed.value(shortcut) + QStringLiteral(" / ") + action->text();
            keyed.insert(shortcut, action->text());
        }
    }
    scopes << windowScope;
    EXPECT_EQ(unkeyed.join(QStringLiteral(" | ")).toStdString(), "");
    EXPECT_EQ(mnemonicClashes(scopes).join(QStringLiteral(" | ")).toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, StyleEditorKeyboardTest, ::testing::Values(
    KeyboardRow{"Window", false, false}, KeyboardRow{"WindowGerman", true, false},
    KeyboardRow{"Dialog", false, true}, KeyboardRow{"DialogGerman", true, true}),
    [](const ::testing::TestParamInfo<KeyboardRow> &info) { return std::string(info.param.label); });

// The first language the user wants that the editor speaks; English, the
// source language, is one.
TEST(StyleEditorLanguage, ChosenFromTheUsersLanguages)
{
    const struct
    {
        QStringList languages;
        QLocale::Language chosen;
    } rows[] = {
        {{QStringLiteral("de-DE"), QStringLiteral("de")}, QLocale::German},
        {{QStringLiteral("de-AT")}, QLocale::German},
        {{QStringLiteral("fr-FR"), QStringLiteral("fr"), QStringLiteral("de")}, QLocale::German},
        {{QStringLiteral("en-GB"), QStringLiteral("de")}, QLocale::C},
        {{QStringLiteral("C")}, QLocale::C},
        {{}, QLocale::C},
    };
    for (const auto &row : rows) {
        const Translators translators(row.languages);
        EXPECT_EQ(translators.language(), row.chosen) << row.languages.join(u',').toStdString();
        EXPECT_EQ(translators.qtLoaded(), row.chosen != QLocale::C) << row.languages.join(u',').toStdString();
        EXPECT_EQ(QCoreApplication::translate("styleeditor::MainWindow", "&Save"),
                  row.chosen == QLocale::German ? QStringLiteral("&Speichern") : QStringLiteral("&Save"));
    }
    EXPECT_EQ(QCoreApplication::translate("styleeditor::MainWindow", "&Save"), QStringLiteral("&Save"));
}

} // namespace
