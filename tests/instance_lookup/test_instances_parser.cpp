// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/instances_parser.h"
#include "qt_printers.h"

#include <QtCore/QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using vrex::xml::Status;

// device, offset and complex (nullptr: stays null) as the ref sets them.
TEST(RefParsing, SetsDeviceOffsetAndComplex)
{
    struct Row { const char *ref; int device, offset; const char *complex; };
    for (const Row &row : {
             Row{"device=12,offset=3,complex=pair1", 12, 3, "pair1"},
             Row{"device=12, offset=3", 12, 0, nullptr},  // " offset" is no known key
             Row{"device=5,,device=7,", 7, 0, nullptr},   // empty pieces dropped, last wins
             Row{",,=device==4", 4, 0, nullptr},          // empty parts dropped too
             Row{"device,offset=", 0, 0, nullptr},
             Row{"device=0x10,offset=12a", 0, 0, nullptr},
             Row{"device=99999999999,offset=2147483647", 0, 2147483647, nullptr},
             Row{"offset=4=9", 0, 4, nullptr},
             Row{"offset=-7,device=+3", 3, -7, nullptr},
             Row{"Device=3,complex=a,complex=", 0, 0, nullptr}, // a value-less complex is null again
             Row{"complex= pair \xc3\xa9", 0, 0, " pair \xc3\xa9"},
             // A leading U+FEFF is part of the value, as in any text.
             Row{"device=\xef\xbb\xbf" "5,complex=\xef\xbb\xbf\xef\xbb\xbfpair", 0, 0, "\xef\xbb\xbf\xef\xbb\xbfpair"}}) {
        SCOPED_TRACE(row.ref);
        instanceInfo info;
        vrex::applyRef(row.ref, info);
        EXPECT_EQ(info.device, row.device);
        EXPECT_EQ(info.offset, row.offset);
        // The oracle keeps a leading U+FEFF, which fromUtf8 would drop.
        const QString complex = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
                QByteArrayView(row.complex));
        EXPECT_EQ(info.complex, complex);
        EXPECT_EQ(info.complex.isNull(), row.complex == nullptr);
    }
}

// A record as one line: id|type|alt_id|location|composite device offset
// complex|groups@line:column.
QStringList render(const vrex::InstancesDocument &document)
{
    QStringList lines;
    for (size_t i = 0; i < document.records.size(); ++i) {
        const vrex::InstanceRecord &record = document.records[i];
        const instanceInfo &info = record.info();
        QStringList groups;
        for (auto it = info.groups.cbegin(); it != info.groups.cend(); ++it)
            groups << show(it.key()) + QLatin1Char('>') + show(it.value());
        for (const vrex::GroupPosition &group : document.groupsAt) {
            if (group.record == i)
                groups << QStringLiteral("%1@%2:%3").arg(show(group.id)).arg(group.at.line).arg(group.at.column);
        }
        lines << QStringLiteral("%1|%2|%3|%4|%5 %6 %7 %8|%9@%10:%11")
                         .arg(show(record.id()), show(info.type), show(info.alt_id), show(info.location))
                         .arg(info.composite ? 'C' : '-').arg(info.device).arg(info.offset)
                         .arg(show(info.complex), groups.join(QLatin1Char(',')))
                         .arg(document.at.at(i).line).arg(document.at.at(i).column);
    }
    return lines;
}

TEST(InstancesDocument, GivesTheRecordsInDocumentOrder)
{
    struct Row { const char *label, *xml; Status status; std::vector<const char *> records; };
    for (const Row &row : {
             Row{"EveryChildElementIsAnInstance",
                 "<instances>\n text <!-- c -->\n"
                 "  <instance id='cam1' type='Cam' alt_id='C1' location='hall' ref='device=4' x:id='no'/>\n"
                 "  <Router type=''><inner id='ignored'/></Router>\n"
                 "<x:any id='cam1' composite='yes'/></instances>",
                 Status::Ok, {"cam1|Cam|C1|hall|- 4 0 ~|@3:3", "~||~|~|- 0 0 ~|@4:3", "cam1|~|~|~|C 0 0 ~|@5:1"}},
             Row{"GroupsOnlyOfExactYesAndExactTag",
                 "<instances><p id='p' composite='yes'>"
                 "<group id='left' instance='cam1'/><group id='left' instance='cam2'/>"
                 "<group instance='cam3'/><group id='noinst'/><Group id='upper' instance='x'/>"
                 "<x:group id='prefixed' instance='x'/><other><group id='nested' instance='x'/></other></p>"
                 "<q id='q' composite='Yes'><group id='g' instance='x'/></q>"
                 "<r id='r' composite='yes '><group id='g' instance='x'/></r></instances>",
                 Status::Ok,
                 {"p|~|~|~|C 0 0 ~|~>cam3,left>cam2,noinst>~,left@1:38,left@1:72,~@1:106,noinst@1:130@1:12",
                  "q|~|~|~|- 0 0 ~|@1:271", "r|~|~|~|- 0 0 ~|@1:329"}},
             Row{"EmptyRoot", "<instances/>", Status::Ok, {}},
             Row{"Utf8Values", "<instances><i id='\xc3\xa9t\xc3\xa9' location='S&#xFC;d'/></instances>",
                 Status::Ok, {"\u00e9t\u00e9|~|~|S\u00fcd|- 0 0 ~|@1:12"}},
             Row{"RootCaseDiffers", "<Instances><i id='a'/></Instances>", Status::WrongRoot, {}},
             // A fault after the records leaves none of them.
             Row{"FaultAfterRecords", "<instances><i id='a'/></instances><more/>", Status::NotWellFormed, {}}}) {
        SCOPED_TRACE(row.label);
        const vrex::InstancesDocument document = vrex::parseInstances(QByteArray(row.xml));
        EXPECT_EQ(document.result.status, row.status) << document.result.reason.toStdString();
        EXPECT_EQ(render(document), strings(row.records));
    }
}

// Merging must amount to one insert per record in file order, for ids that
// order alike or differently in their first eight characters, in Latin-1 or
// beyond it, with duplicates far apart, into a registry that holds some.
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
    existing[QStringLiteral("kept")].device = -1;
    existing[QStringLiteral("ab")].device = -2;

    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<vrex::InstanceRecord> records;
        for (int i = 0; i < ids.size() * 2; ++i) {
            vrex::InstanceRecord &record = records.emplace_back();
            record.node = vrex::makeInstanceNode(ids[i % ids.size()]);
            record.node.mapped().device = i;
        }
        std::shuffle(records.begin(), records.end(), random);
        QMap<QString, instanceInfo> expected = existing;
        for (const vrex::InstanceRecord &record : records)
            expected.insert(record.id(), record.info());

        QMap<QString, instanceInfo> merged = existing;
        vrex::mergeInstances(merged, std::move(records));
        ASSERT_EQ(merged.keys(), expected.keys()) << "round " << round;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            ASSERT_EQ(merged.value(it.key()).device, it->device) << "round " << round;
    }
    // The registry merged into was a copy: the original is unchanged.
    EXPECT_EQ(existing.value(QStringLiteral("ab")).device, -2);
}

} // namespace
