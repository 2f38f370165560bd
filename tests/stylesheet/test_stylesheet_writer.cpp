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
}

TEST(WriteStylesheet, EmptyRegistryIsAnEmptyRoot)
{
    EXPECT_EQ(vrex::writeStylesheet({}).toStdString(), "<!DOCTYPE stylesheet>\n<stylesheet/>\n");
}

TEST(WriteStylesheet, EscapesMarkupAndKeepsWhitespaceAsReferences)
{
    const QString text = QString::fromUtf8("\"q\" 'a' & <b> l1\nl2\tt\r\xC3\xBC\xF0\x9F\x98\x80");
    const QMap<QString, styleentry> registry{{text, makeStyle({text}, text, text, 0)}};
    const QByteArray escaped = "&quot;q&quot; 'a' &amp; &lt;b&gt; l1&#10;l2&#9;t&#13;\xC3\xBC\xF0\x9F\x98\x80";
    const QByteArray written = vrex::writeStylesheet(registry);
    // Four attributes and the setting carry the text, always in UTF-8.
    EXPECT_EQ(written.count("\"" + escaped + "\""), 4) << written.toStdString();
    EXPECT_FALSE(written.contains('\t'));
    EXPECT_FALSE(written.contains('\r'));
}

struct XmlTextCase
{
    const char *label;
    QString text;
    bool carried;
};

class IsXmlTextTest : public ::testing::TestWithParam<XmlTextCase> { };

TEST_P(IsXmlTextTest, MatchesXmlCharacterRange)
{
    EXPECT_EQ(vrex::isXmlText(GetParam().text), GetParam().carried);
}

QString units(std::initializer_list<char16_t> codeUnits)
{
    QString s;
    for (char16_t u : codeUnits)
        s.append(QChar(u));
    return s;
}

INSTANTIATE_TEST_SUITE_P(Characters, IsXmlTextTest, ::testing::Values(
    XmlTextCase{"Empty", QString(), true},
    XmlTextCase{"Whitespace", units({u'\t', u'\n', u'\r', u' '}), true},
    XmlTextCase{"Nul", units({u'a', 0x0}), false},
    XmlTextCase{"U0001", units({0x1}), false},
    XmlTextCase{"U001F", units({u'x', 0x1F, u'y'}), false},
    XmlTextCase{"U007F", units({0x7F, 0x85}), true},
    XmlTextCase{"UD7FF", units({0xD7FF}), true},
    XmlTextCase{"UE000", units({0xE000}), true},
    XmlTextCase{"UFFFD", units({0xFFFD}), true},
    XmlTextCase{"UFFFE", units({0xFFFE}), false},
    XmlTextCase{"UFFFF", units({u'a', 0xFFFF}), false},
    XmlTextCase{"PairU10000", units({0xD800, 0xDC00}), true},
    XmlTextCase{"PairU10FFFF", units({0xDBFF, 0xDFFF, u'z'}), true},
    XmlTextCase{"LoneHighAtEnd", units({u'a', 0xD800}), false},
    XmlTextCase{"LoneHighBeforeText", units({0xD83D, u'a'}), false},
    XmlTextCase{"TwoHighs", units({0xD83D, 0xD83D, 0xDE00}), false},
    XmlTextCase{"LoneLow", units({0xDE00}), false},
    XmlTextCase{"ReversedPair", units({0xDE00, 0xD83D}), false}),
    [](const ::testing::TestParamInfo<XmlTextCase> &info) { return std::string(info.param.label); });

struct UnwritableCase
{
    const char *label;
    QString key;
    styleentry entry;
};

class FindUnwritableTest : public ::testing::TestWithParam<UnwritableCase> { };

TEST_P(FindUnwritableTest, FindsTheEntryInAnyField)
{
    const UnwritableCase &c = GetParam();
    QMap<QString, styleentry> registry{{QStringLiteral("a"), makeStyle({QStringLiteral("ok")})},
                                       {QStringLiteral("z"), makeStyle({QStringLiteral("ok")})}};
    EXPECT_EQ(vrex::findUnwritableStyle(registry), registry.cend());
    registry.insert(c.key, c.entry);
    const auto found = vrex::findUnwritableStyle(registry);
    ASSERT_NE(found, registry.cend());
    EXPECT_EQ(found.key(), c.key);
}

const QString kBad = QString(QChar(0x1));

INSTANTIATE_TEST_SUITE_P(Fields, FindUnwritableTest, ::testing::Values(
    UnwritableCase{"Name", QStringLiteral("m") + kBad, makeStyle({})},
    UnwritableCase{"Suitablefor", QStringLiteral("m"), makeStyle({}, kBad)},
    UnwritableCase{"Description", QStringLiteral("m"), makeStyle({}, {}, QString(QChar(0xFFFE)))},
    UnwritableCase{"LaterSetting", QStringLiteral("m"),
                   makeStyle({QStringLiteral("fine"), QString(QChar(0xDC00))})}),
    [](const ::testing::TestParamInfo<UnwritableCase> &info) { return std::string(info.param.label); });

} // namespace
