// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Runs against the example installation (ZT_ROOT/ZT_SYSTEM set by the test)
// and touches every public class once. Exit 0 only if all answers hold.
#include <vrex_stylesheet/vrex_debug_output.h>
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QByteArray>

#include <cstdio>

namespace {

QByteArray g_debugOutput;
int g_failures = 0;

void recordDebugOutput(const char *text)
{
    g_debugOutput += text;
}

void expect(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "consumer: expected %s\n", what);
        ++g_failures;
    }
}

} // namespace

int main()
{
    expect(vrex_instance_lookup::countInstances() > 0, "instances loaded at attach");
    expect(vrex_instance_lookup::countDeviceTypes() > 0, "device types loaded at attach");
    expect(vrex_instance_lookup::countComplexTypes() > 0, "complex types loaded at attach");
    expect(vrex_stylesheet::count() > 0, "styles loaded at attach");

    expect(vrex_install_debug_output_handler(&recordDebugOutput) != nullptr,
           "a previous debug-output handler");

    QString altId;
    int device = -1, offset = -1, slot = -1;
    char drivertype = 0;
    expect(vrex_instance_lookup::lookup(QStringLiteral("cam1"), QStringLiteral("zoom"), altId,
                                        &device, &offset, &slot, &drivertype),
           "cam1.zoom to resolve");
    expect(altId == QStringLiteral("CAM-A1"), "cam1's alternative id");
    expect(slot > 0 && drivertype != 0, "a slot and driver type at the end of the chain");

    expect(!vrex_instance_lookup::lookup(QStringLiteral("no-such-instance"), QStringLiteral("zoom"),
                                         altId, &device, &offset, &slot, &drivertype),
           "an unknown instance to fail");
    expect(g_debugOutput.endsWith("no-such-instance"), "the failure on the installed handler");

    vrex_stylesheet stylesheet;
    expect(stylesheet.styleExist(QStringLiteral("alarm")), "style alarm");
    QString alarm = QStringLiteral("alarm");
    expect(!stylesheet.settingslist(alarm).isEmpty(), "settings of style alarm");

    vrex_install_debug_output_handler(nullptr);
    return g_failures == 0 ? 0 : 1;
}
