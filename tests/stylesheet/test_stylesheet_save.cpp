// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Saving and deleting against the real file system and the real message
// boxes. A save either completes, keeping the file's owner, group, mode, ACL
// and attributes and what others saved since the load, or leaves the file
// byte for byte as it was.
#include "message_box_answer.h"
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include "stylesheet/save_steps.h"
#include "stylesheet/stylesheet_replace.h"
#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QLockFile>
#include <QtCore/QSysInfo>

#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/wait.h>
#include <sys/xattr.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vrextest;

namespace {

constexpr uid_t kOtherUser = 12345;
constexpr gid_t kOtherGroup = 4321;

using Cleanup = std::function<void()>;
// Prepares a failure or a file-system state after kTwoStyles was loaded;
// returns what undoes it, or nullptr when this system cannot produce it.
using Arrange = std::function<Cleanup(const FixtureTree &)>;
using Extra = std::function<void(const FixtureTree &, const QStringList &messages)>;

QMap<QString, styleentry> registry() { return vrex_stylesheet().stylelist(); }
QByteArray native(const QString &path) { return QFile::encodeName(path); }

void setStyle(const QString &name, const QStringList &settings, int type = 2)
{
    QString key = name;
    styleentry entry = makeStyle(settings, QStringLiteral("QLabel"), QString(), type);
    vrex_stylesheet().set(key, entry);
}

void loadOriginal(const FixtureTree &tree)
{
    clearRegistries();
    tree.write(kStylesheetFile, kTwoStyles);
    QtMessageCapture swallow;
    vrex_stylesheet::reLoad();
}

QMap<QString, styleentry> asReadBack(QMap<QString, styleentry> styles)
{
    for (styleentry &entry : styles)
        entry = vrextest::asReadBack(entry);
    return styles;
}

Cleanup nothingToUndo() { return [] { }; }

Cleanup chownStylesheet(const FixtureTree &tree, uid_t uid, gid_t gid, mode_t mode)
{
    const QByteArray path = native(tree.path(kStylesheetFile));
    if (::chown(path, uid, gid) != 0 || ::chmod(path, mode) != 0)
        return nullptr;
    return nothingToUndo();
}

Cleanup limitFileSize(rlim_t bytes)
{
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = bytes;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    return [previous, previousHandler] {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    };
}

// An immutable directory refuses new entries even to root; the file in it
// stays writable.
Cleanup freezeDirectory(const FixtureTree &tree)
{
    const int fd = ::open(native(tree.path(QStringLiteral("stylesheet"))), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        const int frozen = flags | FS_IMMUTABLE_FL;
        if (ioctl(fd, FS_IOC_SETFLAGS, &frozen) == 0)
            return [fd, flags] {
                ioctl(fd, FS_IOC_SETFLAGS, &flags);
                ::close(fd);
            };
    }
    if (fd >= 0)
        ::close(fd);
    return nullptr;
}

// The stylesheet directory becomes a 64 KiB tmpfs in this (child) process's
// own mount namespace, filled to the last byte around the loaded stylesheet.
Cleanup fillDisk(const FixtureTree &tree)
{
    const QString dir = tree.path(QStringLiteral("stylesheet"));
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || mount("tmpfs", native(dir), "tmpfs", 0, "size=64k") != 0)
        return nullptr;
    loadOriginal(tree);
    setStyle(QStringLiteral("added"), {QStringLiteral("border: 1px solid black")});
    QFile filler(dir + QStringLiteral("/filler"));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const QByteArray block(512, 'f');
    while (filler.write(block) > 0) { }
    while (filler.write("f", 1) > 0) { }
    return [] { };
}

// Merged: saved, with what another program saved since the load.
enum class Outcome { Saved, Merged, Refused, NotSaved };
enum class Write { Replaced, InPlace };

