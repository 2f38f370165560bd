// The library attached to real host processes: what the attach sequence
// writes, in which order, where it looks, and what the host finds loaded.
#include "child_process.h"
#include "support/fixture_tree.h"

#include <QtCore/QFile>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

const QByteArray kLoadingStylesheets = "vrex_stylesheet: loading stylesheets\n";
const QByteArray kLoadingInstances = "vrex_stylesheet: loading instances\n";
const QByteArray kLoadingDeviceTypes = "vrex_stylesheet: loading devicetypes\n";
const QByteArray kLoadingComplex = "vrex_stylesheet: doing the loading of complex instances\n";
const QByteArray kNoInstances = "vrex_instance_lookup: Could not find the instances";

QByteArray noStylesheet(const QString &path)
{
    return "Could not find the Stylesheet file:\n\t" + QFile::encodeName(path) + '\n';
}

QByteArray counts(int styles, int instances, int deviceTypes, int complexTypes)
{
    return QStringLiteral("styles %1\ninstances %2\ndevicetypes %3\ncomplextypes %4\n")
            .arg(styles).arg(instances).arg(deviceTypes).arg(complexTypes)
            .toUtf8();
}

// The host's output without its first line, which names the library file.
QByteArray countsOf(const QByteArray &out)
{
    return out.mid(out.indexOf('\n') + 1);
}

ChildResult runHost(const char *host, const FixtureTree &tree)
{
    QProcessEnvironment environment = cleanChildEnvironment();
    environment.insert(QStringLiteral("ZT_ROOT"), tree.root());
    environment.insert(QStringLiteral("ZT_SYSTEM"), QStringLiteral("demo"));
    return runChild(QString::fromLocal8Bit(host), {}, environment);
}

void writeSmallInstallation(const FixtureTree &tree)
{
    tree.write(QStringLiteral("stylesheet/vrex_style.xml"),
               "<!DOCTYPE stylesheet>\n<stylesheet>\n"
               "  <style name=\"alarm\" type=\"state\"><setting value=\"color: red\"/></style>\n"
               "  <style name=\"panel\" type=\"style\"/>\n"
               "</stylesheet>\n");
    tree.write(QStringLiteral("instances.xml"),
               "<instances>\n"
               "  <instance id=\"cam1\" type=\"Camera\" ref=\"device=12,offset=3,complex=Rig\"/>\n"
               "  <instance id=\"lens1\" type=\"Camera\" ref=\"device=14,offset=0\"/>\n"
               "  <instance id=\"router1\" type=\"Router\" ref=\"device=3,offset=0\"/>\n"
               "</instances>\n");
    tree.write(QStringLiteral("devicetypes/Camera.xml"),
               "<device_description drivertype=\"serial\"><p name=\"zoom\" slot=\"0\"/></device_description>");
    tree.write(QStringLiteral("devicetypes/ROUTER.XML"),
               "<device_description drivertype=\"router\"/>");
    tree.write(QStringLiteral("complex_instances/Rig.xml"),
               "<Rig><member id=\"cam1\"><param id=\"zoom\" device=\"lens1\" param=\"zoom\"/></member></Rig>");
}

} // namespace

TEST(Attach, HostLinksTheSharedLibraryAndFindsEverythingLoaded)
{
    FixtureTree tree;
    writeSmallInstallation(tree);
    const ChildResult result = runHost(ATTACH_HOST, tree);

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.startsWith("library "));
    EXPECT_TRUE(result.out.left(result.out.indexOf('\n')).endsWith("/libvrex_stylesheet.so.1"))
            << result.out.constData();
    EXPECT_EQ(countsOf(result.out), counts(2, 3, 2, 1));
    // A clean installation: the four progress lines in order, nothing else.
    EXPECT_EQ(result.err, kLoadingStylesheets + kLoadingInstances + kLoadingDeviceTypes + kLoadingComplex);
}

TEST(Attach, EmptyConfigurationDirectoryReportsBothMissingFilesAndLoadsNothing)
{
    FixtureTree tree;
    const ChildResult result = runHost(ATTACH_HOST, tree);

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(countsOf(result.out), counts(0, 0, 0, 0));
    // Device-type and complex-type directories that are absent are not reported.
    EXPECT_EQ(result.err, kLoadingStylesheets
                      + noStylesheet(tree.root() + QStringLiteral("/demo/config/stylesheet/vrex_style.xml"))
                      + kLoadingInstances + kNoInstances + kLoadingDeviceTypes + kLoadingComplex);
}

TEST(Attach, StartupHookReceivesTheAttachLinesInsteadOfStderr)
{
    FixtureTree tree;
    const ChildResult result = runHost(ATTACH_HOST_HOOKED, tree);

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    const QByteArray hooked = "hook[" + kLoadingStylesheets + "]\n"
            + "hook[" + kLoadingInstances + "]\n"
            + "hook[" + kNoInstances + "]\n"
            + "hook[" + kLoadingDeviceTypes + "]\n"
            + "hook[" + kLoadingComplex + "]\n";
    EXPECT_TRUE(result.out.startsWith(hooked)) << result.out.constData();
    EXPECT_EQ(countsOf(result.out.mid(hooked.size())), counts(0, 0, 0, 0));
    // The Qt message channel is not the hook's business.
    EXPECT_EQ(result.err,
              noStylesheet(tree.root() + QStringLiteral("/demo/config/stylesheet/vrex_style.xml")));
}
