#include "message_box_answer.h"
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace vrextest;

namespace {

const QByteArray kOriginal =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
        "    <setting value=\"color: red\"/>\n  </style>\n"
        "  <style suitablefor=\"\" description=\"\" name=\"panel\" type=\"style\"/>\n"
        "</stylesheet>\n";

class SaveTest : public StylesheetTest
{
protected:
    void SetUp() override
    {
        StylesheetTest::SetUp();
        loadStylesheet(kOriginal);
    }

    void setStyle(const QString &name, const styleentry &entry)
    {
        QString key = name;
        styleentry value = entry;
        style.set(key, value);
    }

    QString failedText() const { return QStringLiteral("Saving to %1 failed").arg(stylesheetPath()); }

    void expectSaveFailedBox(const MessageBoxAnswer &answer) const
    {
        ASSERT_EQ(answer.boxes().size(), 1);
        const ShownBox &box = answer.boxes().at(0);
        EXPECT_EQ(box.title, QStringLiteral("Save Failed"));
        EXPECT_EQ(box.text, failedText());
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box.buttonCount, 1);
        EXPECT_FALSE(box.hasParent);
    }

    vrex_stylesheet style;
};

TEST_F(SaveTest, WritesRegistryAndReloadsIt)
{
    setStyle(QStringLiteral("0first"), makeStyle({QString(), QStringLiteral("a: b")}, {}, {}, 0));
    styleentry *before = style.getStyleEntry(QStringLiteral("panel"));
    before->type = 7;

    MessageBoxAnswer answer(QMessageBox::Ok);
    ASSERT_TRUE(style.save());
    EXPECT_TRUE(answer.boxes().isEmpty());
    // The registry is what the file gives back, not what was in memory.
    EXPECT_EQ(registry().value(QStringLiteral("0first")), makeStyle({QStringLiteral("a: b")}));
    EXPECT_EQ(registry().value(QStringLiteral("panel")).type, 0);
    EXPECT_EQ(vrex_stylesheet::count(), 3);
}

TEST_F(SaveTest, EmptyRegistryWritesEmptyRoot)
{
    loadStylesheet("<stylesheet><!-- nothing --></stylesheet>");
    ASSERT_TRUE(style.save());
    EXPECT_EQ(readFileBytes(stylesheetPath()), QByteArray("<!DOCTYPE stylesheet>\n<stylesheet/>\n"));
    EXPECT_EQ(vrex_stylesheet::count(), 0);
}

TEST_F(SaveTest, MissingFileIsNeverCreated)
{
    tree->remove(relativePath());
    setStyle(QStringLiteral("x"), makeStyle({QStringLiteral("v")}));
    const QMap<QString, styleentry> before = registry();

    MessageBoxAnswer answer(QMessageBox::Ok);
    QtMessageCapture messages;
    EXPECT_FALSE(style.save());
    EXPECT_TRUE(answer.boxes().isEmpty());
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(stylesheetPath()));
    EXPECT_EQ(registry(), before);
}

// Ways to make writing the stylesheet fail for root. Each returns its
// cleanup, or nothing when this system cannot produce that failure.
struct FailureCase
{
    const char *label;
    int extraStyles; // makes the document larger than the write buffer
    std::function<std::function<void()>(const FixtureTree &, const QString &relative)> arrange;
};

std::function<void()> putDirectoryInPlace(const FixtureTree &tree, const QString &relative)
{
    tree.remove(relative);
    tree.makeDirectory(relative);
    return [] { };
}

std::function<void()> limitFileSize(const FixtureTree &, const QString &)
{
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 64;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    return [previous, previousHandler] {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    };
}

// An immutable directory refuses new entries even to root; the file in it
// stays writable, so only the temporary file of an atomic write fails.
std::function<void()> freezeDirectory(const FixtureTree &tree, const QString &relative)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(tree.path(relative)).path());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd < 0 || ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    const int frozen = flags | FS_IMMUTABLE_FL;
    if (ioctl(fd, FS_IOC_SETFLAGS, &frozen) != 0) {
        ::close(fd);
        return nullptr;
    }
    return [fd, flags] {
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
        ::close(fd);
    };
}

class SaveFailureTest : public SaveTest, public ::testing::WithParamInterface<FailureCase> { };

TEST_P(SaveFailureTest, ShowsWarningAndChangesNothing)
{
    for (int i = 0; i < GetParam().extraStyles; ++i)
        setStyle(QStringLiteral("style%1").arg(i), makeStyle({QStringLiteral("background-color: #%1").arg(i)}));
    const QMap<QString, styleentry> before = registry();
    const QByteArray fileBefore = readFileBytes(stylesheetPath());
    const QDir dir(tree->path(QStringLiteral("stylesheet")));
    const QStringList entriesBefore = dir.entryList(QDir::AllEntries | QDir::Hidden);

    std::function<void()> cleanup = GetParam().arrange(*tree, relativePath());
    if (!cleanup)
        GTEST_SKIP() << "this file system or process cannot produce the failure";
    const bool isFile = QFileInfo(stylesheetPath()).isFile();
    bool saved = true;
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        saved = style.save();
        cleanup();
        expectSaveFailedBox(answer);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(registry(), before);
    EXPECT_EQ(QFileInfo(stylesheetPath()).isFile(), isFile);
    if (isFile)
        EXPECT_EQ(readFileBytes(stylesheetPath()), fileBefore);
    // Nothing is left behind: no temporary file, nothing renamed.
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::Hidden), entriesBefore);
}

