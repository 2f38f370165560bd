#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using vrex::xml::Status;

struct ComplexCase
{
    const char *label;
    const char *xml;
    Status status;
    std::vector<const char *> members; // "id@line:column: id>device.param@line:column ..."; null shows as "~"
};

void PrintTo(const ComplexCase &c, std::ostream *os) { *os << c.label; }

class ComplexTypeDocument : public ::testing::TestWithParam<ComplexCase> { };

// The root must be the type name, "Rack"; tags below it are never looked at.
TEST_P(ComplexTypeDocument, GivesMembersAndRedirections)
{
    const vrex::ComplexTypeDocument document =
            vrex::parseComplexType(QByteArray(GetParam().xml), QStringLiteral("Rack"));
    EXPECT_EQ(document.result.status, GetParam().status);
    QStringList seen;
    for (const vrex::MemberRecord &member : document.members) {
        QString line = QStringLiteral("%1@%2:%3:").arg(show(member.id)).arg(member.at.line).arg(member.at.column);
        for (const vrex::RedirectionRecord &r : member.redirections)
            line += QStringLiteral(" %1>%2.%3@%4:%5").arg(show(r.id), show(r.device), show(r.param))
                            .arg(r.at.line).arg(r.at.column);
        seen << line;
    }
    EXPECT_EQ(seen, strings(GetParam().members));
}

INSTANTIATE_TEST_SUITE_P(Rows, ComplexTypeDocument, ::testing::Values(
    ComplexCase{"MembersAndRedirectionsWhateverTheirTags",
                "<Rack>\n text <!-- c -->\n  <member id='cam1' extra='x'>\n"
                "    <r id='gain' device='amp' param='level'><deeper id='no'/></r>\n"
                "    <anything/><r id='' param=''/>\n  </member>\n  <other/>\n</Rack>\n",
                Status::Ok,
                {"cam1@3:3: gain>amp.level@4:5 ~>~.~@5:5 >~.@5:16", "~@7:3:"}},
    ComplexCase{"TrailingComment", "<?xml version='1.0'?><Rack/>\n<!-- end -->\n", Status::Ok, {}},
    ComplexCase{"RootCaseDiffers", "<rack><m id='a'/></rack>", Status::WrongRoot, {}},
    ComplexCase{"PrefixedRoot", "<x:Rack/>", Status::WrongRoot, {}},
    ComplexCase{"WrongRootThenGarbage", "<rack/><oops", Status::NotWellFormed, {}},
    ComplexCase{"FaultAfterMembers", "<Rack><m id='a'/></Rack><second/>", Status::NotWellFormed, {}}),
    [](const ::testing::TestParamInfo<ComplexCase> &info) { return std::string(info.param.label); });

TEST(ComplexTypeParser, LaterIdsReplaceEarlierOnesAndOtherMembersStay)
{
    complexType type;
    type.members[QStringLiteral("kept")].params[QStringLiteral("x")].device = QStringLiteral("k");
    type.members[QStringLiteral("cam1")].params[QStringLiteral("old")].device = QStringLiteral("o");
    vrex::applyComplexType(type, vrex::parseComplexType(QByteArray(
            "<Rack><m id='cam1'><r id='gain' device='a' param='p1'/></m>"
            "<m id='cam1'><r id='zoom' device='b' param='p2'/><r id='zoom' device='c' param='p3'/></m>"
            "<m id='empty'/></Rack>"), QStringLiteral("Rack")));

    EXPECT_EQ(type.members.keys(), (QStringList{QStringLiteral("cam1"), QStringLiteral("empty"), QStringLiteral("kept")}));
    const QMap<QString, complexParam> &cam1 = type.members.value(QStringLiteral("cam1")).params;
    EXPECT_EQ(cam1.keys(), QStringList{QStringLiteral("zoom")});
    EXPECT_EQ(cam1.value(QStringLiteral("zoom")).device + cam1.value(QStringLiteral("zoom")).param, QStringLiteral("cp3"));
    EXPECT_TRUE(type.members.value(QStringLiteral("empty")).params.isEmpty());
    EXPECT_EQ(type.members.value(QStringLiteral("kept")).params.size(), 1);
}

} // namespace
