// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The exported classes' own part: the configuration root read from the
// environment at every call, the loaders' fixed answer, and dump.
#include "frame/config_root.h"
#include "support/capture.h"
#include "support/host_root.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

TEST(ConfigRoot, JoinsBothVariablesWithOneSlashReadAtEveryCall)
{
    struct Row { const char *root, *system, *expected; }; // nullptr: unset
    for (const Row &row : {Row{nullptr, nullptr, "/"}, Row{"/opt/zt", nullptr, "/opt/zt/"},
                           Row{nullptr, "demo", "/demo"}, Row{"/opt/zt", "demo", "/opt/zt/demo"},
                           Row{"/opt/zt/", "demo", "/opt/zt//demo"}, Row{"/srv/Zürich", "déмо", "/srv/Zürich/déмо"}}) {
        EnvGuard root("ZT_ROOT", row.root);
        EnvGuard system("ZT_SYSTEM", row.system);
        EXPECT_EQ(vrex::configRoot(), QString::fromUtf8(row.expected)) << row.expected;
    }
}

// Every exported loader answers false whatever it finds below the root the
// environment names; dump writes one line per instance in key order, names
// never taken for formats.
TEST(ExportedCatalogue, LoadersAnswerFalseAndDumpWritesEveryInstance)
{
    using L = vrex_instance_lookup;
    clearRegistries();
    FixtureTree tree;
    tree.write(QStringLiteral("instances.xml"), "<instances><i id='b' type='Cam' ref='device=12,offset=-3'/><i id='a%d' ref='device=1'/>"
                                                "<i id='\xC3\xA9' type='t'/></instances>");
    tree.write(QStringLiteral("devicetypes/cam.xml"), "<device_description><p name='gain' slot='4'/></device_description>");
    HostRoot root(tree);
    deviceTypeInfo type;
    complexType pair;
    EXPECT_FALSE(L::loadInstances() || L::loadDeviceTypes() || L::loadComplexTypes()
                 || L::loadDeviceParams(QStringLiteral("CAM"), type) || L::loadComplexType(QStringLiteral("pair"), pair));
    EXPECT_EQ(type.params.value(QStringLiteral("gain")).slot, 4);
    QtMessageCapture qt;
    L::dump();
    EXPECT_EQ(qt.messages(), (QStringList{QStringLiteral("a%d  1 0"), QStringLiteral("b Cam 12 -3"), QString::fromUtf8("\xC3\xA9 t 0 0")}));
    clearRegistries();
}

} // namespace
