#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <gtest/gtest.h>

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
    tree.write(QStringLiteral("stylesheet/vrex_style.xml"), "<other/>");
    QtMessageCapture messages;
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
