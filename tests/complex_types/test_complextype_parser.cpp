#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QString kRack = QStringLiteral("Rack");

struct StatusCase
{
    const char *label;
    const char *xml;
    vrex::ParseStatus status;
};

void PrintTo(const StatusCase &c, std::ostream *os) { *os << c.label; }

class ComplexTypeStatusTest : public ::testing::TestWithParam<StatusCase> { };

TEST_P(ComplexTypeStatusTest, RootMustBeTheTypeNameInAWellFormedDocument)
{
    const StatusCase c = GetParam();
    const vrex::ComplexTypeDocument document = vrex::parseComplexType(QByteArray(c.xml), kRack);
    EXPECT_EQ(document.status, c.status);
    if (c.status != vrex::ParseStatus::Ok)
        EXPECT_TRUE(document.members.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
        Documents, ComplexTypeStatusTest,
        ::testing::Values(
                StatusCase{"matchingRoot", "<Rack><m id='a'/></Rack>", vrex::ParseStatus::Ok},
                StatusCase{"trailingComment", "<?xml version='1.0'?><Rack/>\n<!-- end -->\n",
                           vrex::ParseStatus::Ok},
                StatusCase{"rootCaseDiffers", "<rack><m id='a'/></rack>",
                           vrex::ParseStatus::WrongRoot},
                StatusCase{"prefixedRoot", "<x:Rack/>", vrex::ParseStatus::WrongRoot},
                StatusCase{"wrongRootThenGarbage", "<rack/><oops", vrex::ParseStatus::NotWellFormed},
                StatusCase{"garbageAfterRoot", "<Rack><m id='a'/></Rack><second/>",
                           vrex::ParseStatus::NotWellFormed},
                StatusCase{"unclosed", "<Rack><m id='a'>", vrex::ParseStatus::NotWellFormed},
                StatusCase{"empty", "", vrex::ParseStatus::NotWellFormed}),
        [](const ::testing::TestParamInfo<StatusCase> &info) { return info.param.label; });

TEST(ComplexTypeParser, ReadsMembersAndRedirectionsWhateverTheirTags)
{
    const vrex::ComplexTypeDocument document = vrex::parseComplexType(
            "<Rack>\n"
            "  text <!-- comment -->\n"
            "  <member id='cam1' extra='x'>\n"
            "    <r id='gain' device='amp' param='level'><deeper id='no'/></r>\n"
            "    <anything/>\n"
            "  </member>\n"
            "  <other/>\n"
            "</Rack>\n",
            kRack);
    ASSERT_EQ(document.status, vrex::ParseStatus::Ok);
    ASSERT_EQ(document.members.size(), 2);

    const vrex::MemberRecord &first = document.members.at(0);
    EXPECT_EQ(first.id, QStringLiteral("cam1"));
    EXPECT_EQ(first.line, 3);
    ASSERT_EQ(first.redirections.size(), 2);
    EXPECT_EQ(first.redirections.at(0).id, QStringLiteral("gain"));
    EXPECT_EQ(first.redirections.at(0).device, QStringLiteral("amp"));
    EXPECT_EQ(first.redirections.at(0).param, QStringLiteral("level"));
    EXPECT_EQ(first.redirections.at(0).line, 4);
    // Missing attributes read as null strings.
    EXPECT_TRUE(first.redirections.at(1).id.isNull());
    EXPECT_TRUE(first.redirections.at(1).device.isNull());

    EXPECT_TRUE(document.members.at(1).id.isNull());
    EXPECT_TRUE(document.members.at(1).redirections.isEmpty());
}

TEST(ComplexTypeParser, MembersShareRepeatedParameterNames)
{
    const vrex::ComplexTypeDocument document = vrex::parseComplexType(
            "<Rack>"
            "<m id='cam1'><r id='gain' device='amp1' param='level'/></m>"
            "<m id='cam2'><r param='level' device='amp2' id='gain'/><r id='' param=''/></m>"
            "</Rack>",
            kRack);
    ASSERT_EQ(document.members.size(), 2);
    const vrex::RedirectionRecord &first = document.members.at(0).redirections.at(0);
    const vrex::RedirectionRecord &second = document.members.at(1).redirections.at(0);
    EXPECT_EQ(second.id, QStringLiteral("gain"));
    EXPECT_EQ(second.param, QStringLiteral("level"));
    EXPECT_EQ(second.device, QStringLiteral("amp2"));
    EXPECT_EQ(second.id.constData(), first.id.constData());
    EXPECT_EQ(second.param.constData(), first.param.constData());
    // Present but empty is not missing.
    const vrex::RedirectionRecord &empty = document.members.at(1).redirections.at(1);
    EXPECT_FALSE(empty.id.isNull());
    EXPECT_FALSE(empty.param.isNull());
    EXPECT_TRUE(empty.device.isNull());
}

TEST(ComplexTypeParser, LaterIdsReplaceEarlierOnesAndOtherMembersStay)
{
    complexType type;
    type.members[QStringLiteral("kept")].params[QStringLiteral("x")].device = QStringLiteral("k");
    type.members[QStringLiteral("cam1")].params[QStringLiteral("old")].device = QStringLiteral("o");

    const vrex::ComplexTypeDocument document = vrex::parseComplexType(
            "<Rack>"
            "<m id='cam1'><r id='gain' device='a' param='p1'/></m>"
            "<m id='cam1'><r id='zoom' device='b' param='p2'/><r id='zoom' device='c' param='p3'/></m>"
            "<m id='empty'/>"
            "</Rack>",
            kRack);
    vrex::applyComplexType(type, document);

    EXPECT_EQ(type.members.keys(), (QStringList{QStringLiteral("cam1"), QStringLiteral("empty"),
                                                QStringLiteral("kept")}));
    const QMap<QString, complexParam> &cam1 = type.members.value(QStringLiteral("cam1")).params;
    EXPECT_EQ(cam1.keys(), QStringList{QStringLiteral("zoom")});
    EXPECT_EQ(cam1.value(QStringLiteral("zoom")).device, QStringLiteral("c"));
    EXPECT_EQ(cam1.value(QStringLiteral("zoom")).param, QStringLiteral("p3"));
    EXPECT_TRUE(type.members.value(QStringLiteral("empty")).params.isEmpty());
    EXPECT_EQ(type.members.value(QStringLiteral("kept")).params.size(), 1);
}

} // namespace
