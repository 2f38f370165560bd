#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <gtest/gtest.h>

#include <expat.h>


using namespace vrextest;

namespace {

const QByteArray kTwoStyles =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
        "    <setting value=\"color: red\"/>\n  </style>\n"
        "  <style suitablefor=\"\" description=\"\" name=\"panel\" type=\"style\"/>\n"
        "</stylesheet>\n";

QString missingMessage(const QString &path)
{
    return QStringLiteral("Could not find the Stylesheet file:\n\t") + path;
}

// The reader's own wording, found the way any reader would find it.
QString readerError(const QByteArray &data)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_Parse(parser, data.constData(), int(data.size()), 1);
    const QString error = QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(parser)));
    XML_ParserFree(parser);
    return error;
}

using LoaderTest = StylesheetTest;

TEST_F(LoaderTest, LoadsFileAndReturnsFalse)
{
    writeStylesheet(kTwoStyles);
    QtMessageCapture messages;
    EXPECT_FALSE(vrex_stylesheet::load());
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_EQ(vrex_stylesheet::count(), 2);
    const QMap<QString, styleentry> expected{
            {QStringLiteral("alarm"), makeStyle({QStringLiteral("color: red")}, QStringLiteral("QLabel"),
                                                QStringLiteral("Alarm"), 1)},
            {QStringLiteral("panel"), makeStyle({}, {}, {}, 2)}};
    EXPECT_EQ(registry(), expected);
}

TEST_F(LoaderTest, FailedLoadStillSetsThePathThatSaveUses)
{
    QtMessageCapture messages;
    vrex_stylesheet::load(); // no file yet
    writeStylesheet("<stylesheet/>");
    vrex_stylesheet style;
    QString name = QStringLiteral("new");
    styleentry entry = makeStyle({QStringLiteral("v")});
    style.set(name, entry);
    EXPECT_TRUE(style.save());
    EXPECT_TRUE(readFileBytes(stylesheetPath()).contains("name=\"new\""));
}

// Rows: a file that is missing ("" stands for none, "/" for a directory in
// its place) or not well-formed, broken anywhere: nothing may change.
class LoadFailureTest : public StylesheetTest, public ::testing::WithParamInterface<const char *> { };

TEST_P(LoadFailureTest, ReportsAndKeepsRegistry)
{
    loadStylesheet(kTwoStyles);
    const QMap<QString, styleentry> before = registry();
    const QByteArray broken(GetParam());
    tree->remove(relativePath());
    if (broken == "/")
        tree->makeDirectory(relativePath());
    else if (!broken.isEmpty())
        writeStylesheet(broken);

    QtMessageCapture messages;
    EXPECT_FALSE(vrex_stylesheet::load());
    const QString error = readerError(broken);
    EXPECT_EQ(messages.messages(), QStringList{broken.isEmpty() || broken == "/"
                      ? missingMessage(stylesheetPath())
                      : QStringLiteral("Error in Stylesheet file:\n\t") + stylesheetPath() + QLatin1Char('\n') + error});
    EXPECT_EQ(registry(), before);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadFailureTest, ::testing::Values(
    "", "/", "<?xml version='1.0'?>",
    "<stylesheet><style name='alarm' type='style'/><style name='x' name='y'/></stylesheet>",
    "<stylesheet><style name='new'/></stylesheet><stylesheet/>"));

TEST_F(LoaderTest, WrongRootIsReportedAndItsChildrenLoaded)
{
    writeStylesheet("<styles><style name='a'><setting value='v'/></style><b name='b'/></styles>");
    QtMessageCapture messages;
    vrex_stylesheet::load();
    EXPECT_EQ(messages.messages(),
              QStringList{QStringLiteral("The Stylesheet file:\n\t") + stylesheetPath()
                          + QStringLiteral("\n is not valid\n\nThe top level tag is not <stylesheet>")});
    EXPECT_EQ(registry(), (QMap<QString, styleentry>{{QStringLiteral("a"), makeStyle({QStringLiteral("v")})},
                                                     {QStringLiteral("b"), makeStyle({})}}));
}

TEST(LoaderPaths, PlaceholdersInThePathAreLiteralText)
{
    clearRegistries();
    FixtureTree tree(QStringLiteral("sys%2%1"));
    const QString path = tree.path(QStringLiteral("stylesheet/vrex_style.xml"));
    tree.write(QStringLiteral("stylesheet/vrex_style.xml"), "<stylesheet>");
    QtMessageCapture messages;
    vrex_stylesheet::load();
    EXPECT_EQ(messages.messages(),
              QStringList{QStringLiteral("Error in Stylesheet file:\n\t") + path + QLatin1Char('\n')
                          + readerError("<stylesheet>")});

    tree.write(QStringLiteral("stylesheet/vrex_style.xml"), "<other/>");
    messages.clear();
    vrex_stylesheet::load();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages().at(0).contains(QStringLiteral("sys%2%1/config/stylesheet/vrex_style.xml")));
}

TEST_F(LoaderTest, LoadMergesAndReLoadStartsAfresh)
{
    loadStylesheet(kTwoStyles);
    writeStylesheet("<stylesheet>"
                    "<style name='alarm' type='unknown'><setting value='a'/><setting value='b'/></style>"
                    "<style name='extra'/></stylesheet>");
    QtMessageCapture messages;
    vrex_stylesheet::load();
    const QMap<QString, styleentry> expected{
            {QStringLiteral("alarm"), makeStyle({QStringLiteral("a"), QStringLiteral("b")}, {}, {}, 1)},
            {QStringLiteral("extra"), makeStyle({})},
            {QStringLiteral("panel"), makeStyle({}, {}, {}, 2)}};
    EXPECT_EQ(registry(), expected);

    vrex_stylesheet::reLoad();
    EXPECT_EQ(registry(), (QMap<QString, styleentry>{{QStringLiteral("alarm"), makeStyle({QStringLiteral("a"), QStringLiteral("b")})},
                                                     {QStringLiteral("extra"), makeStyle({})}}));

    tree->remove(relativePath());
    EXPECT_FALSE(vrex_stylesheet::reLoad());
    EXPECT_EQ(vrex_stylesheet::count(), 0);
    EXPECT_TRUE(messages.messages().endsWith(missingMessage(stylesheetPath())));
}

} // namespace
