#include "qt_printers.h"
#include "support/capture.h"
#include "support/fixture_tree.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

const QString kInstancesFile = QStringLiteral("instances.xml");

instanceInfo sentinelInstance()
{
    instanceInfo info;
    info.device = 99;
    info.type = QStringLiteral("kept");
    return info;
}

// --- instances

enum class InstancesFault { Missing, Directory, Malformed, WrongRoot, WrongRootThenMalformed };

struct InstancesFaultCase
{
    InstancesFault fault;
    const char *message;
};

void PrintTo(const InstancesFaultCase &c, std::ostream *os)
{
    static const char *const names[] = {"missing", "directory", "malformed", "wrong root",
                                        "wrong root, then malformed"};
    *os << names[int(c.fault)];
}

class InstancesLoadFailure : public ::testing::TestWithParam<InstancesFaultCase> { };

TEST_P(InstancesLoadFailure, ReportsOnDebugOutputAndKeepsRegistry)
{
    clearRegistries();
    FixtureTree tree;
    switch (GetParam().fault) {
    case InstancesFault::Missing: break;
    case InstancesFault::Directory: tree.makeDirectory(kInstancesFile); break;
    case InstancesFault::Malformed:
        tree.write(kInstancesFile, "<instances><i id='new'/></instances><i id='late'/>");
        break;
    case InstancesFault::WrongRoot: tree.write(kInstancesFile, "<Instances><i id='new'/></Instances>"); break;
    case InstancesFault::WrongRootThenMalformed:
        tree.write(kInstancesFile, "<Instances><i id='new'/></Instances><");
        break;
    }
    vrex_instance_lookup::instances.insert(QStringLiteral("old"), sentinelInstance());

    DebugOutputCapture debug;
    QtMessageCapture qt;
    EXPECT_FALSE(vrex_instance_lookup::loadInstances());
    EXPECT_EQ(debug.messages(), QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_TRUE(qt.messages().isEmpty());
    ASSERT_EQ(vrex_instance_lookup::countInstances(), 1);
    EXPECT_EQ(vrex_instance_lookup::instances.value(QStringLiteral("old")).device, 99);
}

INSTANTIATE_TEST_SUITE_P(Faults, InstancesLoadFailure, ::testing::Values(
    InstancesFaultCase{InstancesFault::Missing, "vrex_instance_lookup: Could not find the instances"},
    InstancesFaultCase{InstancesFault::Directory, "vrex_instance_lookup: Could not find the instances"},
    InstancesFaultCase{InstancesFault::Malformed, "vrex_instance_lookup: Error in instances file"},
    InstancesFaultCase{InstancesFault::WrongRoot, "vrex_instance_lookup: The instances file is not valid"},
    InstancesFaultCase{InstancesFault::WrongRootThenMalformed, "vrex_instance_lookup: Error in instances file"}));

TEST(InstancesLoader, ReloadMergesReplacingWholeRecords)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(kInstancesFile,
               "<instances>"
               "<i id='a' ref='device=1'/>"
               "<i id='b' composite='yes' ref='device=2,complex=pair'><group id='g' instance='a'/></i>"
               "<i id='b' composite='yes' ref='device=3'><group id='h' instance='a'/></i>"
               "</instances>");
    DebugOutputCapture debug;
    EXPECT_FALSE(vrex_instance_lookup::loadInstances());
    ASSERT_EQ(vrex_instance_lookup::countInstances(), 2);
    const instanceInfo b = vrex_instance_lookup::instances.value(QStringLiteral("b"));
    EXPECT_EQ(b.device, 3); // last element of a name wins within a file
    EXPECT_TRUE(b.complex.isEmpty());
    EXPECT_EQ(b.groups.keys(), QStringList{QStringLiteral("h")});

    const QMap<QString, instanceInfo> earlier = vrex_instance_lookup::instances;
    tree.write(kInstancesFile, "<instances><i id='b' type='t'/><i id='c'/></instances>");
    EXPECT_FALSE(vrex_instance_lookup::loadInstances());
    EXPECT_TRUE(debug.messages().isEmpty());
    EXPECT_EQ(vrex_instance_lookup::instances.keys(),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    const instanceInfo reloaded = vrex_instance_lookup::instances.value(QStringLiteral("b"));
    EXPECT_EQ(reloaded.device, 0);
    EXPECT_FALSE(reloaded.composite);
    EXPECT_TRUE(reloaded.groups.isEmpty());
    EXPECT_EQ(earlier.value(QStringLiteral("b")).device, 3); // a host's copy is unaffected
}

TEST(InstancesLoader, DumpPrintsOneFormattedLinePerEntryInKeyOrder)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(kInstancesFile,
               "<instances>"
               "<i id='b' type='Cam' ref='device=12,offset=-3'/>"
               "<i id='a%d' ref='device=1'/>"
               "<i id='\xC3\xA9' type='t'/>"
               "</instances>");
    vrex_instance_lookup::loadInstances();
    QtMessageCapture qt;
    vrex_instance_lookup::dump();
    EXPECT_EQ(qt.messages(), (QStringList{QStringLiteral("a%d  1 0"), QStringLiteral("b Cam 12 -3"),
                                          QString::fromUtf8("\xC3\xA9 t 0 0")}));
}

