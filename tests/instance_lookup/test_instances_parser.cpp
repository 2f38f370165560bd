#include "instance_lookup/instances_parser.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using vrex::InstanceRecord;
using vrex::InstancesDocument;
using vrex::ParseStatus;

namespace {

struct RefCase
{
    const char *ref;
    int device;
    int offset;
    const char *complex;
};

void PrintTo(const RefCase &c, std::ostream *os) { *os << '"' << c.ref << '"'; }

class RefParsing : public ::testing::TestWithParam<RefCase> { };

TEST_P(RefParsing, SetsDeviceOffsetAndComplex)
{
    const RefCase c = GetParam();
    instanceInfo info;
    vrex::applyRef(QString::fromUtf8(c.ref), info);
    EXPECT_EQ(info.device, c.device);
    EXPECT_EQ(info.offset, c.offset);
    EXPECT_EQ(info.complex, QString::fromUtf8(c.complex));
}

INSTANTIATE_TEST_SUITE_P(Pieces, RefParsing, ::testing::Values(
    RefCase{"device=12,offset=3,complex=pair1", 12, 3, "pair1"},
    RefCase{"device=12, offset=3", 12, 0, ""},     // " offset" is no known key
    RefCase{"device=5,,device=7,", 7, 0, ""},      // empty pieces dropped, last wins
    RefCase{",,=device==4", 4, 0, ""},             // empty parts dropped too
    RefCase{"device,offset=", 0, 0, ""},
    RefCase{"device=0x10,offset=12a", 0, 0, ""},
    RefCase{"device=99999999999", 0, 0, ""},
    RefCase{"offset=4=9", 0, 4, ""},
    RefCase{"offset=-7,device=+3", 3, -7, ""},
    RefCase{"Device=3,complex=a,complex=", 0, 0, ""},
    RefCase{"complex= pair ", 0, 0, " pair "}));

InstancesDocument parse(const char *xml)
{
    return vrex::parseInstances(QByteArray(xml));
}

struct StatusCase
{
    const char *xml;
    ParseStatus status;
};

void PrintTo(const StatusCase &c, std::ostream *os) { *os << '"' << c.xml << '"'; }

class DocumentStatus : public ::testing::TestWithParam<StatusCase> { };

TEST_P(DocumentStatus, WholeDocumentDecides)
{
    const InstancesDocument document = parse(GetParam().xml);
    EXPECT_EQ(document.status, GetParam().status);
    if (document.status != ParseStatus::Ok)
        EXPECT_TRUE(document.records.empty());
}

INSTANTIATE_TEST_SUITE_P(Roots, DocumentStatus, ::testing::Values(
    StatusCase{"<instances><i id='a'/></instances>", ParseStatus::Ok},
    StatusCase{"<instances/>", ParseStatus::Ok},
    StatusCase{"", ParseStatus::NotWellFormed},
    StatusCase{"<Instances><i id='a'/></Instances>", ParseStatus::WrongRoot},
    StatusCase{"<x:instances><i id='a'/></x:instances>", ParseStatus::WrongRoot},
    StatusCase{"<Instances><i></Instances>", ParseStatus::NotWellFormed},
    StatusCase{"<instances><i id='a'/></instances><more/>", ParseStatus::NotWellFormed},
    StatusCase{"<instances><i id='a'><deep></i></instances>", ParseStatus::NotWellFormed},
    StatusCase{"<instances><i id='a' id='b'/></instances>", ParseStatus::NotWellFormed}));

TEST(InstancesParser, EveryChildElementIsAnInstanceWithItsAttributes)
{
    const InstancesDocument document = parse(
        "<instances>\n"
        "  text <!-- comment -->\n"
        "  <instance id='cam1' type='Cam' alt_id='C1' location='hall' ref='device=4' x:id='no'/>\n"
        "  <Router type='r'><inner id='ignored'/></Router>\n"
        "  <x:any id='cam1' composite='yes'/>\n"
        "</instances>");
    ASSERT_EQ(document.status, ParseStatus::Ok);
    ASSERT_EQ(document.records.size(), 3u);

    const InstanceRecord &first = document.records[0];
    EXPECT_EQ(first.id(), QStringLiteral("cam1"));
    EXPECT_EQ(first.line, 3);
    EXPECT_EQ(first.info().type, QStringLiteral("Cam"));
    EXPECT_EQ(first.info().alt_id, QStringLiteral("C1"));
    EXPECT_EQ(first.info().location, QStringLiteral("hall"));
    EXPECT_EQ(first.info().device, 4);
    EXPECT_FALSE(first.info().composite);

    EXPECT_TRUE(document.records[1].id().isEmpty()); // no id: the empty name
    EXPECT_EQ(document.records[1].line, 4);
    EXPECT_TRUE(document.records[1].info().groups.isEmpty());
    EXPECT_EQ(document.records[2].id(), QStringLiteral("cam1"));
    EXPECT_TRUE(document.records[2].info().composite);
}

TEST(InstancesParser, RepeatedValuesShareStorageAndMissingOnesStayNull)
{
    const InstancesDocument document = parse(
        "<instances>"
        "<i id='a' type='Cam' location='hall' ref='complex=pair'/>"
        "<i id='b' location='hall' type='Cam' ref='device=1,complex=pair'/>"
        "<i id='c' type='' ref='complex='/>"
        "<i id='d' type='Camera' location='hall 2'/>"
        "</instances>");
    ASSERT_EQ(document.records.size(), 4u);
    const instanceInfo &a = document.records[0].info();
    const instanceInfo &b = document.records[1].info();
    EXPECT_EQ(b.type, QStringLiteral("Cam"));
    EXPECT_EQ(b.type.constData(), a.type.constData());
    EXPECT_EQ(b.location.constData(), a.location.constData());
    EXPECT_EQ(b.complex, QStringLiteral("pair"));
    EXPECT_EQ(b.complex.constData(), a.complex.constData());

    const instanceInfo &c = document.records[2].info();
    EXPECT_TRUE(c.type.isEmpty());
    EXPECT_FALSE(c.type.isNull());
    EXPECT_TRUE(c.location.isNull());
    EXPECT_TRUE(c.complex.isNull());
    EXPECT_EQ(document.records[3].info().type, QStringLiteral("Camera"));
    EXPECT_EQ(document.records[3].info().location, QStringLiteral("hall 2"));
}

TEST(InstancesParser, ManyRecordsSurviveTheVectorGrowing)
{
    QByteArray xml("<instances>");
    for (int i = 0; i < 5000; ++i) {
        xml += QStringLiteral("<i id='i%1' type='T%2' alt_id='a%1' location='L%2' "
                              "ref='device=%1,offset=-%1,complex=c%2' composite='yes'>"
                              "<group id='g' instance='x%1'/></i>")
                       .arg(i)
                       .arg(i % 7)
                       .toUtf8();
    }
    xml += "</instances>";
    const InstancesDocument document = vrex::parseInstances(xml);
    ASSERT_EQ(document.records.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        const InstanceRecord &record = document.records[i];
        const QString n = QString::number(i);
        const QString m = QString::number(i % 7);
        ASSERT_EQ(record.id(), QLatin1Char('i') + n);
        ASSERT_EQ(record.info().type, QLatin1Char('T') + m);
        ASSERT_EQ(record.info().alt_id, QLatin1Char('a') + n);
        ASSERT_EQ(record.info().location, QLatin1Char('L') + m);
        ASSERT_EQ(record.info().complex, QLatin1Char('c') + m);
        ASSERT_EQ(record.info().device, i);
        ASSERT_EQ(record.info().offset, -i);
        ASSERT_EQ(record.info().groups.value(QStringLiteral("g")), QLatin1Char('x') + n);
    }
}

struct CompositeCase
{
    const char *composite; // attribute value, nullptr: absent
    bool expected;
};

void PrintTo(const CompositeCase &c, std::ostream *os)
{
    *os << (c.composite ? c.composite : "(absent)");
}

class CompositeFlag : public ::testing::TestWithParam<CompositeCase> { };

TEST_P(CompositeFlag, OnlyExactYesReadsGroups)
{
    QByteArray xml("<instances><i id='p'");
    if (GetParam().composite)
        xml += QByteArray(" composite='") + GetParam().composite + '\'';
    xml += "><group id='g' instance='cam1'/></i></instances>";
    const InstancesDocument document = vrex::parseInstances(xml);
    ASSERT_EQ(document.records.size(), 1u);
    EXPECT_EQ(document.records[0].info().composite, GetParam().expected);
    EXPECT_EQ(document.records[0].info().groups.size(), GetParam().expected ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Values, CompositeFlag, ::testing::Values(
    CompositeCase{"yes", true}, CompositeCase{"Yes", false}, CompositeCase{"true", false},
    CompositeCase{"yes ", false}, CompositeCase{"", false}, CompositeCase{nullptr, false}));

TEST(InstancesParser, GroupsTakeExactTagLastDuplicateAndEmptyDefaults)
{
    const InstancesDocument document = parse(
        "<instances><i id='p' composite='yes'>"
        "<group id='left' instance='cam1'/>"
        "<group id='left' instance='cam2'/>"
        "<group instance='cam3'/>"
        "<group id='noinst'/>"
        "<Group id='upper' instance='x'/>"
        "<x:group id='prefixed' instance='x'/>"
        "<other><group id='nested' instance='x'/></other>"
        "</i></instances>");
    ASSERT_EQ(document.records.size(), 1u);
    const QMap<QString, QString> expected{{QStringLiteral("left"), QStringLiteral("cam2")},
                                          {QString(), QStringLiteral("cam3")},
                                          {QStringLiteral("noinst"), QString()}};
    EXPECT_EQ(document.records[0].info().groups, expected);
}

} // namespace

namespace {

// What merging must amount to: one insert per record, in file order.
QMap<QString, instanceInfo> insertedOneByOne(QMap<QString, instanceInfo> registry,
                                             const std::vector<InstanceRecord> &records)
{
    for (const InstanceRecord &record : records)
        registry.insert(record.id(), record.info());
    return registry;
}

InstanceRecord record(const QString &id, int device)
{
    InstanceRecord r;
    r.node = vrex::makeInstanceNode(id);
    r.node.mapped().device = device;
    return r;
}

instanceInfo withDevice(int device)
{
    instanceInfo info;
    info.device = device;
    return info;
}

} // namespace

// Ids that order alike or differently in their first eight characters, in
// Latin-1 or beyond it, with duplicates, against a registry that already
// holds some of them.
TEST(InstancesMerge, SameAsInsertingEachRecordInFileOrder)
{
    const QStringList ids{
            QStringLiteral("tly000010"), QStringLiteral("tly000001"), QStringLiteral("tly00001"),
            QStringLiteral("tly0000010"), QString(), QStringLiteral(""), QStringLiteral("ab"),
            QString::fromUtf16(u"ab\0", 3), QString::fromUtf16(u"ab\x01", 3), QStringLiteral("\u00e9t\u00e9"),
            QStringLiteral("\u0100x"), QStringLiteral("\u00ffx"), QStringLiteral("Zed"), QStringLiteral("zed"),
            QString::fromUtf16(u"\xd83d\xde00 cam"), QStringLiteral("abcdefgh1"), QStringLiteral("abcdefgh0"),
            QStringLiteral("abcdefg\u0101"), QStringLiteral("abcdefg\u00ff")};

    QMap<QString, instanceInfo> existing;
    existing.insert(QStringLiteral("kept"), withDevice(-1));
    existing.insert(QStringLiteral("ab"), withDevice(-2));

    // Every id twice, in a shuffled order, so duplicates are far apart.
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<InstanceRecord> records;
        for (int i = 0; i < ids.size() * 2; ++i)
            records.push_back(record(ids[i % ids.size()], i));
        std::shuffle(records.begin(), records.end(), random);
        const QMap<QString, instanceInfo> expected = insertedOneByOne(existing, records);

        QMap<QString, instanceInfo> merged = existing;
        vrex::mergeInstances(merged, std::move(records));
        ASSERT_EQ(merged.keys(), expected.keys()) << "round " << round;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            ASSERT_EQ(merged.value(it.key()).device, it->device) << "round " << round;
    }
}

TEST(InstancesMerge, LeavesACopyOfTheRegistryAlone)
{
    QMap<QString, instanceInfo> registry;
    registry.insert(QStringLiteral("a"), withDevice(1));
    const QMap<QString, instanceInfo> copy = registry;
    std::vector<InstanceRecord> records;
    records.push_back(record(QStringLiteral("a"), 2));
    records.push_back(record(QStringLiteral("b"), 3));
    vrex::mergeInstances(registry, std::move(records));
    EXPECT_EQ(copy.size(), 1);
    EXPECT_EQ(copy.value(QStringLiteral("a")).device, 1);
    EXPECT_EQ(registry.value(QStringLiteral("a")).device, 2);
    EXPECT_EQ(registry.value(QStringLiteral("b")).device, 3);
}
