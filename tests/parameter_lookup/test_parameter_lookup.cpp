// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/catalogue_queries.h"
#include "instance_lookup/qt_printers.h"
#include "support/fixture_tree.h"

#include <gtest/gtest.h>

using namespace vrex;
using vrextest::RecordingSink;

namespace {

// Values the caller leaves in its outputs, to see which ones get written.
constexpr int kU = -7;
constexpr char kX = 'x';
const QString kCallerAlt = QStringLiteral("caller");
// Output pointers passed as nullptr, and the instance name passed in the
// alternative-id output itself.
enum Null { None = 0, NoDevice = 1, NoOffset = 2, NoSlot = 4, AltIsName = 8 };

// cam1 (type "Camera", complex "rig") has gain and iris at slot 0; rig
// redirects cam1's gain to whatever a row names, and member virtual's level
// to cam1.gain. cam4's complex type does not exist and rig has no member
// cam5. cam2's type "LenZ" folds to "lenz", whose driver type 0x103 reaches
// callers as its low byte.
class ParameterLookupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        addDeviceType(QStringLiteral("camera"), 2,
                      {{QStringLiteral("gain"), 0}, {QStringLiteral("iris"), 0}, {QStringLiteral("zoom"), 7}});
        addDeviceType(QStringLiteral("lenz"), 0x103, {{QStringLiteral("focus"), 9}, {QStringLiteral("zero"), 0}});
        addInstance(QStringLiteral("cam1"), 10, QStringLiteral("Camera"), QStringLiteral("rig"));
        addInstance(QStringLiteral("cam2"), 20, QStringLiteral("LenZ"));
        addInstance(QStringLiteral("cam3"), 30, QStringLiteral("nodevice"));
        addInstance(QStringLiteral("plain"), 40, QStringLiteral("camera"));
        addInstance(QStringLiteral("cam4"), 50, QStringLiteral("camera"), QStringLiteral("nosuch"));
        addInstance(QStringLiteral("cam5"), 60, QStringLiteral("camera"), QStringLiteral("rig"));
        addRedirection(QStringLiteral("rig"), QStringLiteral("virtual"), QStringLiteral("level"),
                       QStringLiteral("cam1"), QStringLiteral("gain"));
        addRedirection(QStringLiteral("rig"), QStringLiteral("virtual"), QStringLiteral("ghost"),
                       QStringLiteral("nobody"), QStringLiteral("gain"));
    }

    void addInstance(const QString &name, int device, const QString &type, const QString &complex = {})
    {
        instanceInfo &info = instances[name];
        info.device = device;
        info.offset = device + 1;
        info.type = type;
        info.complex = complex;
        info.alt_id = QStringLiteral("alt-") + name;
    }

    void addDeviceType(const QString &key, int drivertype, const QMap<QString, int> &paramSlots)
    {
        deviceTypeInfo &info = deviceTypes[key];
        info.drivertype = drivertype;
        for (auto it = paramSlots.cbegin(); it != paramSlots.cend(); ++it)
            info.params[it.key()].slot = it.value();
    }

    void addRedirection(const QString &complexName, const QString &member, const QString &param,
                        const QString &device, const QString &targetParam)
    {
        complexParam &to = complexTypes[complexName].members[member].params[param];
        to.device = device;
        to.param = targetParam;
    }

    InstanceRegistry instances;
    DeviceTypeRegistry deviceTypes;
    ComplexTypeRegistry complexTypes;
    const Catalogue catalogue{instances, deviceTypes, complexTypes};
    RecordingSink sink;
};

struct LookupCase
{
    const char *label;
    const char *complex;  // non-null: lookupComplex(complex, instance, param)
    const char *instance;
    const char *param;    // nullptr: a null string
    const char *target;   // rig's redirection of cam1.gain
    const char *targetParam;
    int nulls;
    bool result;
    int device, offset, slot;
    char driver;
    const char *alt;      // nullptr: the caller's value stays
    const char *line;     // debug-output line, or nullptr
};

constexpr const char *kGhost = "vrex_instance_lookup::lookup: can't find instance\nghost";

