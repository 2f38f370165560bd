// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_writer.h"
#include "stylesheet_test_support.h"

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

TEST(WriteStylesheet, LaysOutOneElementPerLineInKeyOrder)
{
    const QMap<QString, styleentry> registry{
            {QStringLiteral("b"), makeStyle({QString(), QStringLiteral("color: red"), QString(),
                                             QStringLiteral("x")},
                                            QStringLiteral("QLabel"), QStringLiteral("Alarm"), 1)},
            {QStringLiteral("a"), makeStyle({QString()}, QString(), QString(), 0)},
            {QStringLiteral("c"), makeStyle({}, {}, {}, 2)},
            {QStringLiteral("d"), makeStyle({QStringLiteral("y")}, {}, {}, 3)},
            {QStringLiteral("e"), makeStyle({}, {}, {}, 4)}};

    const QByteArray expected =
            "<!DOCTYPE stylesheet>\n"
            "<stylesheet>\n"
            "  <style suitablefor=\"\" description=\"\" name=\"a\" type=\"\"/>\n"
            "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"b\" type=\"state\">\n"
            "    <setting value=\"color: red\"/>\n"
            "    <setting value=\"x\"/>\n"
            "  </style>\n"
            "  <style suitablefor=\"\" description=\"\" name=\"c\" type=\"style\"/>\n"
            "  <style suitablefor=\"\" description=\"\" name=\"d\" type=\"setting\">\n"
            "    <setting value=\"y\"/>\n"
            "  </style>\n"
            "  <style suitablefor=\"\" description=\"\" name=\"e\" type=\"\"/>\n"
            "</stylesheet>\n";
    EXPECT_EQ(vrex::writeStylesheet(registry).toStdString(), expected.toStdString());
    EXPECT_EQ(vrex::writeStylesheet({}).toStdString(), "<!DOCTYPE stylesheet>\n<stylesheet/>\n");
}

QString units(std::initializer_list<char16_t> codeUnits)
{
    QString s;
    for (char16_t u : codeUnits)
        s.append(QChar(u));
    return s;
}

TEST(IsXmlText, MatchesXmlCharacterRange)
{
    struct Row { QString text; bool carried; };
    for (const Row &row : {Row{QString(), true}, Row{units({u'\t', u'\n', u'\r', u' '}), true},
                           Row{units({u'a', 0x0}), false}, Row{units({0x1}), false}, Row{units({u'x', 0x1F, u'y'}), false},
                           Row{units({0x7F, 0x85}), true}, Row{units({0xD7FF}), true}, Row{units({0xE000}), true},
                           Row{units({0xFFFD}), true}, Row{units({0xFFFE}), false}, Row{units({u'a', 0xFFFF}), false},
                           Row{units({0xD800, 0xDC00}), true}, Row{units({0xDBFF, 0xDFFF, u'z'}), true},
                           Row{units({u'a', 0xD800}), false}, Row{units({0xD83D, u'a'}), false}, // lone high
                           Row{units({0xD83D, 0xD83D, 0xDE00}), false}, Row{units({0xDE00}), false},
                           Row{units({0xDE00, 0xD83D}), false}}) {
        QStringList codes;
        for (QChar c : row.text)
            codes << QString::number(c.unicode(), 16);
        EXPECT_EQ(vrex::isXmlText(row.text), row.carried) << codes.join(QLatin1Char(' ')).toStdString();
    }
    for (char16_t c = 0; c < 0x20; ++c) // every C0 control but the three whitespace characters
        EXPECT_EQ(vrex::isXmlText(units({c})), c == u'\t' || c == u'\n' || c == u'\r') << int(c);
}

TEST(FindUnwritableStyle, FindsTheEntryByAnyField)
{
    const QString bad = QString(QChar(0x1));
    struct Row { QString key; styleentry entry; };
    for (const Row &row : {Row{QStringLiteral("m") + bad, makeStyle({})}, Row{QStringLiteral("m"), makeStyle({}, bad)},
                           Row{QStringLiteral("m"), makeStyle({}, {}, QString(QChar(0xFFFE)))},
                           Row{QStringLiteral("m"), makeStyle({QStringLiteral("fine"), QString(QChar(0xDC00))})}}) {
        QMap<QString, styleentry> registry{{QStringLiteral("a"), makeStyle({QStringLiteral("ok")})},
                                           {QStringLiteral("z"), makeStyle({QStringLiteral("ok")})}};
        EXPECT_EQ(vrex::findUnwritableStyle(registry), registry.cend());
        registry.insert(row.key, row.entry);
        const auto found = vrex::findUnwritableStyle(registry);
        ASSERT_NE(found, registry.cend());
        EXPECT_EQ(found.key(), row.key);
    }
}

} // namespace
