// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_parser.h"
#include "stylesheet_test_support.h"

#include <gtest/gtest.h>

namespace {

using vrex::xml::Status;

// Styles as "name|suitablefor|description|type|[setting]...@line:column";
// null shows as "~".
TEST(ParseStylesheet, ReadsStylesInDocumentOrder)
{
    struct Row { const char *label, *xml; Status status; std::vector<const char *> styles; };
    for (const Row &row : {
             Row{"AllAttributes",
                 "<!DOCTYPE stylesheet>\n<stylesheet>\n"
                 "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
                 "    <setting value=\"color: red\"/>\n    <setting value=\"font-weight: bold\"/>\n"
                 "  </style>\n</stylesheet>\n",
                 Status::Ok, {"alarm|QLabel|Alarm|1|[color: red][font-weight: bold]@3:3"}},
             Row{"TypeWordsAreCaseSensitive",
                 "<stylesheet><style name='a' type='state'/><style name='b' type='style'/>"
                 "<style name='c' type='setting'/><style name='d' type='State'/>"
                 "<style name='e' type=' style'/><style name='f'/></stylesheet>",
                 Status::Ok, {"a|~|~|1|@1:13", "b|~|~|2|@1:43", "c|~|~|3|@1:73", "d|~|~|0|@1:105",
                              "e|~|~|0|@1:135", "f|~|~|0|@1:166"}},
             Row{"MissingAttributesReadNull",
                 "<stylesheet><style><setting/><setting value=''/><setting value='x'/></style></stylesheet>",
                 Status::Ok, {"~|~|~|0|[~][][x]@1:13"}},
             Row{"TagsBelowTheRootAreNotLookedAtAndDeeperOnesNotRead",
                 "<stylesheet><look name='n'><anything value='a'><setting value='deep'/></anything>"
                 "<x:setting x:value='p' value='b'/></look></stylesheet>",
                 Status::Ok, {"n|~|~|0|[a][b]@1:13"}},
             Row{"OtherNodesAreSkipped",
                 "<?xml version='1.0' encoding='UTF-8'?>\n<!-- header -->\n"
                 "<!DOCTYPE stylesheet [ <!ENTITY co 'color'> ]>\n<stylesheet>text<!-- c -->"
                 "<?pi data?><style name='n'>more text<![CDATA[<setting value='no'/>]]>"
                 "<setting value='&co;: red'/></style>tail</stylesheet>\n<!-- trailer -->",
                 Status::Ok, {"n|~|~|0|[color: red]@4:38"}},
             Row{"EscapedTextIsDecoded",
                 "<stylesheet><style name='a&amp;b' description='&quot;q&quot; &lt;&gt;'>"
                 "<setting value='l1&#10;l2&#9;t&#13;'/><setting value='&#x1F600;&#xFC;'/>"
                 "</style></stylesheet>",
                 Status::Ok, {"a&b|~|\"q\" <>|0|[l1\nl2\tt\r][\U0001F600\u00fc]@1:13"}},
             Row{"WrongRootIsStillRead", "<styles><style name='n'><setting value='v'/></style></styles>",
                 Status::WrongRoot, {"n|~|~|0|[v]@1:9"}},
             Row{"PrefixedRootIsWrong", "<x:stylesheet xmlns:x='urn:x'><style name='n'/></x:stylesheet>",
                 Status::WrongRoot, {"n|~|~|0|@1:31"}},
             Row{"DuplicatesAreKeptInOrder",
                 "<stylesheet><style name='n' type='state'><setting value='1'/></style>"
                 "<style name='n' type='bogus'/></stylesheet>",
                 Status::Ok, {"n|~|~|1|[1]@1:13", "n|~|~|0|@1:70"}},
             // A fault anywhere outranks a wrong root, and leaves no style.
             Row{"WrongRootAndMalformed", "<styles><style name='a'/></styles>trailing", Status::NotWellFormed, {}},
             Row{"FaultAfterStyles", "<stylesheet><style name='a'/></stylesheet>trailing", Status::NotWellFormed, {}}}) {
        SCOPED_TRACE(row.label);
        const vrex::StylesheetDocument document = vrex::parseStylesheet(QByteArray(row.xml));
        EXPECT_EQ(document.result.status, row.status) << document.result.reason.toStdString();
        QStringList seen;
        for (const vrex::StyleRecord &style : document.styles) {
            QString line = QStringLiteral("%1|%2|%3|%4|").arg(show(style.name), show(style.suitablefor),
                                                               show(style.description)).arg(style.type);
            for (const QString &setting : style.settings)
                line += QLatin1Char('[') + show(setting) + QLatin1Char(']');
            seen << line + QStringLiteral("@%1:%2").arg(style.at.line).arg(style.at.column);
        }
        EXPECT_EQ(seen, strings(row.styles));
        EXPECT_TRUE(row.status != Status::NotWellFormed || !document.result.reason.isEmpty());
    }
}

} // namespace
