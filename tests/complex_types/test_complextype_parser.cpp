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
    ComplexCase{"FaultAfterMembers", "<Rack><m id='a'/></Rack><second/>", Status::NotWellFormed, {}}),
    [](const ::testing::TestParamInfo<ComplexCase> &info) { return std::string(info.param.label); });

} // namespace