const LookupCase kLookups[] = {
    // After one redirection of cam1.gain.
    {"complexTypeAbsent", nullptr, "cam4", "gain", "cam2", "focus", None, false, 50, 51, 0, 2, "alt-cam4", nullptr},
    {"memberAbsent", nullptr, "cam5", "gain", "cam2", "focus", None, false, 60, 61, 0, 2, "alt-cam5", nullptr},
    {"redirectionAbsent", nullptr, "cam1", "iris", "cam2", "focus", None, false, 10, 11, 0, 2, "alt-cam1", nullptr},
    {"targetAbsent", nullptr, "cam1", "gain", "ghost", "focus", None, false, 0, 0, 0, 2, "alt-cam1", kGhost},
    {"targetParamEmpty", nullptr, "cam1", "gain", "cam2", "", None, true, 20, 21, 0, 2, "alt-cam1", nullptr},
    {"targetDeviceTypeAbsent", nullptr, "cam1", "gain", "cam3", "focus", None, false, 30, 31, 0, 2, "alt-cam1", nullptr},
    {"targetParamAbsent", nullptr, "cam1", "gain", "cam2", "iris", None, false, 20, 21, 0, 3, "alt-cam1", nullptr},
    {"targetSlotFound", nullptr, "cam1", "gain", "cam2", "focus", None, true, 20, 21, 9, 3, "alt-cam1", nullptr},
    {"targetSlotZeroWithoutComplex", nullptr, "cam1", "gain", "cam2", "zero", None, true, 20, 21, 0, 3, "alt-cam1", nullptr},
    {"nameDoublingAsAltOutput", nullptr, "cam1", "gain", "cam2", "focus", AltIsName, true, 20, 21, 9, 3, "alt-cam1", nullptr},
    // Without a redirection. "Camera" finds the lower-case key; instance
    // and parameter names match exactly.
    {"typeFoldedToLowerCase", nullptr, "cam1", "zoom", "", "", None, true, 10, 11, 7, 2, "alt-cam1", nullptr},
    {"deviceTypeAbsent", nullptr, "cam3", "focus", "", "", None, false, 30, 31, 0, kX, "alt-cam3", nullptr},
    {"paramCaseDiffers", nullptr, "plain", "Zoom", "", "", None, false, 40, 41, 0, 2, "alt-plain", nullptr},
    {"slotZeroWithoutComplex", nullptr, "plain", "gain", "", "", None, true, 40, 41, 0, 2, "alt-plain", nullptr},
    {"instanceAbsent", nullptr, "Cam1", "gain", "", "", None, false, 0, 0, kU, kX, nullptr,
        "vrex_instance_lookup::lookup: can't find instance\nCam1"},
    {"emptyParam", nullptr, "cam1", "", "", "", None, true, 10, 11, kU, kX, "alt-cam1", nullptr},
    {"nullParam", nullptr, "cam1", nullptr, "", "", None, true, 10, 11, kU, kX, "alt-cam1", nullptr},
    // Missing outputs: reported before anything is written; without a slot
    // output the driver type is not looked at either.
    {"noDevice", nullptr, "plain", "zoom", "", "", NoDevice | NoOffset, false, kU, kU, kU, kX, nullptr,
        "vrex_instance_lookup::lookup: no device return value"},
    {"noOffset", nullptr, "plain", "zoom", "", "", NoOffset, false, kU, kU, kU, kX, nullptr,
        "vrex_instance_lookup::lookup: no offset return value"},
    {"noSlot", nullptr, "plain", "zoom", "", "", NoSlot, true, 40, 41, kU, kX, "alt-plain", nullptr},
    // lookupComplex: the first target's alternative id; nothing touched and
    // nothing said when the complex type has no such redirection.
    {"complexTwoHops", "rig", "virtual", "level", "plain", "zoom", None, true, 40, 41, 7, 2, "alt-cam1", nullptr},
    {"complexNoRedirection", "rig", "virtual", "absent", "", "", NoDevice, false, kU, kU, kU, kX, nullptr, nullptr},
    {"complexTargetAbsent", "rig", "virtual", "ghost", "", "", None, false, 0, 0, kU, kX, nullptr,
        "vrex_instance_lookup::lookup: can't find instance\nnobody"},
};

