// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <QtWidgets/QLabel>

using namespace vrextest;

namespace {

class RecordingWidget : public QWidget, public vrex_style_receiver
{
public:
    void applyStyleSetting(const QString &setting) override
    {
        received.append(setting);
        addresses.append(&setting);
    }

    QStringList received;
    QVector<const QString *> addresses;
};

const QByteArray kStyles =
        "<stylesheet>"
        "<style name='alarm' type='state'><setting value='color: red'/><setting value='x'/>"
        "<setting value='color: red'/></style>"
        "<style name='empty'/>"
        "<style name='panel' description='Panel' type='style'><setting value='margin: 2px'/></style>"
        "</stylesheet>";

class StyleQueriesTest : public StylesheetTest
{
protected:
    void SetUp() override
    {
        StylesheetTest::SetUp();
        loadStylesheet(kStyles);
    }
    vrex_stylesheet style;
};

// Each call gets a reference to the registry's own element.
TEST_F(StyleQueriesTest, GetStyleHandsOverTheRegistrysStringsInOrder)
{
    RecordingWidget widget;
    QString name = QStringLiteral("alarm");
    QtMessageCapture messages;
    vrex_stylesheet::getStyle(name, &widget);
    style.get(name, &widget);

    const QStringList expected{QStringLiteral("color: red"), QStringLiteral("x"), QStringLiteral("color: red")};
    EXPECT_EQ(widget.received, expected + expected);
    const styleentry *entry = style.getStyleEntry(name);
    ASSERT_EQ(widget.addresses.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(widget.addresses.at(i), &entry->settings.at(i % 3)) << i;
    EXPECT_TRUE(messages.messages().isEmpty());
}

// Unknown names, empty styles and no widget are silent; a known style for
// a widget that cannot take it is reported.
TEST_F(StyleQueriesTest, OnlyAWidgetThatCannotTakeTheStyleIsReported)
{
    RecordingWidget widget;
    QtMessageCapture messages;
    QLabel label;
    label.setObjectName(QStringLiteral("title"));
    for (const QString &n : {QStringLiteral("Alarm"), QStringLiteral("alarm "), QString(), QStringLiteral("missing"),
                             QStringLiteral("empty"), QStringLiteral("alarm")}) {
        QString name = n;
        const bool known = name == QLatin1String("alarm");
        vrex_stylesheet::getStyle(name, known ? nullptr : &widget);
        style.get(name, known ? nullptr : &widget);
        if (name != QLatin1String("empty") && !known)
            vrex_stylesheet::getStyle(name, &label);
    }
    EXPECT_TRUE(widget.received.isEmpty());
    EXPECT_EQ(vrex_stylesheet::count(), 3);
    QString name = QStringLiteral("alarm");
    QWidget plain;
    vrex_stylesheet::getStyle(name, &label);
    vrex_stylesheet::getStyle(name, &plain);
    EXPECT_EQ(messages.messages(),
              (QStringList{QStringLiteral("vrex_stylesheet: widget title (QLabel) cannot take style alarm"),
                           QStringLiteral("vrex_stylesheet: widget QWidget cannot take style alarm")}));
}

TEST_F(StyleQueriesTest, QueriesCreateNothingAndEditsReachTheRegistry)
{
    QString missing = QStringLiteral("missing"), panel = QStringLiteral("panel"), added = QStringLiteral("added");
    EXPECT_FALSE(style.styleExist(missing));
    EXPECT_TRUE(style.settingslist(missing).isEmpty());
    EXPECT_TRUE(style.styleExist(QStringLiteral("empty")));
    EXPECT_FALSE(style.styleExist(QStringLiteral("Empty")));
    EXPECT_EQ(style.settingslist(panel), QStringList{QStringLiteral("margin: 2px")});
    EXPECT_EQ(style.stylelist().keys(), (QStringList{QStringLiteral("alarm"), QStringLiteral("empty"), panel}));

    // getStyleEntry creates a default entry once and points into the registry.
    styleentry *created = style.getStyleEntry(QStringLiteral("fresh"));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(*created, makeStyle({}, {}, {}, 0));
    EXPECT_EQ(style.getStyleEntry(QStringLiteral("fresh")), created);
    EXPECT_EQ(vrex_stylesheet::count(), 4);
    style.getStyleEntry(panel)->settings.append(QStringLiteral("padding: 1px"));
    EXPECT_EQ(style.settingslist(panel), (QStringList{QStringLiteral("margin: 2px"), QStringLiteral("padding: 1px")}));

    // set stores all four fields, replacing or adding, as a copy.
    styleentry replacement = makeStyle({QStringLiteral("a")}, QStringLiteral("QFrame"), QString(), 0);
    style.set(panel, replacement);
    EXPECT_EQ(style.stylelist().value(panel), replacement);
    styleentry entry = makeStyle({QStringLiteral("b")}, {}, QStringLiteral("d"), 3);
    style.set(added, entry);
    entry.settings.append(QStringLiteral("not stored"));
    EXPECT_EQ(style.stylelist().value(added), makeStyle({QStringLiteral("b")}, {}, QStringLiteral("d"), 3));
    EXPECT_EQ(vrex_stylesheet::count(), 5);
}

TEST_F(StyleQueriesTest, EntryPointersSurviveCopiesOfTheRegistry)
{
    styleentry *entry = style.getStyleEntry(QStringLiteral("panel"));
    const QMap<QString, styleentry> copy = style.stylelist();
    // Inserting while a copy is alive must not move the registry away from
    // the pointer handed out before.
    style.getStyleEntry(QStringLiteral("another"));
    QString name = QStringLiteral("x");
    styleentry value = makeStyle({QStringLiteral("v")});
    style.set(name, value);
    entry->description = QStringLiteral("edited");

    EXPECT_EQ(style.stylelist().value(QStringLiteral("panel")).description, QStringLiteral("edited"));
    EXPECT_EQ(copy.value(QStringLiteral("panel")).description, QStringLiteral("Panel"));
    EXPECT_EQ(style.getStyleEntry(QStringLiteral("panel")), entry);
}

} // namespace
