#include "instance_lookup/qt_printers.h"
#include "support/capture.h"
#include "support/fixture_tree.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

using Lookup = vrex_instance_lookup;

// Values the caller leaves in its outputs, to see which ones get written.
constexpr int kUnset = -7;
constexpr char kUnsetDriver = 'x';
const QString kCallerAlt = QStringLiteral("caller");

struct Outputs
{
    QString alt = kCallerAlt;
    int device = kUnset;
    int offset = kUnset;
    int slot = kUnset;
    char driver = kUnsetDriver;

    bool lookup(const QString &name, const QString &param)
    {
        return Lookup::lookup(name, param, alt, &device, &offset, &slot, &driver);
    }
};

void addInstance(const QString &name, int device, const QString &type,
                 const QString &complex = QString())
{
    instanceInfo info;
    info.device = device;
    info.offset = device + 1;
    info.type = type;
    info.complex = complex;
    info.alt_id = QStringLiteral("alt-") + name;
    Lookup::instances.insert(name, info);
}

void addDeviceType(const QString &key, int drivertype, const QMap<QString, int> &paramSlots)
{
    deviceTypeInfo info;
    info.drivertype = drivertype;
    for (auto it = paramSlots.cbegin(); it != paramSlots.cend(); ++it)
        info.params[it.key()].slot = it.value();
    Lookup::deviceTypes.insert(key, info);
}

void addRedirection(const QString &complexName, const QString &member, const QString &param,
                    const QString &device, const QString &targetParam)
{
    complexParam &redirection =
            Lookup::complexTypes[complexName].members[member].params[param];
    redirection.device = device;
    redirection.param = targetParam;
}

// cam1 (type "Camera", complex "rig") has gain and iris at slot 0; rig
// redirects cam1's gain to whatever a test case names. cam4's complex type
// does not exist and rig has no member cam5.
class ParameterLookupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clearRegistries();
        addDeviceType(QStringLiteral("camera"), 2, {{QStringLiteral("gain"), 0},
                                                    {QStringLiteral("iris"), 0},
                                                    {QStringLiteral("zoom"), 7}});
        addDeviceType(QStringLiteral("lens"), 3, {{QStringLiteral("focus"), 9},
                                                  {QStringLiteral("zero"), 0}});
        addInstance(QStringLiteral("cam1"), 10, QStringLiteral("Camera"), QStringLiteral("rig"));
        addInstance(QStringLiteral("cam2"), 20, QStringLiteral("lens"));
        addInstance(QStringLiteral("cam3"), 30, QStringLiteral("nodevice"));
        addInstance(QStringLiteral("plain"), 40, QStringLiteral("camera"));
        addInstance(QStringLiteral("cam4"), 50, QStringLiteral("camera"), QStringLiteral("nosuch"));
        addInstance(QStringLiteral("cam5"), 60, QStringLiteral("camera"), QStringLiteral("rig"));
    }
};

struct LookupCase
{
    const char *label;
    const char *instance;
    const char *param;        // nullptr: a null string
    const char *target;       // rig's redirection of cam1.gain
    const char *targetParam;
    bool result;
    int device;               // offset is device + 1, or 0 with device 0
    int slot;
    char driver;
    const char *alt;          // nullptr: the caller's value stays
    const char *line;         // debug-output line, or nullptr
};

void PrintTo(const LookupCase &c, std::ostream *os) { *os << c.label; }

class LookupOutcomeTest : public ParameterLookupTest,
                          public ::testing::WithParamInterface<LookupCase>
{
};

TEST_P(LookupOutcomeTest, WritesTheOutputsItReaches)
{
    const LookupCase c = GetParam();
    addRedirection(QStringLiteral("rig"), QStringLiteral("cam1"), QStringLiteral("gain"),
                   QString::fromUtf8(c.target), QString::fromUtf8(c.targetParam));

    DebugOutputCapture debug;
    Outputs out;
    EXPECT_EQ(out.lookup(QString::fromUtf8(c.instance), QString::fromUtf8(c.param)), c.result);
    EXPECT_EQ(out.device, c.device);
    EXPECT_EQ(out.offset, c.device ? c.device + 1 : 0);
    EXPECT_EQ(out.slot, c.slot);
    EXPECT_EQ(out.driver, c.driver);
    EXPECT_EQ(out.alt, c.alt ? QString::fromUtf8(c.alt) : kCallerAlt);
    EXPECT_EQ(debug.messages(), c.line ? QStringList{QString::fromUtf8(c.line)} : QStringList{});
}