// --- device types

TEST(DeviceTypesLoader, RegistersEveryListedEntryUnderItsLowerCasedName)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(QStringLiteral("devicetypes/Vid_Router.XML"),
               "<device_description drivertype='r' slotspacing='8'><p name='in' slot='2'/></device_description>");
    // Malformed only after its root element.
    tree.write(QStringLiteral("devicetypes/bad.xml"),
               "<device_description drivertype='g'><p name='a'/></device_description><p/>");
    tree.write(QStringLiteral("devicetypes/50%d.xml"), "<devicetype/>");
    tree.write(QStringLiteral("devicetypes/notes.txt"), "ignored");
    tree.makeDirectory(QStringLiteral("devicetypes/dir.xml"));

    // A host's earlier entry is replaced as a whole, not merged.
    deviceTypeInfo stale;
    stale.params[QStringLiteral("stale")].slot = 1;
    vrex_instance_lookup::deviceTypes.insert(QStringLiteral("vid_router"), stale);
    vrex_instance_lookup::deviceTypes.insert(QStringLiteral("gone"), stale);

    DebugOutputCapture debug;
    QtMessageCapture qt;
    EXPECT_FALSE(vrex_instance_lookup::loadDeviceTypes());
    EXPECT_TRUE(debug.messages().isEmpty());
    EXPECT_EQ(qt.messages(),
              (QStringList{
                  QStringLiteral("vrex_instance_lookup: The device_description file is not valid - 50%d"),
                  QStringLiteral("vrex_instance_lookup: Error in device type file - bad"),
                  QStringLiteral("vrex_instance_lookup: Could not find the device description - dir")}));

    const QMap<QString, deviceTypeInfo> &types = vrex_instance_lookup::deviceTypes;
    EXPECT_EQ(types.keys(), (QStringList{QStringLiteral("50%d"), QStringLiteral("bad"), QStringLiteral("dir"),
                                         QStringLiteral("gone"), QStringLiteral("vid_router")}));
    const deviceTypeInfo router = types.value(QStringLiteral("vid_router"));
    EXPECT_EQ(router.drivertype, 3);
    EXPECT_EQ(router.slotspacing, 8);
    EXPECT_EQ(router.params.keys(), QStringList{QStringLiteral("in")});
    for (const char *rejected : {"50%d", "bad", "dir"}) {
        SCOPED_TRACE(rejected);
        const deviceTypeInfo info = types.value(QString::fromUtf8(rejected), stale);
        EXPECT_EQ(info.drivertype, 0);
        EXPECT_EQ(info.slotspacing, 0);
        EXPECT_TRUE(info.params.isEmpty());
    }
}

TEST(DeviceTypesLoader, LoadDeviceParamsLeavesRecordOnFailureAndMergesOnSuccess)
{
    FixtureTree tree;
    tree.write(QStringLiteral("devicetypes/ROUTER.xml"),
               "<device_description drivertype='g'><p name='gain' slot='5'/></device_description>");
    tree.write(QStringLiteral("devicetypes/wrong.xml"), "<device/>");

    deviceTypeInfo info;
    info.drivertype = 7;
    info.params[QStringLiteral("gain")].slot = 1;
    info.params[QStringLiteral("mute")].slot = 2;
    const deviceTypeInfo before = info;

    QtMessageCapture qt;
    for (const char *name : {"missing", "wrong"}) {
        EXPECT_FALSE(vrex_instance_lookup::loadDeviceParams(QString::fromUtf8(name), info));
        EXPECT_EQ(info.drivertype, before.drivertype);
        EXPECT_EQ(info.params.size(), before.params.size());
    }
    EXPECT_EQ(qt.messages().size(), 2);

    qt.clear();
    EXPECT_FALSE(vrex_instance_lookup::loadDeviceParams(QStringLiteral("Router"), info));
    EXPECT_TRUE(qt.messages().isEmpty());
    EXPECT_EQ(info.drivertype, 2);
    EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 5);
    EXPECT_EQ(info.params.value(QStringLiteral("mute")).slot, 2);
}

} // namespace
