#include "qt_printers.h"
#include "support/capture.h"
#include "support/fixture_tree.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

using L = vrex_instance_lookup;
const QString kInstancesFile = QStringLiteral("instances.xml");

// Hostile file-system states (a directory in the file's place, ...) are rows
// of the hostile tests; a missing file is the common one.
TEST(InstancesLoader, RejectedFileIsReportedOnDebugOutputAndKeepsTheRegistry)
{
    struct Row { const char *contents, *message; };
    for (const Row &row : {Row{nullptr, "Could not find the instances"},
                           Row{"<instances><i id='new'/></instances><i id='late'/>", "Error in instances file"},
                           Row{"<Instances><i id='new'/></Instances>", "The instances file is not valid"},
                           Row{"<Instances><i id='new'/></Instances><", "Error in instances file"}}) {
        SCOPED_TRACE(row.contents ? row.contents : "no file");
        clearRegistries();
        FixtureTree tree;
        if (row.contents)
            tree.write(kInstancesFile, row.contents);
        L::instances[QStringLiteral("old")].device = 99;
        DebugOutputCapture debug;
        QtMessageCapture qt;
        EXPECT_FALSE(L::loadInstances());
        EXPECT_EQ(debug.messages(), QStringList{QStringLiteral("vrex_instance_lookup: ") + QString::fromUtf8(row.message)});
        EXPECT_TRUE(qt.messages().isEmpty());
        EXPECT_EQ(L::instances.keys(), QStringList{QStringLiteral("old")});
        EXPECT_EQ(L::instances.value(QStringLiteral("old")).device, 99);
    }
}

TEST(InstancesLoader, ReloadMergesReplacingWholeRecords)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(kInstancesFile, "<instances><i id='a' ref='device=1'/>"
                               "<i id='b' composite='yes' ref='device=2,complex=pair'><group id='g' instance='a'/></i>"
                               "<i id='b' composite='yes' ref='device=3'><group id='h' instance='a'/></i></instances>");
    DebugOutputCapture debug;
    L::loadInstances();
    const instanceInfo b = L::instances.value(QStringLiteral("b"));
    EXPECT_EQ(b.device, 3); // the last element of a name wins within a file
    EXPECT_TRUE(b.complex.isEmpty());
    EXPECT_EQ(b.groups.keys(), QStringList{QStringLiteral("h")});

    const QMap<QString, instanceInfo> earlier = L::instances;
    tree.write(kInstancesFile, "<instances><i id='b' type='t'/><i id='c'/></instances>");
    L::loadInstances();
    EXPECT_TRUE(debug.messages().isEmpty());
    EXPECT_EQ(L::instances.keys(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    const instanceInfo reloaded = L::instances.value(QStringLiteral("b"));
    EXPECT_EQ(reloaded.device, 0);
    EXPECT_FALSE(reloaded.composite);
    EXPECT_TRUE(reloaded.groups.isEmpty());
    EXPECT_EQ(earlier.value(QStringLiteral("b")).device, 3); // a host's copy is unaffected

    // dump: one line per entry in key order, names never taken for formats.
    tree.write(kInstancesFile, "<instances><i id='b' type='Cam' ref='device=12,offset=-3'/><i id='a%d' ref='device=1'/>"
                               "<i id='\xC3\xA9' type='t'/></instances>");
    clearRegistries();
    L::loadInstances();
    QtMessageCapture qt;
    L::dump();
    EXPECT_EQ(qt.messages(), (QStringList{QStringLiteral("a%d  1 0"), QStringLiteral("b Cam 12 -3"),
                                          QString::fromUtf8("\xC3\xA9 t 0 0")}));
}

TEST(DeviceTypesLoader, RegistersEveryListedEntryUnderItsLowerCasedName)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(QStringLiteral("devicetypes/Vid_Router.XML"),
               "<device_description drivertype='r' slotspacing='8'><p name='in' slot='2'/></device_description>");
    tree.write(QStringLiteral("devicetypes/bad.xml"), // malformed only after its root element
               "<device_description drivertype='g'><p name='a'/></device_description><p/>");
    tree.write(QStringLiteral("devicetypes/50%d.xml"), "<devicetype/>");
    // A host's earlier entry is replaced as a whole, not merged.
    deviceTypeInfo stale;
    stale.params[QStringLiteral("stale")].slot = 1;
    L::deviceTypes.insert(QStringLiteral("vid_router"), stale);
    L::deviceTypes.insert(QStringLiteral("gone"), stale);

    DebugOutputCapture debug;
    QtMessageCapture qt;
    EXPECT_FALSE(L::loadDeviceTypes());
    EXPECT_TRUE(debug.messages().isEmpty());
    EXPECT_EQ(qt.messages(), (QStringList{QStringLiteral("vrex_instance_lookup: The device_description file is not valid - 50%d"),
                                          QStringLiteral("vrex_instance_lookup: Error in device type file - bad")}));
    EXPECT_EQ(L::deviceTypes.keys(),
              (QStringList{QStringLiteral("50%d"), QStringLiteral("bad"), QStringLiteral("gone"), QStringLiteral("vid_router")}));
    const deviceTypeInfo router = L::deviceTypes.value(QStringLiteral("vid_router"));
    EXPECT_EQ(router.drivertype, 3);
    EXPECT_EQ(router.slotspacing, 8);
    EXPECT_EQ(router.params.keys(), QStringList{QStringLiteral("in")});
    for (const char *rejected : {"50%d", "bad"}) {
        const deviceTypeInfo info = L::deviceTypes.value(QString::fromUtf8(rejected), stale);
        EXPECT_EQ(info.drivertype + info.slotspacing + info.params.size(), 0) << rejected;
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

    QtMessageCapture qt;
    for (const char *name : {"missing", "wrong"}) {
        EXPECT_FALSE(L::loadDeviceParams(QString::fromUtf8(name), info));
        EXPECT_EQ(info.drivertype, 7);
        EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 1);
    }
    EXPECT_EQ(qt.messages().size(), 2);
    qt.clear();
    EXPECT_FALSE(L::loadDeviceParams(QStringLiteral("Router"), info));
    EXPECT_TRUE(qt.messages().isEmpty());
    EXPECT_EQ(info.drivertype, 2);
    EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 5);
    EXPECT_EQ(info.params.value(QStringLiteral("mute")).slot, 2);
}

} // namespace