struct SaveRow
{
    const char *label;
    Outcome outcome;
    Write write;      // for a saved file: new inode or the same one
    int messages;     // lines on the Qt message channel
    bool ownProcess;  // changes what a process cannot undo (mount namespace)
    Arrange arrange;
    Extra extra = nullptr;
    bool offGuiThread = false;
};

// What a save may change of a file: its metadata and its bytes.
struct FileState
{
    explicit FileState(const QString &path) : isFile(QFileInfo(path).isFile()), bytes(readFileBytes(path))
    {
        ::stat(native(path), &st);
    }
    bool isFile;
    QByteArray bytes;
    struct stat st {};
};

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Returns false when this system cannot produce the row's condition.
bool runSaveRow(const SaveRow &row)
{
    FixtureTree tree;
    HostRoot host(tree);
    loadOriginal(tree);
    const Cleanup cleanup = row.arrange(tree);
    if (!cleanup)
        return false;
    const QString path = tree.path(kStylesheetFile);
    const QString real = QFileInfo(path).canonicalFilePath().isEmpty() ? path : QFileInfo(path).canonicalFilePath();
    const QString dir = QFileInfo(real).path();
    const QMap<QString, styleentry> before = registry();
    const FileState old(real);
    const QStringList entries = entriesOf(dir);

    QtMessageCapture messages;
    bool saved = false;
    QVector<ShownBox> boxes;
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        if (row.offGuiThread)
            std::thread([&] { saved = vrex_stylesheet().save(); }).join();
        else
            saved = vrex_stylesheet().save();
        cleanup();
        boxes = answer.boxes();
    }
    const FileState now(real);
    EXPECT_EQ(saved, row.outcome == Outcome::Saved || row.outcome == Outcome::Merged);
    const bool box = row.outcome == Outcome::Refused && !row.offGuiThread;
    EXPECT_EQ(boxes.size(), box ? 1 : 0);
    if (box && boxes.size() == 1) {
        const ShownBox &b = boxes.at(0);
        EXPECT_EQ(b.title + u'/' + b.text, QStringLiteral("Save Failed/Saving to %1 failed").arg(path));
        EXPECT_TRUE(!b.hasParent && b.icon == QMessageBox::Warning && b.buttons == QMessageBox::Ok && b.buttonCount == 1);
    }
    EXPECT_EQ(messages.messages().size(), row.messages) << messages.messages().join(QLatin1Char('|')).toStdString();
    // Nothing left behind, and what killed saves left is gone.
    QStringList kept = entries;
    kept.removeIf([](const QString &e) { return e.endsWith(QStringLiteral(".lock")) || e.contains(QStringLiteral(".saving-")); });
    EXPECT_EQ(entriesOf(dir), kept);
    if (saved) {
        if (row.outcome == Outcome::Saved) {
            EXPECT_EQ(registry(), asReadBack(before));
        }
        EXPECT_EQ(now.st.st_uid, old.st.st_uid);
        EXPECT_EQ(now.st.st_gid, old.st.st_gid);
        EXPECT_EQ(now.st.st_mode, old.st.st_mode);
        EXPECT_EQ(now.st.st_ino == old.st.st_ino, row.write == Write::InPlace) << "inode replaced or kept";
    } else {
        EXPECT_EQ(registry(), before);
        EXPECT_EQ(now.isFile, old.isFile);
        EXPECT_EQ(now.bytes, old.bytes);
    }
    if (row.extra)
        row.extra(tree, messages.messages());
    return true;
}

void PrintTo(const SaveRow &row, std::ostream *os) { *os << row.label; }

class SaveTest : public ::testing::TestWithParam<SaveRow> { };

TEST_P(SaveTest, SavesWholeOrLeavesTheFile)
{
    if (GetParam().ownProcess) {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        EXPECT_EXIT({
            const bool ran = runSaveRow(GetParam());
            _exit(!ran ? 3 : ::testing::Test::HasFailure());
        }, ::testing::ExitedWithCode(0), "") << "(exit code 3: no mount namespace here)";
    } else if (!runSaveRow(GetParam())) {
        GTEST_SKIP() << "this system cannot produce the condition";
    }
}

