// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/device_type_key.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Entries stored under deviceTypeKey of their file names; the lookup must
// find exactly what deviceTypeKey of the instance's type finds.
TEST(DeviceTypeKey, FindsWhatTheKeyFoldFinds)
{
    vrex::DeviceTypeRegistry types;
    const QString fileBases[] = {
        QStringLiteral("Router"), QStringLiteral("VID_ROUTER"), QString(64, u'A') + QLatin1Char('x'),
        QStringLiteral("zoom_az"), QStringLiteral("\u00DCberCam"), QStringLiteral("\u0130stanbul"),
        QStringLiteral("\u03A3\u0391\u03A3"), QStringLiteral("Stra\u00DFe"), QString()};
    int code = 1;
    for (const QString &base : fileBases)
        types[vrex::deviceTypeKey(base)].drivertype = code++;

    for (const char16_t *spelling : {
             u"router", u"Router", u"ROUTER", u"rOuTeR", u"Routers", u"Route", u"", u"vid_router",
             u"Vid_Router", u"VID-ROUTER", u"ZOOM_AZ",
             // Longer than the stack buffer.
             u"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAX",
             u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaX",
             // Unicode case rules: dotted capital I, final sigma, sharp s.
             u"\u00DCBERCAM", u"\u00FCbercam", u"\u00FCberCam", u"\u0130STANBUL", u"\u0130stanbul",
             u"istanbul", u"\u03A3\u0391\u03A3", u"\u03C3\u03B1\u03C3", u"STRASSE", u"Stra\u00DFe"}) {
        const QString type = QString::fromUtf16(spelling);
        const auto expected = types.constFind(vrex::deviceTypeKey(type));
        const auto found = vrex::findDeviceType(types, type);
        ASSERT_EQ(found == types.constEnd(), expected == types.constEnd()) << type.toStdString();
        EXPECT_TRUE(found == types.constEnd() || found.key() == expected.key()) << type.toStdString();
    }
}

} // namespace
