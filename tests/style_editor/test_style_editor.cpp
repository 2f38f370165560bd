// The editor as a user drives it: keys into the real widgets, its boxes
// answered, the file read back by an installation of its own.
#include "message_box_answer.h"

#include "main_window.h"
#include "settings_list_editor.h"
#include "style_document.h"
#include "style_form.h"
#include "style_preview.h"
#include "unsavable_mark.h"

#include "installation/installation_layout.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTableView>

#include <csignal>
#include <functional>
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

struct EditorRow
{
    const char *label;
    QMessageBox::StandardButton answer; // to every box shown
    std::function<void(MainWindow &, const Site &)> act;
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
    Site site;
    site.write(kTwoStyles);
    MainWindow window(site.installation());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.currentStyle(), QStringLiteral("alarm"));

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
    // Another program saves: the editor says so, and keeping on editing
    // does not let a save overwrite it unasked.
    EditorRow{"ExternalChangeNoticed", QMessageBox::Cancel, [](MainWindow &w, const Site &s) {
        QTest::keyClicks(w.form()->descriptionEdit(), QStringLiteral("!"));
        s.write("<stylesheet><style name=\"other\"/></stylesheet>");
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.statusBar()->currentMessage().isEmpty(); }, 5000));
        key(&w, Qt::Key_S, Qt::ControlModifier);
    }, "other[0|||]", true, "Stylesheet Changed Stylesheet Changed"},
    // A file that cannot be read is never written over: its styles would
    // be lost.
    EditorRow{"UnreadableFileNotOverwritten", QMessageBox::Ok, [](MainWindow &w, const Site &s) {
        const QByteArray broken = "<stylesheet><style name=\"other\">";
        s.write(broken);
        EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.statusBar()->currentMessage().isEmpty(); }, 5000));
        key(&w, Qt::Key_F5);
        answerNextInput(QStringLiteral("zeta"));
        key(&w, Qt::Key_N, Qt::ControlModifier);
        key(&w, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(s.contents(), broken);
    }, "", true, "Stylesheet Changed Stylesheet Not Read Not Saved"},
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

} // namespace
