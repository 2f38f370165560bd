// The editor as a user drives it: keys into the real widgets, the library's
// and the editor's own boxes answered, the file read back through the
// library.
#include "message_box_answer.h"
#include "stylesheet_test_support.h"

#include "main_window.h"
#include "settings_list_editor.h"
#include "style_document.h"
#include "style_form.h"
#include "style_preview.h"
#include "unsavable_mark.h"

#include "support/capture.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTableView>

#include <functional>

using namespace styleeditor;
using namespace vrextest;

namespace {

const char kOriginalSummary[] = "alarm[1|QLabel|Alarm|color: red] panel[2|||]";

// The styles the file holds, as the library reads them.
QString fileSummary()
{
    QtMessageCapture swallow;
    vrex_stylesheet::reLoad();
    QStringList parts;
    const QMap<QString, styleentry> styles = vrex_stylesheet().stylelist();
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

struct EditorRow
{
    const char *label;
    QMessageBox::StandardButton answer; // to every box shown
    std::function<void(MainWindow &, const FixtureTree &)> act;
    const char *file;          // what the file holds afterwards
    bool modified;             // the title's "*"
    const char *boxes;         // titles of the boxes shown, space-separated
    std::function<void(MainWindow &)> check = nullptr;
};

void PrintTo(const EditorRow &row, std::ostream *os) { *os << row.label; }

class StyleEditorTest : public ::testing::TestWithParam<EditorRow> { };

TEST_P(StyleEditorTest, DrivenByKeyboard)
{
    const EditorRow &row = GetParam();
    FixtureTree tree;
    clearRegistries();
    tree.write(kStylesheetFile, kTwoStyles);
    vrex_stylesheet::reLoad();
    MainWindow window(tree.path(kStylesheetFile));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.currentStyle(), QStringLiteral("alarm"));

    QStringList titles;
    {
        MessageBoxAnswer answer(row.answer);
        row.act(window, tree);
        QTest::qWait(50);
        for (const ShownBox &box : answer.boxes())
            titles << box.title;
        if (row.check)
            row.check(window);
    }
    EXPECT_EQ(titles.join(u' ').toStdString(), row.boxes);
    EXPECT_EQ(window.isWindowModified(), row.modified);
    EXPECT_TRUE(window.windowTitle().contains(tree.path(kStylesheetFile)));
    EXPECT_EQ(fileSummary().toStdString(), row.file);
}

INSTANTIATE_TEST_SUITE_P(Rows, StyleEditorTest, ::testing::Values(
    // Tab from the list to the form, edit every field by key, save.
    EditorRow{"EditAndSave", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
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
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "alarm[2|QLabel QPushButton|Alarm red|font-weight: bold;color: red] panel[2|||]", false, "",
       [](MainWindow &w) {
        // The preview shows the edit on a label and a button, as a host would.
        ASSERT_EQ(w.preview()->samples().size(), 2);
        for (QWidget *sample : w.preview()->samples())
            EXPECT_TRUE(sample->styleSheet().contains(QStringLiteral("font-weight: bold; color: red")));
    }},
    EditorRow{"UndoRestoresTheSavedText", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("abc"));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
    }, kOriginalSummary, false, "", [](MainWindow &w) {
        EXPECT_EQ(w.form()->descriptionEdit()->text(), QStringLiteral("Alarm"));
    }},
    // The library asks; the deletion is in the file at once and undo brings
    // the style back as an unsaved change.
    EditorRow{"DeleteConfirmedThenUndone", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
        key(&w, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("panel"));
        EXPECT_FALSE(w.document()->styles().contains(QStringLiteral("alarm")));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
    }, "panel[2|||]", true, "Deleting Style"},
    EditorRow{"NewStyleSaved", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
        answerNextInput(QStringLiteral("zeta"));
        key(&w, Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("zeta"));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "alarm[1|QLabel|Alarm|color: red] panel[2|||] zeta[0|||]", false, ""},
    // A rename is saved at once (the library asks about the old name) and
    // undone as one step.
    EditorRow{"RenameThenUndo", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
        answerNextInput(QStringLiteral("beacon"));
        key(&w, Qt::Key_F2, Qt::ShiftModifier);
        EXPECT_EQ(w.currentStyle(), QStringLiteral("beacon"));
        key(&w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.document()->styles().keys(), QStringList({QStringLiteral("alarm"), QStringLiteral("panel")}));
    }, "beacon[1|QLabel|Alarm|color: red] panel[2|||]", true, "Deleting Style"},
    EditorRow{"DeleteCancelled", QMessageBox::Cancel, [](MainWindow &w, const FixtureTree &) {
        key(&w, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_TRUE(w.document()->styles().contains(QStringLiteral("alarm")));
    }, kOriginalSummary, false, "Deleting Style"},
    // Pasted text a stylesheet cannot store is marked and blocks saving.
    EditorRow{"ControlCharacterBlocksSaving", QMessageBox::Ok, [](MainWindow &w, const FixtureTree &) {
        w.form()->suitableForEdit()->insert(QStringLiteral(" Q") + QChar(0x7));
        EXPECT_TRUE(isMarkedUnsavable(w.form()->suitableForEdit()));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, kOriginalSummary, true, "Not Saved"},
    // Another program saves: the editor says so, and keeping on editing
    // does not let a save overwrite it unasked.
    EditorRow{"ExternalChangeNoticed", QMessageBox::Cancel, [](MainWindow &w, const FixtureTree &t) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        t.write(kStylesheetFile, "<stylesheet><style name=\"other\"/></stylesheet>");
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.statusBar()->currentMessage().isEmpty(); }, 5000));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "other[0|||]", true, "Stylesheet Changed Stylesheet Changed"}),
    [](const ::testing::TestParamInfo<EditorRow> &info) { return std::string(info.param.label); });

} // namespace
