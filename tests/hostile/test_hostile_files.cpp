// Hostile configuration files and file-system states, each row run against
// every format it applies to. Heavy rows run in a child under an
// address-space limit and a watchdog (see bounded_child.h).
#include "hostile_rows.h"

#include "support/capture.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringEncoder>
#include <QtCore/QtGlobal>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace vrextest;

namespace {

constexpr qint64 kMillion = 1000000;
const QString kExoticText = QStringLiteral("Kamera \u00dc \u20ac \U0001D11E");

// Ten levels of tenfold expansion: about three gigabytes of text.
QByteArray laughsDoctype(const QByteArray &root)
{
    QByteArray doctype = "<!DOCTYPE " + root + " [\n<!ENTITY l0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        doctype += "<!ENTITY l" + QByteArray::number(level) + " \""
                + ("&l" + QByteArray::number(level - 1) + ';').repeated(10) + "\">\n";
    }
    return doctype + "]>\n";
}

QByteArray externalEntityDoctype(const RowSite &site)
{
    return "<!DOCTYPE " + site.format.rootTag(site.name) + " [<!ENTITY e SYSTEM \""
            + QFile::encodeName(site.secretPath) + "\">]>\n";
}

// The document around records that are streamed to the file.
void writeStreamed(const RowSite &site, const std::function<void(QIODevice &)> &records,
                   const QByteArray &prolog = QByteArray())
{
    QDir().mkpath(QFileInfo(site.path()).path());
    QFile file(site.path());
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(site.path()));
    file.write(prolog + site.format.rootStart(site.name));
    records(file);
    file.write(site.format.rootEnd(site.name));
}

void writeDeepChain(QIODevice &out, qint64 depth, bool closed)
{
    writeRepeated(out, "<a>", depth);
    if (closed)
        writeRepeated(out, "</a>", depth);
}

void encodeDocument(const RowSite &site, QStringConverter::Encoding encoding)
{
    const QString text = QString::fromUtf8(site.format.document(site.name, site.format.record(kExoticText.toUtf8())));
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    site.write(encoder(text));
}

void makeSymlink(const QString &target, const QString &link)
{
    QDir().mkpath(QFileInfo(link).path());
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) != 0)
        qFatal("cannot link %s", qPrintable(link));
}