constexpr char kX = kUnsetDriver;

INSTANTIATE_TEST_SUITE_P(
        Outcomes, LookupOutcomeTest,
        ::testing::Values(
                // After one redirection of cam1.gain.
                LookupCase{"complexTypeAbsent", "cam4", "gain", "cam2", "focus", false, 50, 0, 2, "alt-cam4", nullptr},
                LookupCase{"memberAbsent", "cam5", "gain", "cam2", "focus", false, 60, 0, 2, "alt-cam5", nullptr},
                LookupCase{"redirectionAbsent", "cam1", "iris", "cam2", "focus", false, 10, 0, 2, "alt-cam1", nullptr},
                LookupCase{"targetAbsent", "cam1", "gain", "ghost", "focus", false, 0, 0, 2, "alt-cam1",
                           "vrex_instance_lookup::lookup: can't find instance\nghost"},
                LookupCase{"targetParamEmpty", "cam1", "gain", "cam2", "", true, 20, 0, 2, "alt-cam1", nullptr},
                LookupCase{"targetDeviceTypeAbsent", "cam1", "gain", "cam3", "focus", false, 30, 0, 2, "alt-cam1", nullptr},
                LookupCase{"targetParamAbsent", "cam1", "gain", "cam2", "iris", false, 20, 0, 3, "alt-cam1", nullptr},
                LookupCase{"targetSlotFound", "cam1", "gain", "cam2", "focus", true, 20, 9, 3, "alt-cam1", nullptr},
                LookupCase{"targetSlotZeroWithoutComplex", "cam1", "gain", "cam2", "zero", true, 20, 0, 3, "alt-cam1", nullptr},
                // Without a redirection. "Camera" finds the lower-case key;
                // instance and parameter names match exactly.
                LookupCase{"typeFoldedToLowerCase", "cam1", "zoom", "", "", true, 10, 7, 2, "alt-cam1", nullptr},
                LookupCase{"deviceTypeAbsent", "cam3", "focus", "", "", false, 30, 0, kX, "alt-cam3", nullptr},
                LookupCase{"paramCaseDiffers", "plain", "Zoom", "", "", false, 40, 0, 2, "alt-plain", nullptr},
                LookupCase{"slotZeroWithoutComplex", "plain", "gain", "", "", true, 40, 0, 2, "alt-plain", nullptr},
                LookupCase{"instanceAbsent", "Cam1", "gain", "", "", false, 0, kUnset, kX, nullptr,
                           "vrex_instance_lookup::lookup: can't find instance\nCam1"},
                LookupCase{"emptyParam", "cam1", "", "", "", true, 10, kUnset, kX, "alt-cam1", nullptr},
                LookupCase{"nullParam", "cam1", nullptr, "", "", true, 10, kUnset, kX, "alt-cam1", nullptr}),
        [](const ::testing::TestParamInfo<LookupCase> &info) { return info.param.label; });

TEST_F(ParameterLookupTest, MissingOutputsAreReportedBeforeAnythingIsWritten)
{
    DebugOutputCapture debug;
    Outputs out;
    const QString zoom = QStringLiteral("zoom");
    EXPECT_FALSE(Lookup::lookup(QStringLiteral("plain"), zoom, out.alt, nullptr, nullptr,
                                &out.slot, &out.driver));
    EXPECT_FALSE(Lookup::lookup(QStringLiteral("plain"), zoom, out.alt, &out.device, nullptr,
                                &out.slot, &out.driver));
    EXPECT_EQ(debug.messages(),
              (QStringList{QStringLiteral("vrex_instance_lookup::lookup: no device return value"),
                           QStringLiteral("vrex_instance_lookup::lookup: no offset return value")}));
    EXPECT_EQ(out.device, kUnset);
    EXPECT_EQ(out.slot, kUnset);
    EXPECT_EQ(out.driver, kUnsetDriver);
    EXPECT_EQ(out.alt, kCallerAlt);

    // Without a slot output the driver type is not looked at either.
    EXPECT_TRUE(Lookup::lookup(QStringLiteral("plain"), zoom, out.alt, &out.device, &out.offset,
                               nullptr, &out.driver));
    EXPECT_EQ(out.device, 40);
    EXPECT_EQ(out.driver, kUnsetDriver);
}