INSTANTIATE_TEST_SUITE_P(Failures, SaveFailureTest, ::testing::Values(
    FailureCase{"DirectoryInPlaceOfFile", 0, putDirectoryInPlace},
    FailureCase{"ShortWriteOfSmallDocument", 0, limitFileSize},
    FailureCase{"ShortWriteOfLargeDocument", 2000, limitFileSize},
    FailureCase{"TemporaryFileCannotBeCreated", 0, freezeDirectory}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.label); });

TEST_F(SaveTest, TextXmlCannotCarryIsRefusedBeforeTheFileIsTouched)
{
    setStyle(QStringLiteral("n"), makeStyle({QStringLiteral("ok"), QString(QChar(0xD800))}));
    const QMap<QString, styleentry> before = registry();
    const QDateTime modified = QFileInfo(stylesheetPath()).lastModified();

    QtMessageCapture messages;
    MessageBoxAnswer answer(QMessageBox::Ok);
    EXPECT_FALSE(style.save());
    expectSaveFailedBox(answer);
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(registry(), before);
    EXPECT_EQ(readFileBytes(stylesheetPath()), kOriginal);
    EXPECT_EQ(QFileInfo(stylesheetPath()).lastModified(), modified);
}

TEST_F(SaveTest, SaveOffTheGuiThreadReportsOnTheMessageChannel)
{
    tree->remove(relativePath());
    tree->makeDirectory(relativePath());
    QtMessageCapture messages;
    bool saved = true;
    std::thread worker([&] { saved = style.save(); });
    worker.join();
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.messages(), QStringList{failedText()});
}

class DeleteStyleTest : public SaveTest
{
protected:
    QString questionText(const QString &name) const
    {
        return QStringLiteral("Are you sure you want to delete the style: %1").arg(name);
    }

    void expectQuestion(const MessageBoxAnswer &answer, const QString &name) const
    {
        ASSERT_EQ(answer.boxes().size(), 1);
        const ShownBox &box = answer.boxes().at(0);
        EXPECT_EQ(box.title, QStringLiteral("Deleting Style"));
        EXPECT_EQ(box.text, questionText(name));
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(box.buttonCount, 2);
        EXPECT_FALSE(box.hasParent);
    }
};

TEST_F(DeleteStyleTest, OkRemovesTheStyleAndSaves)
{
    setStyle(QStringLiteral("unsaved"), makeStyle({QStringLiteral("v")}));
    MessageBoxAnswer answer(QMessageBox::Ok);
    style.deleteStyle(QStringLiteral("alarm"));
    expectQuestion(answer, QStringLiteral("alarm"));
    EXPECT_EQ(registry().keys(), (QStringList{QStringLiteral("panel"), QStringLiteral("unsaved")}));
    const QByteArray file = readFileBytes(stylesheetPath());
    EXPECT_FALSE(file.contains("alarm"));
    EXPECT_TRUE(file.contains("name=\"unsaved\""));
}

TEST_F(DeleteStyleTest, OkForAnUnknownNameStillRewritesTheFile)
{
    writeStylesheet(kOriginal + "<!-- rewritten away -->\n");
    MessageBoxAnswer answer(QMessageBox::Ok);
    style.deleteStyle(QStringLiteral("Alarm"));
    expectQuestion(answer, QStringLiteral("Alarm"));
    EXPECT_FALSE(readFileBytes(stylesheetPath()).contains("rewritten away"));
    EXPECT_EQ(vrex_stylesheet::count(), 2);
}

struct NoChangeCase
{
    const char *label;
    QMessageBox::StandardButton answer;
    const char *name;
};

class DeleteNothingTest : public DeleteStyleTest, public ::testing::WithParamInterface<NoChangeCase> { };

TEST_P(DeleteNothingTest, AsksAndChangesNothing)
{
    setStyle(QString(), makeStyle({QStringLiteral("unnamed")}));
    const QMap<QString, styleentry> before = registry();
    const QByteArray fileBefore = readFileBytes(stylesheetPath());
    const QString name = QString::fromUtf8(GetParam().name);

    MessageBoxAnswer answer(GetParam().answer);
    style.deleteStyle(name);
    expectQuestion(answer, name);
    EXPECT_EQ(registry(), before);
    EXPECT_EQ(readFileBytes(stylesheetPath()), fileBefore);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteNothingTest, ::testing::Values(
    NoChangeCase{"Cancel", QMessageBox::Cancel, "alarm"},
    NoChangeCase{"CancelForEmptyName", QMessageBox::Cancel, ""},
    NoChangeCase{"OkForEmptyName", QMessageBox::Ok, ""}),
    [](const ::testing::TestParamInfo<NoChangeCase> &info) { return std::string(info.param.label); });

TEST_F(DeleteStyleTest, OffTheGuiThreadNothingIsDeleted)
{
    QtMessageCapture messages;
    std::thread worker([&] { style.deleteStyle(QStringLiteral("alarm")); });
    worker.join();
    EXPECT_TRUE(style.styleExist(QStringLiteral("alarm")));
    EXPECT_EQ(readFileBytes(stylesheetPath()), kOriginal);
    EXPECT_EQ(messages.messages().size(), 1);
}

} // namespace
