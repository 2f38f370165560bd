#include "instance_lookup/devicetype_parser.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

using vrex::DeviceTypeDocument;
using vrex::ParseStatus;

namespace {

struct CodeCase
{
    const char *root; // attributes of the root element
    int drivertype;
    int slotspacing;
};

void PrintTo(const CodeCase &c, std::ostream *os) { *os << '"' << c.root << '"'; }

class RootAttributes : public ::testing::TestWithParam<CodeCase> { };

TEST_P(RootAttributes, GiveDriverTypeAndSlotSpacing)
{
    const DeviceTypeDocument document = vrex::parseDeviceType(
        QByteArray("<device_description ") + GetParam().root + "/>");
    ASSERT_EQ(document.status, ParseStatus::Ok);
    EXPECT_EQ(document.drivertype, GetParam().drivertype);
    EXPECT_EQ(document.slotspacing, GetParam().slotspacing);
}

INSTANTIATE_TEST_SUITE_P(Values, RootAttributes, ::testing::Values(
    CodeCase{"drivertype='gpib' slotspacing='16'", 2, 16},
    CodeCase{"drivertype='GPIB' slotspacing='-2'", 2, -2},
    CodeCase{"drivertype='rs232' slotspacing='abc'", 3, 0},
    CodeCase{"drivertype='Router'", 3, 0},
    CodeCase{"drivertype='x' slotspacing='0x10'", 1, 0},
    CodeCase{"drivertype=' g'", 1, 0},
    CodeCase{"drivertype=''", 1, 0},
    CodeCase{"x:drivertype='g'", 1, 0},
    CodeCase{"", 1, 0}));

TEST(DeviceTypeParser, EveryChildElementIsAParameter)
{
    const DeviceTypeDocument document = vrex::parseDeviceType(
        "<device_description drivertype='g'>\n"
        "  <param name='gain' slot='3'/> text\n"
        "  <param name='gain' slot='5'><deep name='x' slot='9'/></param>\n"
        "  <anything name='Gain' slot='x'/>\n"
        "  <bare/>\n"
        "</device_description>");
    ASSERT_EQ(document.status, ParseStatus::Ok);
    ASSERT_EQ(document.params.size(), 4);
    EXPECT_EQ(document.params[1].name, QStringLiteral("gain"));
    EXPECT_EQ(document.params[1].slot, 5);
    EXPECT_EQ(document.params[1].line, 3);
    EXPECT_EQ(document.params[2].slot, 0);
    EXPECT_TRUE(document.params[3].name.isEmpty());

    deviceTypeInfo info;
    info.params[QStringLiteral("other")].slot = 7;
    vrex::applyDeviceType(info, document);
    EXPECT_EQ(info.drivertype, 2);
    ASSERT_EQ(info.params.size(), 4); // gain once, Gain, the empty name, other kept
    EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 5);
    EXPECT_EQ(info.params.value(QStringLiteral("other")).slot, 7);
}

} // namespace
