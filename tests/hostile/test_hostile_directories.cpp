// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// File-system states that work against each loader: entries that cannot be
// read as a file (and must not hang or exhaust the host), entries that go
// away while the load runs, very many entries, and names that a careless
// formatter or encoder would mangle.
#include "bounded_child.h"
#include "config_formats.h"

#include "support/fixture_tree.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrextest;

namespace {

// "%", spaces and non-ASCII letters in the configuration root and in file
// names: keys keep them, messages carry them literally (a "%1" is not a
// placeholder), and paths reach the file system intact.
const QString kSystem = QStringLiteral("site %1 \u00fc");
const QString kGood = QStringLiteral("Kamera_\u00dcbersicht");
const QString kName = QStringLiteral("100% Gain %1 \u00c9");

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

// In the directory of the installation's good file, which exists.
void makeSymlink(const QString &target, const QString &link)
{
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) != 0)
        qFatal("cannot link %s", qPrintable(link));
}

void makeSparse(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        qFatal("cannot make a sparse file");
}

struct FileSystemRow
{
    const char *label;
    void (*arrange)(const FixtureTree &tree, const QString &path);
    bool bounded; // opening it might block or never end: a child with a watchdog
    const char *partner = nullptr; // a second listed entry that fails too
    const char *reason = nullptr;  // why, on Qt's channel after the loader's message
};

const FileSystemRow kFileSystemRows[] = {
    {"DirectoryInPlaceOfTheFile", [](const FixtureTree &, const QString &path) { QDir().mkpath(path); }, false},
    {"DanglingSymlink", [](const FixtureTree &tree, const QString &path) { makeSymlink(tree.path(QStringLiteral("gone/none.xml")), path); }, false},
    {"SymlinkLoop", [](const FixtureTree &, const QString &path) {
         const QString partner = QFileInfo(path).path() + QStringLiteral("/Loop.xml");
         makeSymlink(partner, path);
         makeSymlink(path, partner);
     }, false, "Loop"},
    {"Fifo", [](const FixtureTree &, const QString &path) {
         if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0) qFatal("cannot make a FIFO"); }, true},
    {"SymlinkToDevZero", [](const FixtureTree &, const QString &path) { makeSymlink(QStringLiteral("/dev/zero"), path); }, true},
    // Refused for the size it claims, before anything is read or reserved.
    {"SparseTebibyte", [](const FixtureTree &, const QString &path) { makeSparse(path, qint64(1) << 40); }, true, nullptr,
     "the file is 1048576 MiB, more than the 256 MiB a configuration file may be"},
    {"Sparse300MiB", [](const FixtureTree &, const QString &path) { makeSparse(path, qint64(300) << 20); }, true, nullptr,
     "the file is 300 MiB, more than the 256 MiB a configuration file may be"},
};

void PrintTo(const FileSystemRow &row, std::ostream *os) { *os << row.label; }
using FileSystemCase = std::tuple<ConfigFormat, FileSystemRow>;

// A good file loads first; then the row's entry takes the place of a file
// (single-file formats) or is added (listed formats). The loader reports it
// as unopenable, keeps what it had, and registers a listed entry empty.
void runFileSystemRow(const FileSystemCase &c)
{
    const auto &[format, row] = c;
    FixtureTree tree(kSystem);
    tree.write(format.relativePath(kGood), format.document(kGood, "ok"));
    Registries registries;
    format.load(registries, loadContext(tree, nullptr, vrex::FileSource()));
    const QStringList before = format.snapshot(registries);
    EXPECT_EQ(before, QStringList{format.line(kGood, QStringLiteral("ok"))});

    const QString path = tree.path(format.relativePath(kName));
    QFile::remove(path);
    row.arrange(tree, path);
    if (row.bounded)
        limitThisProcess({256, 30});

    QStringList expected = before, debugOutput, qtMessages;
    QStringList &own = format.debugOutput ? debugOutput : qtMessages;
    own << format.cannotOpenMessage(kName, path);
    if (row.reason)
        qtMessages << QStringLiteral("vrex_stylesheet: ") + path + QStringLiteral(": ") + QString::fromUtf8(row.reason);
    if (format.listed()) {
        expected << format.line(kName, QString());
        if (row.partner) {
            const QString partner = QString::fromLatin1(row.partner);
            expected << format.line(partner, QString());
            own << format.cannotOpenMessage(partner, QString());
        }
    }
    RecordingSink sink;
    format.load(registries, loadContext(tree, &sink, vrex::FileSource()));
    EXPECT_EQ(format.snapshot(registries), sorted(expected));
    EXPECT_EQ(sorted(sink.debugOutput), sorted(debugOutput));
    EXPECT_EQ(sorted(sink.qtMessages), sorted(qtMessages));
}

