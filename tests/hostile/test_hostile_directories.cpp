// Directory listings that work against the loaders: very many entries, an
// entry that goes away while the load runs, and names that a careless
// formatter or encoder would mangle.
#include "config_formats.h"

#include "support/capture.h"
#include "support/fixture_tree.h"

#include <QtCore/QFile>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

class ListedFormatTest : public ::testing::TestWithParam<FormatId>
{
protected:
    const ConfigFormat &format() const { return configFormat(GetParam()); }
};

TEST_P(ListedFormatTest, TwentyThousandFilesAllLoad)
{
    constexpr int kFiles = 20000;
    clearRegistries();
    FixtureTree tree;
    QStringList expected;
    for (int i = 0; i < kFiles; ++i) {
        const QString name = QStringLiteral("T%1").arg(i, 5, 10, QLatin1Char('0'));
        tree.write(format().relativePath(name), format().document(name, format().record(name.toUtf8())));
        expected << format().loadedLines(name, name);
    }

    QtMessageCapture messages;
    format().load();
    EXPECT_EQ(messages.messages(), QStringList());
    const QStringList lines = format().snapshot();
    EXPECT_EQ(lines.size(), 2 * kFiles);
    EXPECT_TRUE(lines == sorted(expected)) << "the registry differs from the 20,000 files";
}

// The first file's diagnostic removes a later file after the directory has
// been listed and before that file is opened: a file deleted while the
// host starts.
QString g_vanishingPath;
QStringList g_messages;

void removeOnFirstMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
    if (!g_vanishingPath.isEmpty()) {
        QFile::remove(g_vanishingPath);
        g_vanishingPath.clear();
    }
}

TEST_P(ListedFormatTest, FileRemovedBetweenListingAndOpening)
{
    clearRegistries();
    FixtureTree tree;
    const QString broken = QStringLiteral("A");
    const QString vanishing = QStringLiteral("B");
    const QString kept = QStringLiteral("C");
    tree.write(format().relativePath(broken), "<not well-formed");
    tree.write(format().relativePath(vanishing), format().document(vanishing, format().record("b")));
    tree.write(format().relativePath(kept), format().document(kept, format().record("c")));

    g_messages.clear();
    g_vanishingPath = tree.path(format().relativePath(vanishing));
    const QtMessageHandler previous = qInstallMessageHandler(removeOnFirstMessage);
    format().load();
    qInstallMessageHandler(previous);

    EXPECT_FALSE(QFile::exists(tree.path(format().relativePath(vanishing))));
    EXPECT_EQ(g_messages, QStringList({format().notWellFormedMessage(broken, QString()),
                                       format().cannotOpenMessage(vanishing, QString())}));
    EXPECT_EQ(format().snapshot(), sorted(format().rejectedLines(broken) + format().rejectedLines(vanishing)
                                          + format().loadedLines(kept, QStringLiteral("c"))));
}

INSTANTIATE_TEST_SUITE_P(Listed, ListedFormatTest, ::testing::ValuesIn(listedFormats()),
                         [](const ::testing::TestParamInfo<FormatId> &info) {
                             return std::string(configFormat(info.param).label());
                         });

// "%", spaces and non-ASCII letters in the configuration root and in file
// names: keys keep them, messages carry them literally (a "%1" is not a
// placeholder), and paths reach the file system intact. A good file loads
// first; then a broken file is added (the single-file formats overwrite
// theirs) and reported by name or path.
class ExoticNameTest : public ::testing::TestWithParam<FormatId> { };

TEST_P(ExoticNameTest, KeysAndMessagesKeepTheNames)
{
    const ConfigFormat &format = configFormat(GetParam());
    clearRegistries();
    FixtureTree tree(QStringLiteral("site %1 \u00fc"));
    format.insertSentinel();
    const QStringList sentinel = format.snapshot();

    const QString good = QStringLiteral("Kamera_\u00dcbersicht");
    tree.write(format.relativePath(good), format.document(good, format.record("ok")));
    {
        DebugOutputCapture debug;
        QtMessageCapture qt;
        format.load();
        EXPECT_EQ(debug.messages() + qt.messages(), QStringList());
    }
    const QStringList loaded = sorted(sentinel + format.loadedLines(good, QStringLiteral("ok")));
    EXPECT_EQ(format.snapshot(), loaded);

    const QString broken = QStringLiteral("100% Gain %1 \u00c9");
    const QString brokenPath = tree.path(format.relativePath(broken));
    tree.write(format.relativePath(broken), "<");
    DebugOutputCapture debug;
    QtMessageCapture qt;
    format.load();
    const QStringList messages = debug.messages() + qt.messages();
    ASSERT_EQ(messages.size(), 1);
    const QString expected = format.notWellFormedMessage(broken, brokenPath);
    if (format.reportsReaderMessage())
        EXPECT_TRUE(messages[0].startsWith(expected)) << messages[0].toStdString();
    else
        EXPECT_EQ(messages[0], expected);
    EXPECT_EQ(format.snapshot(), sorted(loaded + format.rejectedLines(broken)));
}

INSTANTIATE_TEST_SUITE_P(Formats, ExoticNameTest, ::testing::ValuesIn(allFormats()),
                         [](const ::testing::TestParamInfo<FormatId> &info) {
                             return std::string(configFormat(info.param).label());
                         });

} // namespace
