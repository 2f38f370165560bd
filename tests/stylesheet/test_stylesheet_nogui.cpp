// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Runs under a QCoreApplication: a host without widgets (a service, a
// command-line tool) can save, but no box is ever shown.
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

using namespace vrextest;

namespace {

class NoGuiTest : public StylesheetTest
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qobject_cast<QApplication *>(QCoreApplication::instance()), nullptr);
        StylesheetTest::SetUp();
        loadStylesheet("<stylesheet><style name='alarm'><setting value='color: red'/></style></stylesheet>");
    }
    vrex_stylesheet style;
};

TEST_F(NoGuiTest, SaveWritesAndAFailureGoesToTheMessageChannel)
{
    QString name = QStringLiteral("added");
    styleentry entry = makeStyle({QStringLiteral("v")}, {}, {}, 2);
    style.set(name, entry);
    QtMessageCapture messages;
    EXPECT_TRUE(style.save());
    EXPECT_TRUE(readFileBytes(stylesheetPath()).contains("name=\"added\" type=\"style\""));
    tree->remove(relativePath());
    tree->makeDirectory(relativePath());
    EXPECT_FALSE(style.save());
    EXPECT_EQ(messages.messages(), QStringList{QStringLiteral("Saving to %1 failed").arg(stylesheetPath())});
}

TEST_F(NoGuiTest, DeleteCannotAskSoDeletesNothing)
{
    const QByteArray before = readFileBytes(stylesheetPath());
    QtMessageCapture messages;
    style.deleteStyle(QStringLiteral("alarm"));
    EXPECT_TRUE(style.styleExist(QStringLiteral("alarm")));
    EXPECT_EQ(readFileBytes(stylesheetPath()), before);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages().at(0).contains(QStringLiteral("alarm")));
}

} // namespace
