// Saving against a hostile world: the stylesheet replaced by a directory, a
// full disk, a concurrent edit by someone else, text XML cannot carry, a
// stylesheet shared through a symlink. A save either completes or leaves
// the file exactly as it was.
#include "bounded_child.h"
#include "config_formats.h"
#include "message_box_answer.h"

#include "support/capture.h"
#include "support/fixture_tree.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace vrextest;

namespace {

const QString kRelative = QStringLiteral("stylesheet/vrex_style.xml");
const QByteArray kOriginal =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
        "    <setting value=\"color: red\"/>\n  </style>\n"
        "  <style suitablefor=\"\" description=\"\" name=\"panel\" type=\"style\"/>\n"
        "</stylesheet>\n";

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QStringList styleNames()
{
    return vrex_stylesheet().stylelist().keys();
}

bool sameStyles(const QMap<QString, styleentry> &a, const QMap<QString, styleentry> &b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const styleentry &other = b.value(it.key());
        if (it->settings != other.settings || it->suitablefor != other.suitablefor
            || it->description != other.description || it->type != other.type)
            return false;
    }
    return true;
}

void setStyle(const QString &name, const QStringList &settings, const QString &description = QString())
{
    QString key = name;
    styleentry entry;
    entry.settings = settings;
    entry.description = description;
    vrex_stylesheet().set(key, entry);
}

// Empty registries, then kOriginal written into tree and loaded.
void loadOriginal(const FixtureTree &tree)
{
    clearRegistries();
    tree.write(kRelative, kOriginal);
    QtMessageCapture swallow;
    vrex_stylesheet::reLoad();
}

// What a refused save must leave: one warning box, the registry and the
// stylesheet directory as they were, the file byte for byte.
void checkRefused(Problems &problems, const FixtureTree &tree, const std::function<bool()> &save,
                  int expectedMessages)
{
    const QString path = tree.path(kRelative);
    const QMap<QString, styleentry> before = vrex_stylesheet().stylelist();
    const bool wasFile = QFileInfo(path).isFile();
    const QByteArray bytesBefore = readFileBytes(path);
    const QStringList entriesBefore = entriesOf(QFileInfo(path).path());

    QtMessageCapture messages;
    MessageBoxAnswer answer(QMessageBox::Ok);
    problems.check(!save(), QStringLiteral("save() reported success"));

    problems.equal(QStringLiteral("boxes"), qint64(answer.boxes().size()), qint64(1));
    if (!answer.boxes().isEmpty()) {
        problems.equal(QStringLiteral("box title"), answer.boxes()[0].title, QStringLiteral("Save Failed"));
        problems.equal(QStringLiteral("box text"), answer.boxes()[0].text,
                       QStringLiteral("Saving to %1 failed").arg(path));
    }
    problems.equal(QStringLiteral("messages"), qint64(messages.messages().size()), qint64(expectedMessages));
    problems.equal(QStringLiteral("styles"), styleNames(), before.keys());
    problems.check(sameStyles(vrex_stylesheet().stylelist(), before), QStringLiteral("registry changed"));
    problems.equal(QStringLiteral("is a file"), qint64(QFileInfo(path).isFile()), qint64(wasFile));
    problems.equal(QStringLiteral("file"), QString::fromUtf8(readFileBytes(path)), QString::fromUtf8(bytesBefore));
    problems.equal(QStringLiteral("directory entries"), entriesOf(QFileInfo(path).path()), entriesBefore);
}

struct RefusedCase
{
    const char *label;
    std::function<void(const FixtureTree &)> arrange; // after the load
    int messages;                                     // on the Qt message channel
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.label;
}

class RefusedSaveTest : public ::testing::TestWithParam<RefusedCase> { };

TEST_P(RefusedSaveTest, ShowsTheBoxAndKeepsTheStylesheet)
{
    FixtureTree tree;
    loadOriginal(tree);
    GetParam().arrange(tree);
    Problems problems;
    checkRefused(problems, tree, [] { return vrex_stylesheet().save(); }, GetParam().messages);
    EXPECT_TRUE(problems.isEmpty()) << problems.text().toStdString();
}

// Text XML 1.0 cannot carry would make a file the next load rejects, so
// the save refuses and names the style.
INSTANTIATE_TEST_SUITE_P(Rows, RefusedSaveTest, ::testing::Values(
    RefusedCase{"StylesheetReplacedByDirectory", [](const FixtureTree &tree) {
        tree.remove(kRelative);
        tree.makeDirectory(kRelative);
    }, 0},
    RefusedCase{"NameWithControlCharacter", [](const FixtureTree &) {
        setStyle(QStringLiteral("bad") + QChar(0x1) + QStringLiteral("name"), {QStringLiteral("color: red")});
    }, 1},
    RefusedCase{"SettingWithNul", [](const FixtureTree &) {
        setStyle(QStringLiteral("nul"), {QStringLiteral("a") + QChar(0) + QStringLiteral("b")});
    }, 1},
    RefusedCase{"DescriptionWithNonCharacter", [](const FixtureTree &) {
        setStyle(QStringLiteral("nonchar"), {}, QString(QChar(0xFFFE)));
    }, 1}),
    [](const ::testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.label); });