Cleanup addStyles(int count)
{
    for (int i = 0; i < count; ++i)
        setStyle(QStringLiteral("style%1").arg(i), {QStringLiteral("background-color: #%1").arg(i)});
    return nothingToUndo();
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveTest, ::testing::Values(
    // A file of one's own: replaced atomically, group and mode carried over;
    // the registry is what the file gives back.
    SaveRow{"OwnFileReplaced", Outcome::Saved, Write::Replaced, 0, false, [](const FixtureTree &t) {
        setStyle(QStringLiteral("0first"), {QString(), QStringLiteral("a: b")}, 7);
        return chownStylesheet(t, ::geteuid(), kOtherGroup, 0640);
    }},
    // A stylesheet shared by operators: its owner, group and mode stay.
    SaveRow{"ForeignFileInPlace", Outcome::Saved, Write::InPlace, 0, false, [](const FixtureTree &t) {
        addStyles(50);
        return chownStylesheet(t, kOtherUser, kOtherGroup, 02664);
    }},
    SaveRow{"UnwritableDirectoryInPlace", Outcome::Saved, Write::InPlace, 0, false, [](const FixtureTree &t) {
        setStyle(QStringLiteral("added"), {QStringLiteral("x: y")});
        return freezeDirectory(t);
    }},
    SaveRow{"HardLinkKept", Outcome::Saved, Write::InPlace, 0, false, [](const FixtureTree &t) {
        setStyle(QStringLiteral("added"), {QStringLiteral("x: y")});
        return ::link(native(t.path(kStylesheetFile)), native(t.path(QStringLiteral("linked.xml")))) == 0
                ? nothingToUndo() : nullptr;
    }, [](const FixtureTree &t, const QStringList &) {
        EXPECT_EQ(readFileBytes(t.path(QStringLiteral("linked.xml"))), readFileBytes(t.path(kStylesheetFile)));
    }},
    // Installations share one stylesheet by linking to it.
    SaveRow{"SymlinkKept", Outcome::Saved, Write::Replaced, 0, false, [](const FixtureTree &t) {
        t.write(QStringLiteral("shared/vrex_style.xml"), kTwoStyles);
        t.remove(kStylesheetFile);
        ::symlink("../shared/vrex_style.xml", native(t.path(kStylesheetFile)));
        vrex_stylesheet::reLoad();
        setStyle(QStringLiteral("added"), {QStringLiteral("x: y")});
        return nothingToUndo();
    }, [](const FixtureTree &t, const QStringList &) {
        EXPECT_TRUE(QFileInfo(t.path(kStylesheetFile)).isSymLink());
        EXPECT_TRUE(readFileBytes(t.path(QStringLiteral("shared/vrex_style.xml"))).contains("name=\"added\""));
    }},
    // What another program saved since the load stays: its new style, its
    // edit of a style this process left alone, its removal of another.
    SaveRow{"ExternalEditKept", Outcome::Merged, Write::Replaced, 0, false, [](const FixtureTree &t) {
        t.write(kStylesheetFile, "<stylesheet><style name=\"external\"/><style name=\"alarm\" description=\"elsewhere\"/>"
                           "</stylesheet>");
        return addStyles(1);
    }, [](const FixtureTree &, const QStringList &) {
        EXPECT_EQ(registry().keys().join(u' '), QStringLiteral("alarm external style0"));
        EXPECT_EQ(registry().value(QStringLiteral("alarm")).description, QStringLiteral("elsewhere"));
    }},
    // A file that cannot be read whole is never written over.
    SaveRow{"DamagedFileRefused", Outcome::Refused, Write::Replaced, 1, false, [](const FixtureTree &t) {
        t.write(kStylesheetFile, QByteArray(kTwoStyles).replace("  </style>\n", ""));
        return addStyles(1);
    }, [](const FixtureTree &t, const QStringList &said) {
        EXPECT_EQ(said.value(0), QStringLiteral("vrex_stylesheet: ") + t.path(kStylesheetFile)
                  + QStringLiteral(" was not saved: it is not a well-formed stylesheet: mismatched tag (line 6, column 3)"));
    }},
    SaveRow{"WrongRootRefused", Outcome::Refused, Write::Replaced, 1, false, [](const FixtureTree &t) {
        t.write(kStylesheetFile, "<styles><style name=\"x\"/></styles>");
        return addStyles(1);
    }, [](const FixtureTree &, const QStringList &said) {
        EXPECT_TRUE(said.value(0).endsWith(QStringLiteral("the root element is <styles>, not <stylesheet> (line 1, column 1)")));
    }},
    // Another user's ACL entry, the owning group's own bits and the file's
    // attributes survive the new file.
    SaveRow{"AclAndAttributesKept", Outcome::Saved, Write::Replaced, 0, false, [](const FixtureTree &t) {
        setStyle(QStringLiteral("added"), {QStringLiteral("x: y")});
        const QByteArray path = native(t.path(kStylesheetFile));
        acl_t acl = acl_from_text("u::rw-,u:12345:rw-,g::r--,m::rw-,o::---");
        const bool set = ::chmod(path, 0640) == 0 && acl_set_file(path, ACL_TYPE_ACCESS, acl) == 0
                && ::setxattr(path, "user.origin", "ws3", 3, 0) == 0;
        acl_free(acl);
        return set ? nothingToUndo() : nullptr;
    }, [](const FixtureTree &t, const QStringList &) {
        const QByteArray path = native(t.path(kStylesheetFile));
        acl_t acl = acl_get_file(path, ACL_TYPE_ACCESS);
        char *text = acl_to_any_text(acl, nullptr, ',', 0);
        EXPECT_STREQ(text, "user::rw-,user:12345:rw-,group::r--,mask::rw-,other::---");
        acl_free(text);
        acl_free(acl);
        char value[4] = {};
        EXPECT_EQ(::getxattr(path, "user.origin", value, sizeof value), 3);
    }},
    // A dead process's lock and a killed save's temporary file are cleared;
    // a file merely named alike is the user's own.
    SaveRow{"LeftoversOfKilledSavesCleared", Outcome::Saved, Write::Replaced, 0, false, [](const FixtureTree &t) {
        t.write(QStringLiteral("stylesheet/vrex_style.xml.saving-Ab12Cd"), "<!DOCTYPE stylesheet>\n<sty");
        t.write(QStringLiteral("stylesheet/vrex_style.xml.backup"), kTwoStyles);
        const pid_t holder = ::fork();
        if (holder == 0) {
            QLockFile lock(t.path(kStylesheetFile) + QStringLiteral(".lock"));
            _exit(lock.tryLock(0) ? 0 : 1); // and never unlock
        }
        int status = -1;
        ::waitpid(holder, &status, 0);
        return status == 0 && QFileInfo::exists(t.path(kStylesheetFile) + QStringLiteral(".lock")) ? addStyles(1) : nullptr;
    }},
    // Rewriting in place needs somewhere to keep the old bytes meanwhile.
    SaveRow{"ForeignFileWithoutRecoveryCopy", Outcome::Refused, Write::InPlace, 1, false, [](const FixtureTree &t) {
        setStyle(QStringLiteral("added"), {QStringLiteral("x: y")});
        auto state = std::make_shared<EnvGuard>("XDG_STATE_HOME", "/proc/version");
        return chownStylesheet(t, kOtherUser, kOtherGroup, 0664) ? Cleanup([state]() mutable { state.reset(); }) : nullptr;
    }, [](const FixtureTree &, const QStringList &said) {
        EXPECT_TRUE(said.value(0).contains(QStringLiteral("was not saved: cannot keep a copy of it in /proc/version/")));
    }},
    SaveRow{"DirectoryInPlaceOfFile", Outcome::Refused, Write::Replaced, 0, false, [](const FixtureTree &t) {
        t.remove(kStylesheetFile);
        t.makeDirectory(kStylesheetFile);
        return nothingToUndo();
    }},
    SaveRow{"ShortWriteOfSmallDocument", Outcome::Refused, Write::Replaced, 0, false,
            [](const FixtureTree &) { return limitFileSize(64); }},
    // Larger than any write buffer: a failure only at commit() must count.
    SaveRow{"ShortWriteOfLargeDocument", Outcome::Refused, Write::Replaced, 0, false,
            [](const FixtureTree &) { addStyles(2000); return limitFileSize(64); }},
    SaveRow{"ForeignFileOverSizeLimit", Outcome::Refused, Write::InPlace, 0, false, [](const FixtureTree &t) {
        chownStylesheet(t, kOtherUser, kOtherGroup, 0664);
        return limitFileSize(64);
    }},
    SaveRow{"FullDisk", Outcome::Refused, Write::Replaced, 0, true, fillDisk},
    SaveRow{"FullDiskForeignFile", Outcome::Refused, Write::InPlace, 0, true, [](const FixtureTree &t) {
        // More than the room left in the file's last block.
        const Cleanup filled = fillDisk(t);
        return filled ? (addStyles(100), chownStylesheet(t, kOtherUser, kOtherGroup, 0664)) : nullptr;
    }},
    // Text XML cannot carry would make a file the next load rejects.
    SaveRow{"NameWithControlCharacter", Outcome::Refused, Write::Replaced, 1, false, [](const FixtureTree &) {
        setStyle(QStringLiteral("bad") + QChar(0x1), {QStringLiteral("color: red")});
        return nothingToUndo();
    }},
    SaveRow{"SettingWithLoneSurrogate", Outcome::Refused, Write::Replaced, 1, false, [](const FixtureTree &) {
        setStyle(QStringLiteral("n"), {QStringLiteral("ok"), QString(QChar(0xD800))});
        return nothingToUndo();
    }},
    SaveRow{"OffTheGuiThreadOnTheMessageChannel", Outcome::Refused, Write::Replaced, 1, false,
            [](const FixtureTree &t) {
        t.remove(kStylesheetFile);
        t.makeDirectory(kStylesheetFile);
        return nothingToUndo();
    }, nullptr, true},
    // Only an existing stylesheet is rewritten, none is created.
    SaveRow{"MissingFileNeverCreated", Outcome::NotSaved, Write::Replaced, 0, false, [](const FixtureTree &t) {
        t.remove(kStylesheetFile);
        return addStyles(1);
    }}),
    [](const ::testing::TestParamInfo<SaveRow> &info) { return std::string(info.param.label); });