TEST_F(ParameterLookupTest, NameDoublingAsAltIdOutputStillFollowsTheRedirection)
{
    addRedirection(QStringLiteral("rig"), QStringLiteral("cam1"), QStringLiteral("gain"),
                   QStringLiteral("cam2"), QStringLiteral("focus"));
    QString name = QStringLiteral("cam1");
    int device = kUnset, offset = kUnset, slot = kUnset;
    EXPECT_TRUE(Lookup::lookup(name, QStringLiteral("gain"), name, &device, &offset, &slot,
                               nullptr));
    EXPECT_EQ(name, QStringLiteral("alt-cam1"));
    EXPECT_EQ(device, 20);
    EXPECT_EQ(slot, 9);
}

TEST_F(ParameterLookupTest, DriverTypeIsTheLowByteAsANumber)
{
    Lookup::deviceTypes[QStringLiteral("camera")].drivertype = 0x103;
    Outputs out;
    EXPECT_TRUE(out.lookup(QStringLiteral("plain"), QStringLiteral("zoom")));
    EXPECT_EQ(out.driver, 3);
}

TEST_F(ParameterLookupTest, LookupComplexGivesTheFirstTargetsAltId)
{
    addRedirection(QStringLiteral("rig"), QStringLiteral("cam1"), QStringLiteral("gain"),
                   QStringLiteral("plain"), QStringLiteral("zoom"));
    addRedirection(QStringLiteral("rig"), QStringLiteral("virtual"), QStringLiteral("level"),
                   QStringLiteral("cam1"), QStringLiteral("gain"));
    addRedirection(QStringLiteral("rig"), QStringLiteral("virtual"), QStringLiteral("ghost"),
                   QStringLiteral("nobody"), QStringLiteral("gain"));

    Outputs out;
    EXPECT_TRUE(Lookup::lookupComplex(QStringLiteral("rig"), QStringLiteral("virtual"),
                                      QStringLiteral("level"), out.alt, &out.device, &out.offset,
                                      &out.slot, &out.driver));
    EXPECT_EQ(out.alt, QStringLiteral("alt-cam1"));
    EXPECT_EQ(out.device, 40);
    EXPECT_EQ(out.slot, 7);

    // Nothing found in the complex type: no output is touched, no line.
    DebugOutputCapture debug;
    Outputs untouched;
    EXPECT_FALSE(Lookup::lookupComplex(QStringLiteral("rig"), QStringLiteral("virtual"),
                                       QStringLiteral("absent"), untouched.alt, nullptr,
                                       &untouched.offset, &untouched.slot, &untouched.driver));
    EXPECT_EQ(untouched.offset, kUnset);
    EXPECT_EQ(untouched.alt, kCallerAlt);
    EXPECT_TRUE(debug.messages().isEmpty());

    // A target that is missing is reported like any absent instance.
    EXPECT_FALSE(Lookup::lookupComplex(QStringLiteral("rig"), QStringLiteral("virtual"),
                                       QStringLiteral("ghost"), untouched.alt, &untouched.device,
                                       &untouched.offset, &untouched.slot, &untouched.driver));
    EXPECT_EQ(debug.messages(),
              QStringList{QStringLiteral("vrex_instance_lookup::lookup: can't find instance\nnobody")});
    EXPECT_EQ(untouched.alt, kCallerAlt);
}

// --- long chains and cycles

