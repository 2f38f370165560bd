#include "qt_printers.h"
#include "support/capture.h"
#include "support/fixture_tree.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

const QString kCam = QStringLiteral("cam1");
const QString kNotFoundLine = QStringLiteral("vrex_instance_lookup::lookup: Can't find instance: ");

class InstanceQueries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clearRegistries();
        instanceInfo cam;
        cam.device = 12;
        cam.offset = -1;
        cam.type = QStringLiteral("Router");
        cam.alt_id = QStringLiteral("C1");
        cam.location = QStringLiteral("hall");
        cam.complex = QStringLiteral("pair");
        vrex_instance_lookup::instances.insert(kCam, cam);

        instanceInfo pair;
        pair.composite = true;
        pair.type = QStringLiteral("nosuchtype");
        pair.groups.insert(QStringLiteral("left"), kCam);
        vrex_instance_lookup::instances.insert(QStringLiteral("pair"), pair);

        deviceTypeInfo router;
        router.drivertype = 0x103; // only the low byte reaches the caller
        vrex_instance_lookup::deviceTypes.insert(QStringLiteral("router"), router);
    }

    DebugOutputCapture debug;
};

TEST_F(InstanceQueries, NamesMatchExactlyLetterCaseIncluded)
{
    const QString name = QStringLiteral("Cam1");
    bool composite = true;
    QMap<QString, QString> groups{{QStringLiteral("k"), QStringLiteral("v")}};
    QString text = QStringLiteral("untouched");
    QString location, type, ref;
    int device = 5, offset = 6;
    char drivertype = 9;

    EXPECT_FALSE(vrex_instance_lookup::lookupComposite(name, composite, groups));
    EXPECT_FALSE(vrex_instance_lookup::lookupComposite(name, QStringLiteral("left"), text));
    EXPECT_TRUE(groups.contains(QStringLiteral("k")));
    EXPECT_EQ(text, QStringLiteral("untouched"));

    EXPECT_FALSE(vrex_instance_lookup::lookup(name, text, &device, &offset, &drivertype));
    EXPECT_EQ(device, 0);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(drivertype, 9);
    EXPECT_FALSE(vrex_instance_lookup::lookup(name, text, location, type, ref, composite));
    EXPECT_EQ(text, QStringLiteral("untouched"));
    EXPECT_TRUE(ref.isNull());
    EXPECT_EQ(debug.messages(), QStringList(2, kNotFoundLine + name));

    // The reversed sense: true means "not registered".
    type = QStringLiteral("stale");
    EXPECT_TRUE(vrex_instance_lookup::lookupType(name, type));
    EXPECT_TRUE(type.isEmpty());
    EXPECT_FALSE(vrex_instance_lookup::lookupType(kCam, type));
    EXPECT_EQ(type, QStringLiteral("Router"));
    EXPECT_EQ(debug.messages().size(), 2);
}

TEST_F(InstanceQueries, NullAddressPointersAnswerFalseSilently)
{
    QString alt = QStringLiteral("untouched");
    int device = 5, offset = 6;
    EXPECT_FALSE(vrex_instance_lookup::lookup(kCam, alt, nullptr, &offset, nullptr));
    EXPECT_FALSE(vrex_instance_lookup::lookup(kCam, alt, &device, nullptr, nullptr));
    EXPECT_EQ(device, 5);
    EXPECT_EQ(offset, 6);
    EXPECT_EQ(alt, QStringLiteral("untouched"));
    EXPECT_TRUE(debug.messages().isEmpty());

    EXPECT_TRUE(vrex_instance_lookup::lookup(kCam, alt, &device, &offset, nullptr));
    EXPECT_EQ(device, 12);
    EXPECT_EQ(offset, -1);
    EXPECT_EQ(alt, QStringLiteral("C1"));
}

TEST_F(InstanceQueries, DriverTypeIsLowByteOfLowerCasedTypeOrZero)
{
    QString alt;
    int device = 0, offset = 0;
    char drivertype = 9;
    EXPECT_TRUE(vrex_instance_lookup::lookup(kCam, alt, &device, &offset, &drivertype));
    EXPECT_EQ(drivertype, 3);

    drivertype = 9;
    EXPECT_TRUE(vrex_instance_lookup::lookup(QStringLiteral("pair"), alt, &device, &offset, &drivertype));
    EXPECT_EQ(drivertype, 0);
    EXPECT_TRUE(alt.isEmpty());
    EXPECT_TRUE(debug.messages().isEmpty());
}

TEST_F(InstanceQueries, DescriptiveLookupWritesRefWithoutComplex)
{
    QString alt, location, type, ref;
    bool composite = true;
    EXPECT_TRUE(vrex_instance_lookup::lookup(kCam, alt, location, type, ref, composite));
    EXPECT_EQ(alt, QStringLiteral("C1"));
    EXPECT_EQ(location, QStringLiteral("hall"));
    EXPECT_EQ(type, QStringLiteral("Router"));
    EXPECT_EQ(ref, QStringLiteral("device=12,offset=-1"));
    EXPECT_FALSE(composite);

    EXPECT_TRUE(vrex_instance_lookup::lookup(QStringLiteral("pair"), alt, location, type, ref, composite));
    EXPECT_EQ(ref, QStringLiteral("device=0,offset=0"));
    EXPECT_TRUE(composite);
}

TEST_F(InstanceQueries, CompositeGroupsAreCopiedOrLookedUpById)
{
    bool composite = false;
    QMap<QString, QString> groups{{QStringLiteral("dropped"), QString()}};
    EXPECT_TRUE(vrex_instance_lookup::lookupComposite(QStringLiteral("pair"), composite, groups));
    EXPECT_TRUE(composite);
    EXPECT_EQ(groups, vrex_instance_lookup::instances.value(QStringLiteral("pair")).groups);
    EXPECT_TRUE(vrex_instance_lookup::lookupComposite(kCam, composite, groups));
    EXPECT_FALSE(composite);
    EXPECT_TRUE(groups.isEmpty());

    QString instance = QStringLiteral("untouched");
    EXPECT_FALSE(vrex_instance_lookup::lookupComposite(QStringLiteral("pair"), QStringLiteral("Left"), instance));
    EXPECT_EQ(instance, QStringLiteral("untouched"));
    EXPECT_TRUE(vrex_instance_lookup::lookupComposite(QStringLiteral("pair"), QStringLiteral("left"), instance));
    EXPECT_EQ(instance, kCam);
}

TEST(InstanceQueriesFromFiles, TypeFindsDeviceTypeFileOfAnyCase)
{
    clearRegistries();
    FixtureTree tree;
    tree.write(QStringLiteral("instances.xml"),
               "<instances><i id='cam1' type='Router' ref='device=4,offset=2'/></instances>");
    tree.write(QStringLiteral("devicetypes/ROUTER.xml"), "<device_description drivertype='gpib'/>");
    vrex_instance_lookup::loadInstances();
    vrex_instance_lookup::loadDeviceTypes();

    QString alt;
    int device = 0, offset = 0;
    char drivertype = 0;
    EXPECT_TRUE(vrex_instance_lookup::lookup(kCam, alt, &device, &offset, &drivertype));
    EXPECT_EQ(device, 4);
    EXPECT_EQ(offset, 2);
    EXPECT_EQ(drivertype, 2);
}

} // namespace