// styles: what remains, space-separated; rewritten: the file was saved again.
TEST(DeleteStyle, AsksThenRemovesAndSaves)
{
    struct Row
    {
        QMessageBox::StandardButton answer;
        const char *name;
        bool rewritten;
        const char *styles;
        bool offGuiThread;
    };
    for (const Row &row : {Row{QMessageBox::Ok, "alarm", true, " panel unsaved", false},
                           Row{QMessageBox::Ok, "Alarm", true, " alarm panel unsaved", false}, // unknown: still saves
                           Row{QMessageBox::Cancel, "alarm", false, " alarm panel unsaved", false},
                           Row{QMessageBox::Cancel, "", false, " alarm panel unsaved", false},
                           Row{QMessageBox::Ok, "", false, " alarm panel unsaved", false},
                           Row{QMessageBox::Ok, "alarm", false, " alarm panel unsaved", true}}) {
        SCOPED_TRACE(std::string(row.name) + (row.answer == QMessageBox::Ok ? " Ok" : " Cancel")
                     + (row.offGuiThread ? " off the GUI thread" : ""));
        FixtureTree tree;
        HostRoot host(tree);
        loadOriginal(tree);
        tree.write(kStylesheetFile, kTwoStyles + "<!-- gone after a save -->\n");
        setStyle(QStringLiteral("unsaved"), {QStringLiteral("v")});
        setStyle(QString(), {QStringLiteral("unnamed")}); // listed first below, as ""
        const QString name = QString::fromUtf8(row.name);

        QtMessageCapture messages;
        MessageBoxAnswer answer(row.answer);
        if (row.offGuiThread)
            std::thread([&] { vrex_stylesheet().deleteStyle(name); }).join();
        else
            vrex_stylesheet().deleteStyle(name);
        EXPECT_EQ(registry().keys().join(u' '), QString::fromUtf8(row.styles));
        EXPECT_EQ(!readFileBytes(tree.path(kStylesheetFile)).contains("gone after"), row.rewritten);
        EXPECT_EQ(messages.messages().size(), row.offGuiThread ? 1 : 0);
        ASSERT_EQ(answer.boxes().size(), row.offGuiThread ? 0 : 1);
        if (row.offGuiThread)
            continue;
        const ShownBox &box = answer.boxes().at(0);
        EXPECT_EQ(box.title + u'/' + box.text, QStringLiteral("Deleting Style/Are you sure you want to delete the style: ") + name);
        EXPECT_TRUE(box.icon == QMessageBox::Question && box.buttons == (QMessageBox::Ok | QMessageBox::Cancel)
                    && box.buttonCount == 2 && !box.hasParent);
    }
}

} // namespace

