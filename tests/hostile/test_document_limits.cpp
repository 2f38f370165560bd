// Where exactly the document limits refuse, and that nothing legitimate is
// counted against them: values, comments, CDATA, text and other encodings.
#include "config_formats.h"

#include "frame/document_limits.h"

#include <QtCore/QStringEncoder>

#include <gtest/gtest.h>

namespace {

QByteArray tagWithAttributes(int count, const QByteArray &value = QByteArray())
{
    QByteArray tag = "<a";
    for (int i = 0; i < count; ++i)
        tag += " a" + QByteArray::number(i) + "=\"" + value + '"';
    return tag + "/>";
}

QByteArray withEntity(const QByteArray &value, const QByteArray &body)
{
    return "<!DOCTYPE r [<!ENTITY e \"" + value + "\">]><r>" + body + "</r>";
}

// UTF-7 as an attacker writes it: every markup character base64-encoded,
// so that no '<', '=' or '"' byte is left.
QByteArray utf7Hiding(const QByteArray &ascii)
{
    QByteArray hidden;
    for (const char c : ascii) {
        switch (c) {
        case '<': hidden += "+ADw-"; break;
        case '>': hidden += "+AD4-"; break;
        case '=': hidden += "+AD0-"; break;
        case '"': hidden += "+ACI-"; break;
        case '/': hidden += "+AC8-"; break;
        default: hidden += c;
        }
    }
    return hidden;
}

QByteArray encoded(const char *encoding, const QByteArray &utf8)
{
    QStringEncoder encoder(encoding);
    return encoder(QString::fromUtf8(utf8));
}

const QString kTooManyAttributes = QStringLiteral("An element carries more than 128 attributes.");
const QString kAttributeLists = QStringLiteral("Attribute-list declarations are not supported.");
const QString kParameterEntities = QStringLiteral("Parameter entity references are not supported.");
const QString kExpansion = QStringLiteral("Entity references could expand to more than 16777216 characters.");

struct LimitCase
{
    const char *label;
    QByteArray document;
    QString refusal; // empty: accepted
};

void PrintTo(const LimitCase &c, std::ostream *os)
{
    *os << c.label;
}

class DocumentLimitTest : public ::testing::TestWithParam<LimitCase> { };

TEST_P(DocumentLimitTest, RefusesExactlyWhatCostsTooMuch)
{
    EXPECT_EQ(vrex::refusalForCostlyDocument(GetParam().document), GetParam().refusal);
}

// 16 MiB of budget: 4194 references to a 4000-character entity fit, 4195
// do not; an entity that refers on counts as the reader's limit of 4096.
INSTANTIATE_TEST_SUITE_P(Cases, DocumentLimitTest, ::testing::Values(
    LimitCase{"AttributesAtTheLimit", "<r>" + tagWithAttributes(128) + "</r>", {}},
    LimitCase{"AttributesOverTheLimit", "<r>" + tagWithAttributes(129) + "</r>", kTooManyAttributes},
    LimitCase{"RootOverTheLimit", tagWithAttributes(129), kTooManyAttributes},
    LimitCase{"EqualsInValuesDoNotCount", "<r>" + tagWithAttributes(2, QByteArray(500, '=')) + "</r>", {}},
    LimitCase{"EqualsInTextCommentsCdataAndPisDoNotCount",
              "<?xml version=\"1.0\"?><?pi " + QByteArray(200, '=') + "?><r>" + QByteArray(200, '=')
                      + "<!-- " + QByteArray(200, '=') + " --><![CDATA[<a " + QByteArray(200, '=') + ">]]></r>",
              {}},
    LimitCase{"QuoteInCommentCannotHideATag", "<r><!-- ' -->" + tagWithAttributes(129) + "<!-- ' --></r>",
              kTooManyAttributes},
    LimitCase{"QuoteInTextCannotHideATag", "<r>it's " + tagWithAttributes(129) + " isn't</r>", kTooManyAttributes},
    LimitCase{"EndTagIsNoStartTag", "<r></r " + QByteArray(200, '=') + ">", {}},
    LimitCase{"Utf16OverTheLimit", encoded("UTF-16LE", "\xEF\xBB\xBF<r>" + tagWithAttributes(129) + "</r>"),
              kTooManyAttributes},
    LimitCase{"DeclaredUtf7OverTheLimit",
              "<?xml version=\"1.0\" encoding=\"UTF-7\"?>" + utf7Hiding("<r>" + tagWithAttributes(129) + "</r>"),
              kTooManyAttributes},
    LimitCase{"DeclaredEbcdicOverTheLimit",
              "<?xml version=\"1.0\" encoding=\"IBM037\"?>" + encoded("IBM037", "<r>" + tagWithAttributes(129) + "</r>"),
              kTooManyAttributes},
    LimitCase{"AttributeList", "<!DOCTYPE r [<!ATTLIST r a CDATA #IMPLIED>]><r/>", kAttributeLists},
    LimitCase{"AttributeListInCommentOnly", "<!DOCTYPE r [<!-- <!ATTLIST r a CDATA #IMPLIED> -->]><r/>", {}},
    LimitCase{"ParameterEntityReference", "<!DOCTYPE r [<!ENTITY % p \"\"> %p;]><r/>", kParameterEntities},
    LimitCase{"ParameterEntityDeclaredOnly", "<!DOCTYPE r [<!ENTITY % p \"x\">]><r/>", {}},
    LimitCase{"ReferencesWithinTheBudget", withEntity(QByteArray(4000, 'y'), QByteArray("&e;").repeated(4194)), {}},
    LimitCase{"ReferencesOverTheBudget", withEntity(QByteArray(4000, 'y'), QByteArray("&e;").repeated(4195)),
              kExpansion},
    LimitCase{"ReferencesInValuesCount",
              withEntity(QByteArray(4000, 'y'), "<a v=\"" + QByteArray("&e;").repeated(4195) + "\"/>"), kExpansion},
    LimitCase{"NestedEntityCountsAsTheReadersLimit", withEntity("&amp;", QByteArray("&e;").repeated(4097)),
              kExpansion},
    LimitCase{"PredefinedAndCharacterReferencesDoNotCount",
              withEntity(QByteArray(4000, 'y'), QByteArray("&amp;&lt;&gt;&quot;&apos;&#65;&#x42;").repeated(5000)), {}},
    LimitCase{"ReferencesWithoutEntitiesCostNothing", "<r>" + QByteArray("&e;").repeated(100000) + "</r>", {}}),
    [](const ::testing::TestParamInfo<LimitCase> &info) { return std::string(info.param.label); });

} // namespace