QVector<HostileRow> hostileRows()
{
    QVector<HostileRow> rows;

    // Entities
    rows << notWellFormed("EntityExpansionInAttribute", [](const RowSite &site) {
        site.writeDocument(site.format.record("&l9;"), laughsDoctype(site.format.rootTag(site.name)));
    }, QStringLiteral("Entity expands to more characters than the entity expansion limit"));
    rows << notWellFormed("EntityExpansionInContent", [](const RowSite &site) {
        site.writeDocument(site.format.record("x", "&l9;"), laughsDoctype(site.format.rootTag(site.name)));
    }, QStringLiteral("Entity expands to more characters than the entity expansion limit"));
    rows << loads("SmallInternalEntityStillExpands", [](const RowSite &site) {
        site.writeDocument(site.format.record("&co;:&amp;&#x263A;", "&co;"),
                           "<!DOCTYPE " + site.format.rootTag(site.name) + " [<!ENTITY co \"color\">]>\n");
    }, QStringLiteral("color:&\u263a"));
    rows << notWellFormed("ExternalEntityInAttribute", [](const RowSite &site) {
        site.writeDocument(site.format.record("&e;"), externalEntityDoctype(site));
    }, QStringLiteral("Reference to external entity 'e' in attribute value"));
    rows << loads("ExternalEntityInContentIsNotFetched", [](const RowSite &site) {
        site.writeDocument(site.format.record("x", "&e;"), externalEntityDoctype(site));
    }, QStringLiteral("x"));
    // Were the secret read, "&leak;" would expand to its text.
    rows << loads("ExternalDtdSubsetIsNotFetched", [](const RowSite &site) {
        site.writeDocument(site.format.record("&leak;"),
                           "<!DOCTYPE " + site.format.rootTag(site.name) + " SYSTEM \""
                                   + QFile::encodeName(site.secretPath) + "\">\n");
    }, QStringLiteral("&leak;"));
    rows << notWellFormed("ExternalParameterEntityIsRefused", [](const RowSite &site) {
        site.writeDocument(site.format.record("&leak;"),
                           "<!DOCTYPE " + site.format.rootTag(site.name) + " [<!ENTITY % p SYSTEM \""
                                   + QFile::encodeName(site.secretPath) + "\"> %p;]>\n");
    }, QStringLiteral("Parameter entity references are not supported."));
    // The reader would expand each reference afresh: gigabytes from a few
    // megabytes. A short entity used often stays fine.
    rows << notWellFormed("MillionReferencesToALongEntity", [](const RowSite &site) {
        writeStreamed(site, [&site](QIODevice &out) {
            out.write(site.format.recordStart());
            writeRepeated(out, "&e;", kMillion);
            out.write(site.format.recordMiddle() + site.format.recordEnd());
        }, "<!DOCTYPE " + site.format.rootTag(site.name) + " [<!ENTITY e \"" + QByteArray(4000, 'y') + "\">]>\n");
    }, QStringLiteral("Entity references could expand to more than")).bounded(512, 120);
    rows << loads("ManyReferencesToAShortEntity", [](const RowSite &site) {
        site.writeDocument(site.format.record(QByteArray("&co;").repeated(10000)),
                           "<!DOCTYPE " + site.format.rootTag(site.name) + " [<!ENTITY co \"color\">]>\n");
    }, QStringLiteral("color").repeated(10000));
    // Attribute lists cost pairwise work as they are declared and at every
    // element, and their defaults copy text into every record.
    rows << notWellFormed("AttributeListDeclaration", [](const RowSite &site) {
        site.writeDocument(site.format.record("x"),
                           "<!DOCTYPE " + site.format.rootTag(site.name)
                                   + " [<!ATTLIST a b CDATA \"default\">]>\n");
    }, QStringLiteral("Attribute-list declarations are not supported."));

    // Size: a million of something, each in a bounded child.
    rows << loads("MillionDeepInsideRecord", [](const RowSite &site) {
        writeStreamed(site, [&site](QIODevice &out) {
            out.write(site.format.recordStart() + "deep" + site.format.recordMiddle());
            writeDeepChain(out, kMillion, true);
            out.write(site.format.recordEnd());
        });
    }, QStringLiteral("deep")).bounded(512);
    rows << loads("MillionDeepAtRootLevel", [](const RowSite &site) {
        writeStreamed(site, [&site](QIODevice &out) {
            out.write(site.format.record("x"));
            writeDeepChain(out, kMillion, true);
        });
    }, QStringLiteral("x")).withBlankRecord().bounded(512);
    // The reader compares every attribute of a tag with every other one.
    rows << notWellFormed("MillionAttributesOnOneElement", [](const RowSite &site) {
        writeStreamed(site, [&site](QIODevice &out) {
            out.write(site.format.recordStart() + "x\"");
            for (qint64 i = 0; i < kMillion; ++i)
                out.write(" a" + QByteArray::number(i) + "=\"\"");
            out.write(" z=\"" + site.format.recordMiddle() + site.format.recordEnd());
        });
    }, QStringLiteral("An element carries more than 128 attributes.")).bounded(512, 120);
    rows << loads("HundredAttributesOnOneElement", [](const RowSite &site) {
        QByteArray text = "x\"";
        for (int i = 0; i < 100; ++i)
            text += " a" + QByteArray::number(i) + "=\"\"";
        site.writeDocument(site.format.record(text + " z=\""));
    }, QStringLiteral("x"));
    rows << notWellFormed("MillionDeepNeverClosed", [](const RowSite &site) {
        QDir().mkpath(QFileInfo(site.path()).path());
        QFile file(site.path());
        file.open(QIODevice::WriteOnly);
        file.write(site.format.rootStart(site.name) + site.format.record("x"));
        writeDeepChain(file, kMillion, false);
    }, QStringLiteral("Premature end of document")).bounded(512);
    rows << loads("MillionRecordsWithTheSameId", [](const RowSite &site) {
        writeStreamed(site, [&site](QIODevice &out) {
            writeRepeated(out, site.format.record("same") + '\n', kMillion);
        });
    }, QStringLiteral("same")).bounded(1280);

    // Encodings
    rows << notWellFormed("InvalidUtf8", [](const RowSite &site) {
        site.writeDocument(site.format.record("a\xff\xfe" "b"));
    }, QStringLiteral("Encountered incorrectly encoded content"));
    rows << notWellFormed("OverlongUtf8ForLessThan", [](const RowSite &site) {
        site.writeDocument(site.format.record("a\xc0\xbc" "b"));
    }, QStringLiteral("Encountered incorrectly encoded content"));
    rows << notWellFormed("NulByte", [](const RowSite &site) {
        site.writeDocument(site.format.record(QByteArray("a\0b", 3)));
    }, QStringLiteral("Unexpected '"));
    rows << loads("Utf16LittleEndianWithBom", [](const RowSite &site) {
        encodeDocument(site, QStringConverter::Utf16LE);
    }, kExoticText);
    rows << loads("Utf16BigEndianWithBom", [](const RowSite &site) {
        encodeDocument(site, QStringConverter::Utf16BE);
    }, kExoticText);
    rows << loads("Utf8WithBom", [](const RowSite &site) {
        encodeDocument(site, QStringConverter::Utf8);
    }, kExoticText);

    // Nothing, or not enough
    rows << notWellFormed("EmptyFile", [](const RowSite &site) { site.write(QByteArray()); },
                          QStringLiteral("Premature end of document"));
    rows << notWellFormed("OnlyWhitespace", [](const RowSite &site) { site.write(" \n\t\r\n  "); },
                          QStringLiteral("Premature end of document"));
    rows << notWellFormed("TruncatedInsideRecord", [](const RowSite &site) {
        const QByteArray whole = site.format.document(site.name, site.format.record("cut"));
        site.write(whole.left(whole.indexOf("cut") + 2));
    }, QStringLiteral("Premature end of document"));

    // The file system
    rows << unopenable("DirectoryNamedLikeTheFile", [](const RowSite &site) {
        site.tree.makeDirectory(site.relativePath());
    });
    rows << unopenable("DanglingSymlink", [](const RowSite &site) {
        makeSymlink(site.tree.path(QStringLiteral("gone/none.xml")), site.path());
    });
    HostileRow loop = unopenable("SymlinkLoop", [](const RowSite &site) {
        const QString partner = QFileInfo(site.path()).path() + QStringLiteral("/Loop.xml");
        makeSymlink(partner, site.path());
        makeSymlink(site.path(), partner);
    });
    loop.loopPartner = QStringLiteral("Loop");
    rows << loop;
    // Opening a FIFO blocks until a writer comes; reading /dev/zero never
    // ends. The watchdog and the limit turn a regression into a failure.
    rows << unopenable("Fifo", [](const RowSite &site) {
        QDir().mkpath(QFileInfo(site.path()).path());
        if (::mkfifo(QFile::encodeName(site.path()).constData(), 0600) != 0)
            qFatal("cannot make a FIFO");
    }).bounded(256, 30);
    rows << unopenable("SymlinkToDevZero", [](const RowSite &site) {
        makeSymlink(QStringLiteral("/dev/zero"), site.path());
    }).bounded(256, 30);
    return rows;
}

