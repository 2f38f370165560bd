// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Hostile documents: entities, encodings, size and nesting, malformed
// bytes. Every format reads through the one XML reader, so the rows run on
// the stylesheet loader, whose message carries the reader's own reason.
// Heavy rows run in a child under an address-space limit and a watchdog.
#include "bounded_child.h"
#include "config_formats.h"

#include "support/fixture_tree.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringEncoder>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace vrextest;

namespace {

constexpr qint64 kMillion = 1000000;
const QString kExotic = QStringLiteral("Kamera \u00dc \u20ac \U0001D11E");
const QString kAmplification =
        QStringLiteral("limit on input amplification factor (from DTD and entities) breached");

// The stylesheet with one style "cam" whose description is text and whose
// content is inner.
QByteArray style(const QByteArray &text, const QByteArray &inner = {}, const QByteArray &prolog = {})
{
    return prolog + "<stylesheet><style name=\"cam\" description=\"" + text + "\">" + inner
            + "</style></stylesheet>";
}

// Ten levels of tenfold expansion: about three gigabytes of text.
QByteArray laughs()
{
    QByteArray doctype = "<!DOCTYPE stylesheet [\n<!ENTITY l0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level)
        doctype += "<!ENTITY l" + QByteArray::number(level) + " \""
                + ("&l" + QByteArray::number(level - 1) + ';').repeated(10) + "\">\n";
    return doctype + "]>\n";
}

QByteArray entity(const QByteArray &declaration)
{
    return "<!DOCTYPE stylesheet [" + declaration + "]>\n";
}

using Writer = std::function<void(QIODevice &out, const QString &secret)>;

// A document streamed as pieces, each written `count` times in a row.
Writer repeated(const std::vector<std::pair<QByteArray, qint64>> &pieces)
{
    return [pieces](QIODevice &out, const QString &) {
        for (auto [piece, count] : pieces) {
            const qint64 perChunk = qMax<qint64>(1, (1 << 16) / piece.size());
            const QByteArray chunk = piece.repeated(int(qMin(perChunk, count)));
            for (; count >= perChunk; count -= perChunk)
                out.write(chunk);
            out.write(piece.repeated(int(count)));
        }
    };
}

QByteArray encoded(QStringConverter::Encoding encoding, const QString &text)
{
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

Writer bytes(const QByteArray &data)
{
    return [data](QIODevice &out, const QString &) { out.write(data); };
}

struct XmlRow
{
    const char *label;
    Writer write;
    QString text;    // loads: the description, `repeat` times; null: the document is rejected
    QString reason;  // rejected: the reader's words
    int boundMB = 0; // run in a bounded child
    QStringList more = {}; // loads: further styles, "name=description"
    qint64 repeat = 1;
};

XmlRow loads(const char *label, Writer write, const QString &text, int boundMB = 0, QStringList more = {}, qint64 repeat = 1)
{
    return {label, std::move(write), text, QString(), boundMB, std::move(more), repeat};
}

XmlRow rejected(const char *label, Writer write, const QString &reason, int boundMB = 0)
{
    return {label, std::move(write), QString(), reason, boundMB};
}

void PrintTo(const XmlRow &row, std::ostream *os) { *os << row.label; }

// The stylesheet with its declaration naming the secret file where it says
// SECRET. The reader fetches nothing from outside: had it read the file,
// "&leak;" would expand to LEAKED.
Writer withSecret(const QByteArray &text, const QByteArray &inner, const QByteArray &declaration)
{
    return [=](QIODevice &out, const QString &secret) {
        out.write(style(text, inner, QByteArray(declaration).replace("SECRET", QFile::encodeName(secret))));
    };
}

const XmlRow kRows[] = {
    // Entities
    rejected("EntityExpansionInAttribute", bytes(style("&l9;", {}, laughs())), kAmplification),
    rejected("EntityExpansionInContent", bytes(style("x", "&l9;", laughs())), kAmplification),
    loads("SmallInternalEntityExpands",
          bytes(style("&co;:&amp;&#x263A;", "&co;", entity("<!ENTITY co \"color\">"))),
          QStringLiteral("color:&\u263a")),
    loads("ShortEntityUsedOften",
          bytes(style(QByteArray("&co;").repeated(10000), {}, entity("<!ENTITY co \"color\">"))),
          QStringLiteral("color"), 0, {}, 10000),
    rejected("MillionReferencesToALongEntity",
             repeated({{entity("<!ENTITY e \"" + QByteArray(4000, 'y') + "\">") + "<stylesheet><style name=\"cam\">", 1},
                       {"&e;", kMillion}, {"</style></stylesheet>", 1}}),
             kAmplification, 512),
    rejected("ExternalEntityInAttribute", withSecret("&e;", {}, "<!DOCTYPE stylesheet [<!ENTITY e SYSTEM \"SECRET\">]>"),
             QStringLiteral("reference to external entity in attribute")),
    loads("ExternalEntityInContentIsSkipped", withSecret("x", "&e;", "<!DOCTYPE stylesheet [<!ENTITY e SYSTEM \"SECRET\">]>"),
          QStringLiteral("x")),
    // An entity the reader cannot know (it may be declared in what was not
    // read) reads as nothing.
    loads("ExternalDtdSubsetIsNotRead", withSecret("&leak;", {}, "<!DOCTYPE stylesheet SYSTEM \"SECRET\">"), QString(QLatin1String(""))),
    loads("ExternalParameterEntityIsNotRead",
          withSecret("&leak;", {}, "<!DOCTYPE stylesheet [<!ENTITY % p SYSTEM \"SECRET\"> %p;]>"), QString(QLatin1String(""))),
    loads("AttributeListDefaultsApply",
          bytes("<!DOCTYPE stylesheet [<!ATTLIST style description CDATA \"dflt\">]>"
                "<stylesheet><style name=\"cam\"/></stylesheet>"),
          QStringLiteral("dflt")),
    rejected("UndefinedEntity", bytes(style("&nope;")), QStringLiteral("undefined entity")),

    // Size and nesting
    loads("MillionDeepInsideRecord", repeated({{"<stylesheet><style name=\"cam\" description=\"deep\">", 1}, {"<a>", kMillion},
                                               {"</a>", kMillion}, {"</style></stylesheet>", 1}}),
          QStringLiteral("deep"), 512),
    // Each <a> at the root's level is a style without a name.
    loads("MillionDeepAtRootLevel", repeated({{"<stylesheet><style name=\"cam\" description=\"x\"/>", 1}, {"<a>", kMillion},
                                              {"</a>", kMillion}, {"</stylesheet>", 1}}),
          QStringLiteral("x"), 512, {QStringLiteral("=")}),
    rejected("MillionDeepNeverClosed", repeated({{"<stylesheet><style name=\"cam\">", 1}, {"<a>", kMillion}}),
             QStringLiteral("no element found"), 512),
    loads("MillionAttributesOnOneElement", [](QIODevice &out, const QString &) {
        out.write("<stylesheet><style name=\"cam\" description=\"x\"");
        for (qint64 i = 0; i < kMillion; ++i)
            out.write(" a" + QByteArray::number(i) + "=\"\"");
        out.write("/></stylesheet>");
    }, QStringLiteral("x"), 768),
    loads("MillionStylesOfOneName",
          repeated({{"<stylesheet>", 1}, {"<style name=\"cam\" description=\"same\"><s value=\"v\"/></style>\n", kMillion},
                    {"</stylesheet>", 1}}),
          QStringLiteral("same"), 1280),
    // Streamed out; the loader has to hold the file and the text.
    loads("HundredMegabyteAttribute",
          repeated({{"<stylesheet><style name=\"cam\" description=\"", 1}, {"x", 100 << 20}, {"\"/></stylesheet>", 1}}),
          QStringLiteral("x"), 1280, {}, 100 << 20),
    // Encodings
    rejected("InvalidUtf8", bytes(style("a\xff\xfe" "b")), QStringLiteral("not well-formed (invalid token)")),
    rejected("NulByte", bytes(style(QByteArray("a\0b", 3))), QStringLiteral("not well-formed (invalid token)")),
    loads("Utf16LittleEndianWithBom", bytes(encoded(QStringConverter::Utf16LE, QString::fromUtf8(style(kExotic.toUtf8())))), kExotic),
    loads("Utf8WithBom", bytes(encoded(QStringConverter::Utf8, QString::fromUtf8(style(kExotic.toUtf8())))), kExotic),
    loads("DeclaredLatin1", bytes(style("S\xfc" "d", {}, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>")),
          QStringLiteral("S\u00fcd")),
    loads("DeclaredWindows1252", bytes(style("\x80 \x93q\x94", {}, "<?xml version=\"1.0\" encoding=\"windows-1252\"?>")),
          QStringLiteral("\u20ac \u201cq\u201d")),
    // expat reads only encodings that keep ASCII where it is.
    rejected("DeclaredEbcdic", bytes("<?xml version=\"1.0\" encoding=\"IBM037\"?>" + QStringEncoder("IBM037")(QStringLiteral("<stylesheet/>"))),
             QStringLiteral("unknown encoding")),
    rejected("DeclaredUnknownEncoding", bytes(style("x", {}, "<?xml version=\"1.0\" encoding=\"no-such\"?>")),
             QStringLiteral("unknown encoding")),

    // Nothing, not enough, or too much
    rejected("EmptyFile", bytes({}), QStringLiteral("no element found")),
    rejected("TruncatedInsideRecord", bytes(style("cut").left(40)), QStringLiteral("unclosed token")),
    // A fault after the root rejects the whole document.
    rejected("JunkAfterTheRoot", bytes(style("x") + "<more/>"), QStringLiteral("junk after document element")),
    rejected("ControlCharacterReference", bytes(style("&#1;")), QStringLiteral("reference to invalid character number")),
};

// Arranges the row in a fresh installation holding one style already,
// loads, and compares registry and messages with what the row expects.
void runRow(const XmlRow &row)
{
    // Placeholders in the path are literal text in the message.
    FixtureTree tree(QStringLiteral("sys%2%1"));
    tree.write(QStringLiteral("secret.dtd"), "<!ENTITY leak \"LEAKED\">\n");
    const QString path = tree.path(QStringLiteral("stylesheet/vrex_style.xml"));
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        row.write(file, tree.path(QStringLiteral("secret.dtd")));
    }
    Registries registries;
    registries.styles[QStringLiteral("keep")].description = QStringLiteral("kept");
    if (row.boundMB > 0)
        limitThisProcess({row.boundMB, 300});

    RecordingSink sink;
    const ConfigFormat &stylesheet = configFormats().last();
    stylesheet.load(registries, loadContext(tree, &sink, vrex::FileSource()));
    if (row.boundMB > 0)
        std::printf("[ bounded  ] %s: address space peaked at %lld MB\n", row.label, peakAddressSpaceMB());

    QStringList expected{QStringLiteral("keep=kept")};
    QStringList expectedMessages;
    if (row.text.isNull())
        expectedMessages << QStringLiteral("Error in Stylesheet file:\n\t") + path + QLatin1Char('\n') + row.reason;
    else
        expected << QStringLiteral("cam=") + row.text.repeated(row.repeat) << row.more;
    expected.sort();
    EXPECT_EQ(stylesheet.snapshot(registries), expected);
    EXPECT_EQ(sink.qtMessages, expectedMessages);
}

class HostileXml : public ::testing::TestWithParam<XmlRow> { };

TEST_P(HostileXml, LoaderGivesTheRowsOutcome)
{
    if (GetParam().boundMB > 0)
        VREX_EXPECT_IN_CHILD(runRow(GetParam()));
    else
        runRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileXml, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<XmlRow> &info) { return info.param.label; });

} // namespace