// A disk with no room left: the stylesheet directory becomes a 64 KiB tmpfs
// in a private mount namespace, filled to the last byte. Where mounting is
// not allowed, a file-size limit makes the writes fail instead.
Problems saveOnFullDisk()
{
    Problems problems;
    FixtureTree tree;
    const QString dir = tree.path(QStringLiteral("stylesheet"));
    tree.makeDirectory(QStringLiteral("stylesheet"));
    const QByteArray nativeDir = QFile::encodeName(dir);
    const bool mounted = unshare(CLONE_NEWNS) == 0
            && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && mount("tmpfs", nativeDir.constData(), "tmpfs", 0, "size=64k") == 0;
    loadOriginal(tree);
    setStyle(QStringLiteral("added"), {QStringLiteral("border: 1px solid black")});

    if (mounted) {
        QFile filler(dir + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(512, 'f');
        while (filler.write(block) > 0) { }
        QFile probe(dir + QStringLiteral("/probe"));
        probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        problems.check(probe.write("x", 1) != 1, QStringLiteral("the tmpfs is not full"));
        probe.remove();
        std::printf("[ full disk] 64 KiB tmpfs, filled\n");
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::printf("[ full disk] no mount namespace here: RLIMIT_FSIZE of 64 bytes\n");
    }

    checkRefused(problems, tree, [] { return vrex_stylesheet().save(); }, 0);
    if (mounted)
        umount2(nativeDir.constData(), MNT_DETACH);
    return problems;
}

TEST(HostileSave, FullDiskLeavesTheStylesheetWhole)
{
    VREX_EXPECT_IN_CHILD(saveOnFullDisk());
}

// Someone else rewrites the file between the host's load and its save. The
// host's registry is what gets written: the other edit is overwritten,
// not merged.
TEST(HostileSave, ConcurrentExternalEditIsOverwrittenByTheRegistry)
{
    FixtureTree tree;
    loadOriginal(tree);
    tree.write(kRelative, "<stylesheet><style name=\"external\"><setting value=\"x\"/></style>"
                          "<style name=\"alarm\" description=\"edited elsewhere\"/></stylesheet>");
    setStyle(QStringLiteral("added"), {QStringLiteral("border: none")});
    const QMap<QString, styleentry> inMemory = vrex_stylesheet().stylelist();

    QtMessageCapture messages;
    ASSERT_TRUE(vrex_stylesheet().save());
    EXPECT_EQ(messages.messages(), QStringList());
    // Read back from the file: exactly the host's registry.
    EXPECT_EQ(styleNames(), QStringList({QStringLiteral("added"), QStringLiteral("alarm"),
                                         QStringLiteral("panel")}));
    EXPECT_TRUE(sameStyles(vrex_stylesheet().stylelist(), inMemory));
    const QByteArray written = readFileBytes(tree.path(kRelative));
    EXPECT_FALSE(written.contains("external"));
    EXPECT_FALSE(written.contains("edited elsewhere"));
}

// Installations share one stylesheet by linking to it; a save rewrites the
// target and keeps the link.
TEST(HostileSave, SymlinkedStylesheetKeepsItsLink)
{
    FixtureTree tree;
    tree.write(QStringLiteral("shared/vrex_style.xml"), kOriginal);
    tree.makeDirectory(QStringLiteral("stylesheet"));
    ASSERT_EQ(::symlink("../shared/vrex_style.xml", QFile::encodeName(tree.path(kRelative)).constData()), 0);
    clearRegistries();
    vrex_stylesheet::reLoad();
    setStyle(QStringLiteral("added"), {QStringLiteral("border: none")});

    ASSERT_TRUE(vrex_stylesheet().save());
    EXPECT_TRUE(QFileInfo(tree.path(kRelative)).isSymLink());
    EXPECT_TRUE(readFileBytes(tree.path(QStringLiteral("shared/vrex_style.xml"))).contains("name=\"added\""));
    EXPECT_EQ(entriesOf(tree.path(QStringLiteral("stylesheet"))), QStringList({QStringLiteral("vrex_style.xml")}));
    EXPECT_EQ(styleNames(), QStringList({QStringLiteral("added"), QStringLiteral("alarm"),
                                         QStringLiteral("panel")}));
}

} // namespace