struct RowCase
{
    FormatId format;
    HostileRow row;
};

void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << configFormat(c.format).label() << ' ' << c.row.label;
}

class HostileFileTest : public ::testing::TestWithParam<RowCase> { };

TEST_P(HostileFileTest, LoaderGivesTheRowsOutcome)
{
    const RowCase &param = GetParam();
    if (param.row.bounds.addressSpaceMB > 0) {
        VREX_EXPECT_IN_CHILD(runRow(param.row, param.format));
    } else {
        const Problems problems = runRow(param.row, param.format);
        EXPECT_TRUE(problems.isEmpty()) << problems.text().toStdString();
    }
}

QVector<RowCase> allRowCases()
{
    QVector<RowCase> cases;
    const QVector<HostileRow> rows = hostileRows();
    for (const HostileRow &row : rows) {
        for (const FormatId format : allFormats())
            cases.append({format, row});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileFileTest, ::testing::ValuesIn(allRowCases()),
                         [](const ::testing::TestParamInfo<RowCase> &info) {
                             return std::string(configFormat(info.param.format).label()) + '_'
                                     + info.param.row.label;
                         });

// One row only, and for one format: the file is streamed out, so the test
// itself stays small; the loader has to hold it and its decoded text.
Problems loadHundredMegabyteAttribute()
{
    constexpr qint64 kSize = 100 * 1024 * 1024;
    Problems problems;
    clearRegistries();
    FixtureTree tree;
    const ConfigFormat &format = configFormat(FormatId::Instances);
    const RowSite site{tree, format, QString(), QString()};
    writeStreamed(site, [&format](QIODevice &out) {
        out.write(format.recordStart());
        writeRepeated(out, "x", kSize);
        out.write(format.recordMiddle() + format.recordEnd());
    });

    limitThisProcess({1280, 300});
    DebugOutputCapture debug;
    vrex_instance_lookup::loadInstances();
    std::printf("[ bounded  ] Instances/HundredMegabyteAttribute: address space peaked at %lld MB\n",
                peakAddressSpaceMB());

    const QString location = vrex_instance_lookup::instances.value(QStringLiteral("cam")).location;
    problems.equal(QStringLiteral("instances"), qint64(vrex_instance_lookup::countInstances()), qint64(1));
    problems.equal(QStringLiteral("location length"), qint64(location.size()), kSize);
    problems.equal(QStringLiteral("x in location"), qint64(location.count(QLatin1Char('x'))), kSize);
    problems.equal(QStringLiteral("messages"), debug.messages(), QStringList());
    return problems;
}

TEST(HostileInstances, HundredMegabyteAttributeLoadsInBoundedMemory)
{
    VREX_EXPECT_IN_CHILD(loadHundredMegabyteAttribute());
}

} // namespace
