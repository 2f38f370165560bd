// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/catalogue_loaders.h"
#include "qt_printers.h"
#include "support/fixture_tree.h"
#include "xml/format_observer.h"

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
        if (QByteArrayView(value) == "oom") throw std::bad_alloc();
    }
};

// Hostile file-system states (a directory in the file's place, a sparse
// terabyte, ...) are rows of the hostile tests; a missing file is the common
// one. An exception while reading is the file being unreadable. A file that
// is taken merges, each record replacing the whole of its name's entry.
TEST(InstancesLoader, RejectedFileIsReportedOnDebugOutputTakenFileIsMerged)
{
    struct Row { const char *contents, *message, *reason, *registry; }; // reason: on Qt's channel; registry: "keys: old's device"
    for (const Row &row : {Row{nullptr, "Could not find the instances", nullptr, "old: 99"},
                           Row{"<instances><i id='new'/></instances><i id='late'/>", "Error in instances file", nullptr, "old: 99"},
                           Row{"<Instances><i id='new'/></Instances>", "The instances file is not valid", nullptr, "old: 99"},
                           Row{"<Instances><i id='new'/></Instances><", "Error in instances file", nullptr, "old: 99"},
                           Row{"<instances><i id='new'/><i id='oom'/></instances>", "Could not find the instances",
                               "out of memory while reading it", "old: 99"},
                           Row{"<instances><i id='new'/><i id='old' type='t'/></instances>", nullptr, nullptr, "new,old: 0"}}) {
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
        EXPECT_EQ(sink.debugOutput, row.message ? QStringList{QStringLiteral("vrex_instance_lookup: ") + QString::fromUtf8(row.message)}
                                                : QStringList());
        EXPECT_EQ(sink.qtMessages, row.reason ? QStringList{QStringLiteral("vrex_stylesheet: ") + tree.path(kInstancesFile)
                                                            + QStringLiteral(": ") + QString::fromUtf8(row.reason)}
                                              : QStringList());
        EXPECT_EQ(instances.keys().join(QLatin1Char(',')) + QStringLiteral(": ") + QString::number(instances.value(QStringLiteral("old")).device),
                  QString::fromUtf8(row.registry));
    }
}

// Also one type on its own, into a record: found whatever its letter case,
// merged into the record when read, the record left alone when it fails.
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
    const vrex::LoadContext context = loadContext(tree, &sink, kFileSystem);
    vrex::loadDeviceTypes(types, context);
    EXPECT_TRUE(sink.debugOutput.isEmpty());
    EXPECT_EQ(sink.qtMessages, (QStringList{QStringLiteral("vrex_instance_lookup: The device_description file is not valid - 50%d"),
                                            QStringLiteral("vrex_instance_lookup: Error in device type file - bad")}));
    EXPECT_EQ(types.keys(), (QStringList{QStringLiteral("50%d"), QStringLiteral("bad"), QStringLiteral("gone"), QStringLiteral("vid_router")}));
    const deviceTypeInfo router = types.value(QStringLiteral("vid_router"));
    EXPECT_EQ(router.drivertype, 3);
    EXPECT_EQ(router.slotspacing, 8);
    EXPECT_EQ(router.params.keys(), QStringList{QStringLiteral("in")});
    for (const char *rejected : {"50%d", "bad"}) {
        const deviceTypeInfo info = types.value(QString::fromUtf8(rejected), stale);
        EXPECT_EQ(info.drivertype + info.slotspacing + info.params.size(), 0) << rejected;
    }

    deviceTypeInfo info;
    info.drivertype = 7;
    info.params[QStringLiteral("in")].slot = 1;
    info.params[QStringLiteral("mute")].slot = 2;
    const auto loadInto = [&](const char *name) {
        vrex::loadDeviceType(QString::fromUtf8(name), vrex::deviceTypePath(QString::fromUtf8(name), context), info, context);
        return QStringLiteral("%1 in=%2 mute=%3").arg(info.drivertype).arg(info.params.value(QStringLiteral("in")).slot)
                .arg(info.params.value(QStringLiteral("mute")).slot);
    };
    sink.qtMessages.clear();
    EXPECT_EQ(loadInto("missing") + QLatin1Char(' ') + loadInto("50%d"), QStringLiteral("7 in=1 mute=2 7 in=1 mute=2"));
    EXPECT_EQ(sink.qtMessages.size(), 2);
    EXPECT_EQ(loadInto("VID_ROUTER"), QStringLiteral("3 in=2 mute=2"));
    EXPECT_EQ(sink.qtMessages.size(), 2);
}

// Installations side by side in one process, each answering from its own
// files: a load leaves the others as they were. Texts set in a FileSource
// take the place of files on disk and join the directory listings.
TEST(Installations, EachAnswersFromItsOwnFiles)
{
    FixtureTree first, second;
    first.write(kInstancesFile, "<instances><i id='cam' type='Router' ref='device=1,offset=2'/></instances>");
    first.write(QStringLiteral("devicetypes/Router.xml"), "<device_description drivertype='r'><p name='gain' slot='3'/></device_description>");
    first.write(QStringLiteral("complex_instances/bad.xml"), "<bad>");
    second.write(kInstancesFile, "<instances><i id='cam' type='router' ref='device=7,offset=8'/></instances>");
    second.write(QStringLiteral("devicetypes/router.xml"), "<device_description drivertype='g'><p name='gain' slot='5'/></device_description>");
    vrex::FileSource overlay;
    overlay.setText(first.path(kInstancesFile), "<instances><i id='cam' type='Lens' ref='device=9'/></instances>");
    overlay.setText(first.path(QStringLiteral("devicetypes/Lens.xml")), "<device_description drivertype='s'><p name='gain' slot='6'/></device_description>");
    vrex::Installation a = first.installation(), b = second.installation(), c(first.root(), first.system(), overlay);
    // Where cam.gain is, the device types, and how many files failed (neither has a stylesheet).
    const std::pair<vrex::Installation *, const char *> rows[] = {
            {&a, "1 2 3 3 router 2"}, {&b, "7 8 5 2 router 1"}, {&c, "9 0 6 1 lens,router 2"}};
    for (const auto &loads : {std::vector{&a, &b, &c}, std::vector{&a}}) { // all three, then the first once more
        for (vrex::Installation *installation : loads)
            installation->load();
        for (const auto &[installation, expected] : rows) {
            QString alt;
            int device = -1, offset = -1, slot = -1;
            char driver = -1;
            installation->lookup(QStringLiteral("cam"), QStringLiteral("gain"), alt, &device, &offset, &slot, &driver);
            EXPECT_EQ(QStringLiteral("%1 %2 %3 %4 ").arg(device).arg(offset).arg(slot).arg(int(driver))
                              + installation->deviceTypes().keys().join(QLatin1Char(',')) + QLatin1Char(' ')
                              + QString::number(installation->problems().size()),
                      QString::fromUtf8(expected));
        }
    }
}

} // namespace
