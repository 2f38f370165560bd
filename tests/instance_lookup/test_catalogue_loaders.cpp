#include "instance_lookup/catalogue_loaders.h"
#include "qt_printers.h"
#include "support/fixture_tree.h"
#include "xml/format_observer.h"

#include <QtCore/QFileInfo>

#include <gtest/gtest.h>

#include <new>
#include <vector>

using namespace vrextest;

namespace {

const QString kInstancesFile = QStringLiteral("instances.xml");
const vrex::FileSource kFileSystem;

// Runs out of memory where a file holds the text "oom", as a load may
// anywhere in a large file.
class OutOfMemoryAt final : public vrex::FormatObserver
{
    void element(vrex::RecordRole, const vrex::xml::Element &) override { }
    void attribute(vrex::RecordRole, const vrex::xml::Element &, const char *, const char *value, bool) override
    {
        if (QByteArrayView(value) == "oom")
            throw std::bad_alloc();
    }
};

// Hostile file-system states (a directory in the file's place, a sparse
// terabyte, ...) are rows of the hostile tests; a missing file is the common
// one. An exception while reading is the file being unreadable.
TEST(InstancesLoader, RejectedFileIsReportedOnDebugOutputAndKeepsTheRegistry)
{
    struct Row { const char *contents, *message, *reason; }; // reason: on Qt's channel
    for (const Row &row : {Row{nullptr, "Could not find the instances", nullptr},
                           Row{"<instances><i id='new'/></instances><i id='late'/>", "Error in instances file", nullptr},
                           Row{"<Instances><i id='new'/></Instances>", "The instances file is not valid", nullptr},
                           Row{"<Instances><i id='new'/></Instances><", "Error in instances file", nullptr},
                           Row{"<instances><i id='new'/><i id='oom'/></instances>", "Could not find the instances",
                               "out of memory while reading it"}}) {
        SCOPED_TRACE(row.contents ? row.contents : "no file");
        FixtureTree tree;
        if (row.contents)
            tree.write(kInstancesFile, row.contents);
        vrex::InstanceRegistry instances;
        instances[QStringLiteral("old")].device = 99;
        RecordingSink sink;
        OutOfMemoryAt observer;
        vrex::LoadContext context = loadContext(tree, &sink, kFileSystem);
        context.options.observer = &observer;
        vrex::loadInstances(instances, context);
        EXPECT_EQ(sink.debugOutput, QStringList{QStringLiteral("vrex_instance_lookup: ") + QString::fromUtf8(row.message)});
        EXPECT_EQ(sink.qtMessages, row.reason ? QStringList{QStringLiteral("vrex_stylesheet: ") + tree.path(kInstancesFile)
                                                            + QStringLiteral(": ") + QString::fromUtf8(row.reason)}
                                              : QStringList());
        EXPECT_EQ(instances.keys(), QStringList{QStringLiteral("old")});
        EXPECT_EQ(instances.value(QStringLiteral("old")).device, 99);
    }
}

TEST(InstancesLoader, ReloadMergesReplacingWholeRecords)
{
    FixtureTree tree;
    tree.write(kInstancesFile, "<instances><i id='a' ref='device=1'/>"
                               "<i id='b' composite='yes' ref='device=2,complex=pair'><group id='g' instance='a'/></i>"
                               "<i id='b' composite='yes' ref='device=3'><group id='h' instance='a'/></i></instances>");
    vrex::InstanceRegistry instances;
    RecordingSink sink;
    const auto load = [&] { vrex::loadInstances(instances, loadContext(tree, &sink, kFileSystem)); };
    load();
    const instanceInfo b = instances.value(QStringLiteral("b"));
    EXPECT_EQ(b.device, 3); // the last element of a name wins within a file
    EXPECT_TRUE(b.complex.isEmpty());
    EXPECT_EQ(b.groups.keys(), QStringList{QStringLiteral("h")});

    const vrex::InstanceRegistry earlier = instances;
    tree.write(kInstancesFile, "<instances><i id='b' type='t'/><i id='c'/></instances>");
    load();
    EXPECT_TRUE(sink.debugOutput.isEmpty());
    EXPECT_EQ(instances.keys(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    const instanceInfo reloaded = instances.value(QStringLiteral("b"));
    EXPECT_EQ(reloaded.device, 0);
    EXPECT_FALSE(reloaded.composite);
    EXPECT_TRUE(reloaded.groups.isEmpty());
    EXPECT_EQ(earlier.value(QStringLiteral("b")).device, 3); // a host's copy is unaffected
}

TEST(DeviceTypesLoader, RegistersEveryListedEntryUnderItsLowerCasedName)
{
    FixtureTree tree;
    tree.write(QStringLiteral("devicetypes/Vid_Router.XML"),
               "<device_description drivertype='r' slotspacing='8'><p name='in' slot='2'/></device_description>");
    tree.write(QStringLiteral("devicetypes/bad.xml"), // malformed only after its root element
               "<device_description drivertype='g'><p name='a'/></device_description><p/>");
    tree.write(QStringLiteral("devicetypes/50%d.xml"), "<devicetype/>");
    // An earlier entry is replaced as a whole, not merged.
    deviceTypeInfo stale;
    stale.params[QStringLiteral("stale")].slot = 1;
    vrex::DeviceTypeRegistry types{{QStringLiteral("vid_router"), stale}, {QStringLiteral("gone"), stale}};

    RecordingSink sink;
    vrex::loadDeviceTypes(types, loadContext(tree, &sink, kFileSystem));
    EXPECT_TRUE(sink.debugOutput.isEmpty());
    EXPECT_EQ(sink.qtMessages, (QStringList{QStringLiteral("vrex_instance_lookup: The device_description file is not valid - 50%d"),
                                            QStringLiteral("vrex_instance_lookup: Error in device type file - bad")}));
    EXPECT_EQ(types.keys(),
              (QStringList{QStringLiteral("50%d"), QStringLiteral("bad"), QStringLiteral("gone"), QStringLiteral("vid_router")}));
    const deviceTypeInfo router = types.value(QStringLiteral("vid_router"));
    EXPECT_EQ(router.drivertype, 3);
    EXPECT_EQ(router.slotspacing, 8);
    EXPECT_EQ(router.params.keys(), QStringList{QStringLiteral("in")});
    for (const char *rejected : {"50%d", "bad"}) {
        const deviceTypeInfo info = types.value(QString::fromUtf8(rejected), stale);
        EXPECT_EQ(info.drivertype + info.slotspacing + info.params.size(), 0) << rejected;
    }
}

TEST(DeviceTypesLoader, OneTypeLeavesRecordOnFailureAndMergesOnSuccess)
{
    FixtureTree tree;
    tree.write(QStringLiteral("devicetypes/ROUTER.xml"),
               "<device_description drivertype='g'><p name='gain' slot='5'/></device_description>");
    tree.write(QStringLiteral("devicetypes/wrong.xml"), "<device/>");
    deviceTypeInfo info;
    info.drivertype = 7;
    info.params[QStringLiteral("gain")].slot = 1;
    info.params[QStringLiteral("mute")].slot = 2;

    RecordingSink sink;
    const vrex::LoadContext context = loadContext(tree, &sink, kFileSystem);
    const auto load = [&](const QString &name) { vrex::loadDeviceType(name, vrex::deviceTypePath(name, context), info, context); };
    for (const char *name : {"missing", "wrong"}) {
        load(QString::fromUtf8(name));
        EXPECT_EQ(info.drivertype, 7);
        EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 1);
    }
    EXPECT_EQ(sink.qtMessages.size(), 2);
    sink.qtMessages.clear();
    load(QStringLiteral("Router"));
    EXPECT_TRUE(sink.qtMessages.isEmpty());
    EXPECT_EQ(info.drivertype, 2);
    EXPECT_EQ(info.params.value(QStringLiteral("gain")).slot, 5);
    EXPECT_EQ(info.params.value(QStringLiteral("mute")).slot, 2);
}

// Where cam.gain is ("device offset slot driver"), the device types, and the
// files that failed.
QString answer(const vrex::Installation &installation)
{
    QString alt;
    int device = -1, offset = -1, slot = -1;
    char driver = -1;
    installation.lookup(QStringLiteral("cam"), QStringLiteral("gain"), alt, &device, &offset, &slot, &driver);
    QStringList failed;
    for (const vrex::LoadProblem &problem : installation.problems())
        failed << QFileInfo(problem.path).fileName();
    return QStringLiteral("%1 %2 %3 %4 ").arg(device).arg(offset).arg(slot).arg(int(driver))
            + installation.deviceTypes().keys().join(QLatin1Char(',')) + QLatin1Char(' ') + failed.join(QLatin1Char(','));
}

// Installations side by side in one process, each answering from its own
// files: a load leaves the others as they were. Texts set in a FileSource
// take the place of files on disk and join the directory listings.
TEST(Installations, EachAnswersFromItsOwnFiles)
{
    FixtureTree first, second(QStringLiteral("other"));
    first.write(kInstancesFile, "<instances><i id='cam' type='Router' ref='device=1,offset=2'/></instances>");
    first.write(QStringLiteral("devicetypes/Router.xml"), "<device_description drivertype='r'><p name='gain' slot='3'/></device_description>");
    first.write(QStringLiteral("complex_instances/bad.xml"), "<bad>");
    second.write(kInstancesFile, "<instances><i id='cam' type='router' ref='device=7,offset=8'/></instances>");
    second.write(QStringLiteral("devicetypes/router.xml"), "<device_description drivertype='g'><p name='gain' slot='5'/></device_description>");
    vrex::FileSource overlay;
    overlay.setText(first.path(kInstancesFile), "<instances><i id='cam' type='Lens' ref='device=9'/></instances>");
    overlay.setText(first.path(QStringLiteral("devicetypes/Lens.xml")),
                    "<device_description drivertype='s'><p name='gain' slot='6'/></device_description>");
    vrex::Installation a = first.installation(), b = second.installation(), c(first.root(), first.system(), overlay);
    struct Row { const char *label; const vrex::Installation &installation; const char *expected; };
    // Neither has a stylesheet.
    const Row rows[] = {{"first", a, "1 2 3 3 router vrex_style.xml,bad.xml"}, {"second", b, "7 8 5 2 router vrex_style.xml"},
                        {"first overlaid", c, "9 0 6 1 lens,router vrex_style.xml,bad.xml"}};
    // All three loaded, then the first once more.
    for (const auto &loads : {std::vector{&a, &b, &c}, std::vector{&a}}) {
        for (vrex::Installation *installation : loads)
            installation->load();
        for (const Row &row : rows)
            EXPECT_EQ(answer(row.installation), QString::fromUtf8(row.expected)) << row.label;
    }
}

} // namespace
