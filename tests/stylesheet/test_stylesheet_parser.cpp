#include "stylesheet/stylesheet_parser.h"
#include "stylesheet_test_support.h"

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

struct ExpectedStyle
{
    const char *name;
    QStringList settings;
    const char *suitablefor;
    const char *description;
    int type;
};

struct ParseCase
{
    const char *label;
    const char *xml;
    bool wrongRoot;
    std::vector<ExpectedStyle> styles;
};

class ParseStylesheetTest : public ::testing::TestWithParam<ParseCase> { };

TEST_P(ParseStylesheetTest, ReadsStylesInDocumentOrder)
{
    const ParseCase &c = GetParam();
    const vrex::StylesheetDocument document = vrex::parseStylesheet(QByteArray(c.xml));
    ASSERT_EQ(document.status, vrex::ParseStatus::Ok) << document.error.errorString.toStdString();
    EXPECT_EQ(document.wrongRoot, c.wrongRoot);
    ASSERT_EQ(size_t(document.styles.size()), c.styles.size());
    for (size_t i = 0; i < c.styles.size(); ++i) {
        const vrex::StyleRecord &actual = document.styles.at(qsizetype(i));
        const ExpectedStyle &expected = c.styles[i];
        EXPECT_EQ(actual.name, QString::fromUtf8(expected.name)) << i;
        EXPECT_EQ(actual.settings, expected.settings) << i;
        EXPECT_EQ(actual.suitablefor, QString::fromUtf8(expected.suitablefor)) << i;
        EXPECT_EQ(actual.description, QString::fromUtf8(expected.description)) << i;
        EXPECT_EQ(actual.type, expected.type) << i;
    }
}

QStringList list(std::initializer_list<const char *> items)
{
    QStringList result;
    for (const char *item : items)
        result.append(QString::fromUtf8(item));
    return result;
}

INSTANTIATE_TEST_SUITE_P(Documents, ParseStylesheetTest, ::testing::Values(
    ParseCase{"AllAttributes",
              "<!DOCTYPE stylesheet>\n<stylesheet>\n"
              "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
              "    <setting value=\"color: red\"/>\n    <setting value=\"font-weight: bold\"/>\n"
              "  </style>\n</stylesheet>\n",
              false, {{"alarm", list({"color: red", "font-weight: bold"}), "QLabel", "Alarm", 1}}},
    ParseCase{"TypeWordsAreCaseSensitive",
              "<stylesheet><style name='a' type='state'/><style name='b' type='style'/>"
              "<style name='c' type='setting'/><style name='d' type='State'/>"
              "<style name='e' type=' style'/><style name='f'/></stylesheet>",
              false, {{"a", {}, "", "", 1}, {"b", {}, "", "", 2}, {"c", {}, "", "", 3},
                      {"d", {}, "", "", 0}, {"e", {}, "", "", 0}, {"f", {}, "", "", 0}}},
    ParseCase{"MissingAttributesReadEmpty",
              "<stylesheet><style><setting/><setting value=''/><setting value='x'/></style></stylesheet>",
              false, {{"", list({"", "", "x"}), "", "", 0}}},
    ParseCase{"TagsOfChildrenAreNotLookedAt",
              "<stylesheet><look name='n'><anything value='v'/></look></stylesheet>",
              false, {{"n", list({"v"}), "", "", 0}}},
    ParseCase{"DeeperElementsAreNotRead",
              "<stylesheet><style name='n'><setting value='a'><setting value='deep'/></setting>"
              "<setting value='b'/></style></stylesheet>",
              false, {{"n", list({"a", "b"}), "", "", 0}}},
    ParseCase{"OtherNodesAreSkipped",
              "<?xml version='1.0' encoding='UTF-8'?>\n<!-- header -->\n"
              "<!DOCTYPE stylesheet [ <!ENTITY co 'color'> ]>\n<stylesheet>text<!-- c -->"
              "<?pi data?><style name='n'>more text<![CDATA[<setting value='no'/>]]>"
              "<setting value='&co;: red'/></style>tail</stylesheet>\n<!-- trailer -->",
              false, {{"n", list({"color: red"}), "", "", 0}}},
    ParseCase{"PrefixedNamesAreOtherNames",
              "<stylesheet><style x:name='p' name='n' x:type='state'>"
              "<setting x:value='p' value='v'/></style></stylesheet>",
              false, {{"n", list({"v"}), "", "", 0}}},
    ParseCase{"EscapedTextIsDecoded",
              "<stylesheet><style name='a&amp;b' description='&quot;q&quot; &lt;&gt;'>"
              "<setting value='l1&#10;l2&#9;t&#13;'/><setting value='&#x1F600;&#xFC;'/>"
              "</style></stylesheet>",
              false, {{"a&b", list({"l1\nl2\tt\r", "\xF0\x9F\x98\x80\xC3\xBC"}), "", "\"q\" <>", 0}}},
    ParseCase{"WrongRootIsStillRead",
              "<styles><style name='n'><setting value='v'/></style></styles>",
              true, {{"n", list({"v"}), "", "", 0}}},
    ParseCase{"PrefixedRootIsWrong",
              "<x:stylesheet xmlns:x='urn:x'><style name='n'/></x:stylesheet>",
              true, {{"n", {}, "", "", 0}}},
    ParseCase{"DuplicatesAreKeptInOrder",
              "<stylesheet><style name='n' type='state'><setting value='1'/></style>"
              "<style name='n' type='bogus'/></stylesheet>",
              false, {{"n", list({"1"}), "", "", 1}, {"n", {}, "", "", 0}}}),
    [](const ::testing::TestParamInfo<ParseCase> &info) { return std::string(info.param.label); });

class NotWellFormedTest : public ::testing::TestWithParam<const char *> { };

TEST_P(NotWellFormedTest, RejectsTheWholeDocument)
{
    const QByteArray data(GetParam());
    const vrex::StylesheetDocument document = vrex::parseStylesheet(data);
    EXPECT_EQ(document.status, vrex::ParseStatus::NotWellFormed);
    EXPECT_TRUE(document.styles.isEmpty());
    EXPECT_FALSE(document.wrongRoot);
    EXPECT_FALSE(document.error.errorString.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Documents, NotWellFormedTest, ::testing::Values(
    "",
    "   \n",
    "<!-- only a comment -->",
    "<stylesheet><style name='a'></stylesheet>",
    "<stylesheet><style name='a'/></stylesheet><extra/>",
    "<stylesheet><style name='a'/></stylesheet>trailing",
    "<stylesheet><style name='a' name='b'/></stylesheet>",
    "<stylesheet><style name='a'><setting value='&undefined;'/></style></stylesheet>",
    "<stylesheet><style name='a'><setting><deep></setting></style></stylesheet>",
    "<stylesheet><style name='a&#1;'/></stylesheet>",
    "<stylesheet>"));

} // namespace
