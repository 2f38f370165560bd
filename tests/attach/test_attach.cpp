// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The library attached to real host processes: what the attach sequence
// writes, in which order, where it looks, and what the host finds loaded.
#include "child_process.h"
#include "support/fixture_tree.h"

#include <QtCore/QFile>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

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

// Rows: a host on a small installation, on an empty one, on one whose
// instances file is a sparse terabyte, and with the startup hook on an empty
// one. "@" in the expected stderr stands for the missing stylesheet's
// message; the output's "library" line must name the shared library and is
// left out of the comparison. On stderr every debug-output line ends its
// line; the hook gets the messages as composed.
TEST(Attach, LinesInOrderOnTheirChannelsAndEverythingLoadedBeforeMain)
{
    const QByteArray progress[] = {"vrex_stylesheet: loading stylesheets\n", "vrex_stylesheet: loading instances\n",
                                   "vrex_stylesheet: loading devicetypes\n",
                                   "vrex_stylesheet: doing the loading of complex instances\n"};
    const QByteArray noInstances = "vrex_instance_lookup: Could not find the instances";
    const QByteArray hooked = "hook[" + progress[0] + "]\nhook[" + progress[1] + "]\nhook[" + noInstances + "]\nhook["
            + progress[2] + "]\nhook[" + progress[3] + "]\n";
    const QByteArray empty = "styles 0\ninstances 0\ndevicetypes 0\ncomplextypes 0\n";
    const QByteArray tooLarge = "vrex_stylesheet: %/demo/config/instances.xml: the file is 1048576 MiB, more than "
                                "the 256 MiB a configuration file may be\n";
    enum Setup { Empty, Small, HugeInstances };
    struct Row { const char *host; Setup setup; QByteArray out, err; };
    // Absent device-type and complex-type directories are not reported.
    for (const Row &row : {Row{ATTACH_HOST, Small, "styles 2\ninstances 3\ndevicetypes 2\ncomplextypes 1\n",
                               progress[0] + progress[1] + progress[2] + progress[3]},
                           Row{ATTACH_HOST, Empty, empty, progress[0] + "@" + progress[1] + noInstances + "\n" + progress[2] + progress[3]},
                           // Refused before a byte is read: the host starts, the rest loads.
                           Row{ATTACH_HOST, HugeInstances, "styles 2\ninstances 0\ndevicetypes 2\ncomplextypes 1\n",
                               progress[0] + progress[1] + noInstances + "\n" + tooLarge + progress[2] + progress[3]},
                           // The Qt message channel is not the hook's business.
                           Row{ATTACH_HOST_HOOKED, Empty, hooked + empty, "@"}}) {
        FixtureTree tree;
        if (row.setup != Empty)
            writeSmallInstallation(tree);
        if (row.setup == HugeInstances) {
            ASSERT_TRUE(QFile::resize(tree.path(QStringLiteral("instances.xml")), qint64(1) << 40));
        }
        const ChildResult result = runChild(QString::fromLocal8Bit(row.host), {},
                                            cleanChildEnvironment(tree.root(), QStringLiteral("demo")));
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0);
        QByteArray out = result.out;
        const qsizetype library = out.indexOf("library ");
        ASSERT_GE(library, 0) << out.constData();
        const qsizetype end = out.indexOf('\n', library);
        EXPECT_TRUE(out.mid(library, end - library).endsWith("/libvrex_stylesheet.so.1")) << out.constData();
        EXPECT_EQ(out.remove(library, end + 1 - library), row.out);
        QByteArray err = row.err;
        err.replace("%", QFile::encodeName(tree.root()));
        EXPECT_EQ(result.err, err.replace("@", "Could not find the Stylesheet file:\n\t" + QFile::encodeName(tree.root())
                                                    + "/demo/config/stylesheet/vrex_style.xml\n"));
    }
}