class FileSystemTest : public ::testing::TestWithParam<FileSystemCase> { };

TEST_P(FileSystemTest, EntryIsReportedUnopenable)
{
    if (std::get<1>(GetParam()).bounded)
        VREX_EXPECT_IN_CHILD(runFileSystemRow(GetParam()));
    else
        runFileSystemRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Rows, FileSystemTest,
                         ::testing::Combine(::testing::ValuesIn(configFormats()), ::testing::ValuesIn(kFileSystemRows)),
                         [](const ::testing::TestParamInfo<FileSystemCase> &info) {
                             return std::string(std::get<0>(info.param).label) + '_' + std::get<1>(info.param).label;
                         });

class ListedFormatTest : public ::testing::TestWithParam<ConfigFormat> { };

// Removes a file when it is first told something: a file deleted while the
// host starts, after the directory was listed and before it is opened.
struct RemovingSink final : vrex::DiagnosticSink
{
    void write(vrex::Channel channel, const QString &text) override
    {
        (channel == vrex::Channel::QtMessages ? qtMessages : debugOutput) << text;
        if (!vanishing.isEmpty())
            QFile::remove(std::exchange(vanishing, QString()));
    }
    QString vanishing;
    QStringList qtMessages, debugOutput;
};

// Twenty thousand entries load in name order ignoring case, whatever the
// case of their extension: A fails and its message removes b after the
// listing, C fails, T00000 ... T19999 load.
TEST_P(ListedFormatTest, TwentyThousandEntriesLoadInNameOrderIgnoringCase)
{
    const ConfigFormat &format = GetParam();
    FixtureTree tree;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        const QString name = QStringLiteral("T%1").arg(i, 5, 10, QLatin1Char('0'));
        tree.write(format.relativePath(name), format.document(name, name.toUtf8()));
        expected << format.line(name, name);
    }
    tree.write(format.relativePath(QStringLiteral("A")), "<not well-formed");
    tree.write(format.relativePath(QStringLiteral("b")), format.document(QStringLiteral("b"), "b"));
    tree.write(format.relativePath(QStringLiteral("C")).replace(QLatin1String(".xml"), QLatin1String(".XML")), "<C>");
    for (const char *failed : {"A", "b", "C"})
        expected << format.line(QString::fromLatin1(failed), QString());

    RemovingSink sink;
    sink.vanishing = tree.path(format.relativePath(QStringLiteral("b")));
    Registries registries;
    format.load(registries, loadContext(tree, &sink, vrex::FileSource()));
    const QString malformed = QStringLiteral("vrex_instance_lookup: Error in device type file - ");
    EXPECT_EQ(sink.qtMessages, (QStringList{malformed + QLatin1Char('A'), format.cannotOpenMessage(QStringLiteral("b"), QString()),
                                            malformed + QLatin1Char('C')}));
    EXPECT_EQ(sink.debugOutput, QStringList());
    EXPECT_TRUE(format.snapshot(registries) == sorted(expected)) << "the registry differs from the files";
}

INSTANTIATE_TEST_SUITE_P(Listed, ListedFormatTest,
                         ::testing::Values(configFormats()[1], configFormats()[2]),
                         [](const ::testing::TestParamInfo<ConfigFormat> &info) { return info.param.label; });

} // namespace