// Each row starts from the fixture with rig's redirection of cam1.gain set
// as the row says.
TEST_F(ParameterLookupTest, WritesTheOutputsItReaches)
{
    for (const LookupCase &c : kLookups) {
        SCOPED_TRACE(c.label);
        addRedirection(QStringLiteral("rig"), QStringLiteral("cam1"), QStringLiteral("gain"),
                       QString::fromUtf8(c.target), QString::fromUtf8(c.targetParam));
        sink.debugOutput.clear();
        const QString instance = QString::fromUtf8(c.instance), param = QString::fromUtf8(c.param);
        QString alt = c.nulls & AltIsName ? instance : kCallerAlt;
        const QString &name = c.nulls & AltIsName ? alt : instance;
        int device = kU, offset = kU, slot = kU;
        char driver = kX;
        int *d = c.nulls & NoDevice ? nullptr : &device, *o = c.nulls & NoOffset ? nullptr : &offset;
        int *s = c.nulls & NoSlot ? nullptr : &slot;
        EXPECT_EQ(c.complex ? lookupComplex(catalogue, &sink, QString::fromUtf8(c.complex), name, param, alt, d, o, s, &driver)
                            : lookupParameter(catalogue, &sink, name, param, alt, d, o, s, &driver),
                  c.result);
        EXPECT_EQ(device, c.device);
        EXPECT_EQ(offset, c.offset);
        EXPECT_EQ(slot, c.slot);
        EXPECT_EQ(driver, c.driver);
        EXPECT_EQ(alt, c.alt ? QString::fromUtf8(c.alt) : kCallerAlt);
        EXPECT_EQ(sink.debugOutput, c.line ? QStringList{QString::fromUtf8(c.line)} : QStringList{});
    }
}

// Instances i0 .. i<count-1>, all of a type whose "p" sits at slot 0, each
// redirecting its "p" to the next one; the last one redirects to i<loopTo>,
// or, with loopTo < 0, is of a type where "p" has slot 5.
struct ChainCase
{
    const char *label;
    int count;
    int loopTo;
    bool viaComplex; // entered through lookupComplex of member "entry"
};

void PrintTo(const ChainCase &c, std::ostream *os) { *os << c.label; }

class RedirectionChainTest : public ParameterLookupTest, public ::testing::WithParamInterface<ChainCase> { };

TEST_P(RedirectionChainTest, EndsAtTheLastInstanceOrWithOneLineAtTheRepeatedPair)
{
    const ChainCase c = GetParam();
    addDeviceType(QStringLiteral("relay"), 1, {{QStringLiteral("p"), 0}});
    addDeviceType(QStringLiteral("end"), 3, {{QStringLiteral("p"), 5}});
    const QString p = QStringLiteral("p"), chain = QStringLiteral("chain");
    for (int i = 0; i < c.count; ++i) {
        const QString name = QStringLiteral("i%1").arg(i);
        const bool last = i == c.count - 1;
        addInstance(name, 100 + i, last && c.loopTo < 0 ? QStringLiteral("end") : QStringLiteral("relay"), chain);
        const int next = last ? c.loopTo : i + 1;
        if (next >= 0)
            addRedirection(chain, name, p, QStringLiteral("i%1").arg(next), p);
    }
    addRedirection(chain, QStringLiteral("entry"), p, QStringLiteral("i0"), p);

    QString alt;
    int device = kU, offset = kU, slot = kU;
    char driver = kX;
    const bool found = c.viaComplex
            ? lookupComplex(catalogue, &sink, chain, QStringLiteral("entry"), p, alt, &device, &offset, &slot, &driver)
            : lookupParameter(catalogue, &sink, QStringLiteral("i0"), p, alt, &device, &offset, &slot, &driver);
    const bool cycle = c.loopTo >= 0;
    EXPECT_EQ(found, !cycle);
    EXPECT_EQ(sink.debugOutput,
              cycle ? QStringList{QStringLiteral("vrex_instance_lookup::lookup: redirection cycle at i%1.p").arg(c.loopTo)}
                    : QStringList{});
    // As the last instance before the repetition left them.
    EXPECT_EQ(device, 100 + c.count - 1);
    EXPECT_EQ(offset, 100 + c.count);
    EXPECT_EQ(slot, cycle ? 0 : 5);
    EXPECT_EQ(driver, cycle ? 1 : 3);
    EXPECT_EQ(alt, QStringLiteral("alt-i0"));
}

INSTANTIATE_TEST_SUITE_P(Shapes, RedirectionChainTest, ::testing::Values(
    ChainCase{"longAcyclicChain", 100001, -1, false},
    ChainCase{"selfRedirection", 1, 0, false},
    ChainCase{"twoInstanceLoop", 2, 0, false},
    ChainCase{"loopBehindATail", 5, 2, false},
    ChainCase{"longLoop", 12, 0, false},
    ChainCase{"loopFarDownTheChain", 12, 9, false},
    ChainCase{"loopReachedThroughLookupComplex", 3, 1, true}),
    [](const ::testing::TestParamInfo<ChainCase> &info) { return info.param.label; });

} // namespace
