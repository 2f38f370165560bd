// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

using LoaderTest = StylesheetTest;

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

// The styles go back to the file they came from, and are reloaded from
// there, whatever the environment names by then.
TEST_F(LoaderTest, SaveWritesAndReloadsTheFileItLoaded)
{
    loadStylesheet(kTwoStyles);
    FixtureTree other(QStringLiteral("other"));
    other.write(relativePath(), "<stylesheet><style name='theirs'/></stylesheet>");
    HostRoot elsewhere(other);
    vrex_stylesheet style;
    QString name = QStringLiteral("new");
    styleentry entry = makeStyle({QStringLiteral("v")});
    style.set(name, entry);
    EXPECT_TRUE(style.save());
    EXPECT_TRUE(readFileBytes(stylesheetPath()).contains("name=\"new\""));
    EXPECT_EQ(registry().keys(), (QStringList{QStringLiteral("alarm"), QStringLiteral("new"), QStringLiteral("panel")}));
    EXPECT_FALSE(readFileBytes(other.path(relativePath())).contains("new"));
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

// load() answers false even when the file was read.
TEST_F(LoaderTest, LoadMergesAndReLoadStartsAfresh)
{
    writeStylesheet(kTwoStyles);
    EXPECT_FALSE(vrex_stylesheet::load());
    EXPECT_EQ(registry().value(QStringLiteral("alarm")),
              makeStyle({QStringLiteral("color: red")}, QStringLiteral("QLabel"), QStringLiteral("Alarm"), 1));
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
    EXPECT_TRUE(messages.messages().endsWith(QStringLiteral("Could not find the Stylesheet file:\n\t") + stylesheetPath()));
}

} // namespace