namespace {

vrex::Installation openSite(const FixtureTree &tree)
{
    vrex::Installation site = tree.installation();
    site.setRecoveryDirectory(tree.root() + QStringLiteral("/state"));
    site.loadStyles();
    return site;
}

// Two programs change the same style: the later save wins and says so;
// each keeps the other's other changes.
TEST(ConcurrentSave, LaterWinsTheSameStyleAndSaysSo)
{
    FixtureTree tree;
    tree.write(kStylesheetFile, kTwoStyles);
    vrex::Installation first = openSite(tree), second = openSite(tree);
    first.styles()[QStringLiteral("alarm")].description = QStringLiteral("first");
    first.styles().insert(QStringLiteral("one"), makeStyle({QStringLiteral("v")}));
    second.styles()[QStringLiteral("alarm")].description = QStringLiteral("second");
    second.styles().remove(QStringLiteral("panel"));
    ASSERT_EQ(first.saveStyles(), vrex::SaveOutcome::Saved);
    ASSERT_EQ(second.saveStyles(), vrex::SaveOutcome::Saved);
    const vrex::Installation file = openSite(tree);
    EXPECT_EQ(file.styles().keys().join(u' '), QStringLiteral("alarm one"));
    EXPECT_EQ(file.styles().value(QStringLiteral("alarm")).description, QStringLiteral("second"));
    EXPECT_TRUE(first.messages().isEmpty());
    ASSERT_EQ(second.messages().size(), 1);
    EXPECT_TRUE(second.messages().at(0).text.startsWith(QStringLiteral("vrex_stylesheet: style \"alarm\" was changed in ")));
}

using vrex::internal::SaveStep;
SaveStep g_stopAt;

// A save stopped after each of its steps, as a crash there would stop it,
// leaves the old file, the new one, or one the reader rejects while the
// old bytes wait in the recovery copy that the load message names. The
// next save refuses the damaged file and clears up after the others.
struct CrashRow
{
    bool inPlace;
    SaveStep step;
    // The first style's value grows: the first half of the new bytes ends
    // inside it, where the old bytes are inside the last style's value, so
    // the two halves read as a whole file that lost the styles between.
    bool tornLooksWhole = false;
};

class CrashTest : public ::testing::TestWithParam<CrashRow> { };

TEST_P(CrashTest, LeavesOldNewOrARecoveryCopy)
{
    const CrashRow row = GetParam();
    const bool inPlace = row.inPlace;
    FixtureTree tree;
    QByteArray oldBytes = kTwoStyles;
    if (row.tornLooksWhole) {
        oldBytes = vrex::writeStylesheet({{QStringLiteral("alarm"), makeStyle({QString(100, u'v')})},
                                          {QStringLiteral("beacon"), makeStyle({QString(100, u'v')})},
                                          {QStringLiteral("panel"), makeStyle({QString(600, u'v')})}});
    }
    tree.write(kStylesheetFile, oldBytes);
    const QString path = tree.path(kStylesheetFile), dir = QFileInfo(path).path();
    if (inPlace) {
        ASSERT_EQ(::chown(native(path), kOtherUser, kOtherGroup), 0);
    }
    vrex::Installation site = openSite(tree);
    if (row.tornLooksWhole) {
        site.styles()[QStringLiteral("alarm")].settings = QStringList{QString(900, u'v')};
    } else {
        site.styles().insert(QStringLiteral("added"), makeStyle({QString(4000, u'x')})); // the file grows
    }
    const QByteArray newBytes = vrex::writeStylesheet(site.styles());
    const SaveStep step = row.step;
    g_stopAt = step;
    const pid_t saver = ::fork();
    if (saver == 0) {
        vrex::internal::saveStepHook = [](SaveStep at) { if (at == g_stopAt) _exit(0); };
        site.saveStyles();
        _exit(3); // never got there
    }
    int status = -1;
    ::waitpid(saver, &status, 0);
    ASSERT_EQ(status, 0);

    const QByteArray now = readFileBytes(path);
    vrex::Installation next = openSite(tree);
    if (now != oldBytes && now != newBytes) {
        const QString copy = vrex::recoveryCopyPath(tree.root() + QStringLiteral("/state"), QFileInfo(path).canonicalFilePath());
        ASSERT_FALSE(next.problems().isEmpty()) << now.constData();
        EXPECT_EQ(readFileBytes(copy), oldBytes);
        EXPECT_TRUE(next.messages().last().text.endsWith(QStringLiteral("is kept in ") + copy + QStringLiteral(" on ")
                                                          + QSysInfo::machineHostName()));
        EXPECT_EQ(next.saveStyles(), vrex::SaveOutcome::Failed);
        EXPECT_EQ(readFileBytes(path), now);
        return;
    }
    EXPECT_EQ(next.saveStyles(), vrex::SaveOutcome::Saved);
    EXPECT_EQ(entriesOf(dir), QStringList{QStringLiteral("vrex_style.xml")});
    EXPECT_TRUE(QDir(tree.root() + QStringLiteral("/state")).isEmpty());
}

std::string crashRowName(const ::testing::TestParamInfo<CrashRow> &info)
{
    static const char *const steps[] = {"Locked", "TemporaryWritten", "CopyKept", "RoomClaimed",
                                        "HalfWritten", "Written", "Replaced"};
    return std::string(info.param.inPlace ? "InPlace" : "Atomic") + steps[int(info.param.step)]
            + (info.param.tornLooksWhole ? "TornLooksWhole" : "");
}

INSTANTIATE_TEST_SUITE_P(Steps, CrashTest, ::testing::Values(
    CrashRow{false, SaveStep::Locked}, CrashRow{false, SaveStep::TemporaryWritten},
    CrashRow{false, SaveStep::Replaced}, CrashRow{true, SaveStep::Locked}, CrashRow{true, SaveStep::CopyKept},
    CrashRow{true, SaveStep::RoomClaimed}, CrashRow{true, SaveStep::HalfWritten},
    CrashRow{true, SaveStep::HalfWritten, true}, CrashRow{true, SaveStep::Written},
    CrashRow{true, SaveStep::Replaced}),
    crashRowName);

} // namespace