// Instances i0 .. i<count-1>, all of a type whose "p" sits at slot 0, each
// redirecting its "p" to the next one; the last one redirects to i<loopTo>,
// or, with loopTo < 0, is of a type where "p" has slot 5.
void buildChain(int count, int loopTo)
{
    addDeviceType(QStringLiteral("relay"), 1, {{QStringLiteral("p"), 0}});
    addDeviceType(QStringLiteral("end"), 3, {{QStringLiteral("p"), 5}});
    const QString p = QStringLiteral("p");
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("i%1").arg(i);
        const bool last = i == count - 1;
        addInstance(name, 100 + i, last && loopTo < 0 ? QStringLiteral("end") : QStringLiteral("relay"),
                    QStringLiteral("chain"));
        const int next = last ? loopTo : i + 1;
        if (next >= 0)
            addRedirection(QStringLiteral("chain"), name, p, QStringLiteral("i%1").arg(next), p);
    }
}

TEST_F(ParameterLookupTest, LongAcyclicChainResolves)
{
    constexpr int steps = 100000;
    buildChain(steps + 1, -1);

    DebugOutputCapture debug;
    Outputs out;
    EXPECT_TRUE(out.lookup(QStringLiteral("i0"), QStringLiteral("p")));
    EXPECT_EQ(out.device, 100 + steps);
    EXPECT_EQ(out.slot, 5);
    EXPECT_EQ(out.driver, 3);
    EXPECT_EQ(out.alt, QStringLiteral("alt-i0"));
    EXPECT_TRUE(debug.messages().isEmpty());
}

struct CycleCase
{
    const char *label;
    int count;  // instances in the chain
    int loopTo; // where the last one leads back to
};

void PrintTo(const CycleCase &c, std::ostream *os) { *os << c.label; }

class RedirectionCycleTest : public ParameterLookupTest,
                             public ::testing::WithParamInterface<CycleCase>
{
};

TEST_P(RedirectionCycleTest, StopsWithOneLineAtThePairSeenBefore)
{
    const CycleCase c = GetParam();
    buildChain(c.count, c.loopTo);

    DebugOutputCapture debug;
    Outputs out;
    EXPECT_FALSE(out.lookup(QStringLiteral("i0"), QStringLiteral("p")));
    EXPECT_EQ(debug.messages(),
              QStringList{QStringLiteral("vrex_instance_lookup::lookup: redirection cycle at i%1.p")
                                  .arg(c.loopTo)});
    // As the last instance before the repetition left them.
    EXPECT_EQ(out.device, 100 + c.count - 1);
    EXPECT_EQ(out.offset, 100 + c.count);
    EXPECT_EQ(out.slot, 0);
    EXPECT_EQ(out.driver, 1);
    EXPECT_EQ(out.alt, QStringLiteral("alt-i0"));
}

INSTANTIATE_TEST_SUITE_P(
        Shapes, RedirectionCycleTest,
        ::testing::Values(CycleCase{"selfRedirection", 1, 0},
                          CycleCase{"twoInstanceLoop", 2, 0},
                          CycleCase{"loopBehindATail", 5, 2},
                          CycleCase{"longLoop", 12, 0},
                          CycleCase{"loopFarDownTheChain", 12, 9}),
        [](const ::testing::TestParamInfo<CycleCase> &info) { return info.param.label; });

TEST_F(ParameterLookupTest, CycleReachedThroughLookupComplex)
{
    buildChain(3, 1);
    addRedirection(QStringLiteral("chain"), QStringLiteral("entry"), QStringLiteral("p"),
                   QStringLiteral("i0"), QStringLiteral("p"));

    DebugOutputCapture debug;
    Outputs out;
    EXPECT_FALSE(Lookup::lookupComplex(QStringLiteral("chain"), QStringLiteral("entry"),
                                       QStringLiteral("p"), out.alt, &out.device, &out.offset,
                                       &out.slot, &out.driver));
    EXPECT_EQ(debug.messages(),
              QStringList{QStringLiteral("vrex_instance_lookup::lookup: redirection cycle at i1.p")});
    EXPECT_EQ(out.device, 102);
    EXPECT_EQ(out.alt, QStringLiteral("alt-i0"));
}

} // namespace
