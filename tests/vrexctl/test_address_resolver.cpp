// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The diff's resolver against the library's own lookup: every instance and
// parameter of an installation whose chains break in every way the lookup
// step knows, cycle, merge, run longer than the lookup's short trail and end
// on an empty parameter name. Resolved in two orders, so that each answer is
// also found through what an earlier one left remembered.
#include "compare/address_resolver.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray chainInstallation(vrex::FileSource &files, const QString &configRoot)
{
    QByteArray instances = "<instances>\n"
            "<instance id=\"start\" type=\"Hop\" alt_id=\"S\" ref=\"device=1,offset=1,complex=C\"/>\n"
            "<instance id=\"mid\" type=\"Hop\" alt_id=\"M\" ref=\"device=2,offset=2,complex=C\"/>\n"
            "<instance id=\"end\" type=\"Leaf\" alt_id=\"E\" ref=\"device=3,offset=3\"/>\n"
            "<instance id=\"loopA\" type=\"Hop\" ref=\"device=4,complex=C\"/>\n"
            "<instance id=\"loopB\" type=\"Hop\" ref=\"device=5,complex=C\"/>\n"
            "<instance id=\"self\" type=\"hop\" ref=\"device=6,complex=C\"/>\n"
            "<instance id=\"lost\" type=\"Hop\" ref=\"device=7,complex=C\"/>\n"
            "<instance id=\"typeless\" type=\"Nothing\" ref=\"device=8\"/>\n"
            "<instance id=\"nocomplex\" type=\"Hop\" ref=\"device=9,complex=Missing\"/>\n"
            "<instance id=\"plain\" type=\"Hop\" ref=\"device=10\"/>\n"
            "<instance id=\"stranger\" type=\"Hop\" ref=\"device=11,complex=C\"/>\n"
            "<instance id=\"toEmpty\" type=\"Other\" ref=\"device=12,complex=C\"/>\n"
            "<instance id=\"toEmptyToo\" type=\"Hop\" ref=\"device=13,complex=C\"/>\n";
    QByteArray members = "<C>\n"
            "<member id=\"start\"><param id=\"a\" device=\"mid\" param=\"a\"/>"
            "<param id=\"b\" device=\"end\" param=\"zz\"/></member>\n"
            "<member id=\"mid\"><param id=\"a\" device=\"end\" param=\"a\"/>"
            "<param id=\"b\" device=\"ghost\" param=\"b\"/></member>\n"
            "<member id=\"loopA\"><param id=\"a\" device=\"loopB\" param=\"a\"/></member>\n"
            "<member id=\"loopB\"><param id=\"a\" device=\"loopA\" param=\"a\"/>"
            "<param id=\"b\" device=\"typeless\" param=\"b\"/></member>\n"
            "<member id=\"self\"><param id=\"a\" device=\"self\" param=\"a\"/></member>\n"
            "<member id=\"lost\"><param id=\"a\" device=\"loopA\" param=\"a\"/>"
            "<param id=\"b\" device=\"h3\" param=\"a\"/></member>\n"
            "<member id=\"toEmpty\"><param id=\"x\" device=\"end\" param=\"\"/></member>\n"
            // The same empty target from a device type with another driver type.
            "<member id=\"toEmptyToo\"><param id=\"a\" device=\"end\" param=\"\"/></member>\n";
    // Longer than the lookup's trail keeps without the heap.
    for (int i = 0; i < 12; ++i) {
        instances += QStringLiteral("<instance id=\"h%1\" type=\"Hop\" ref=\"device=%2,complex=C\"/>\n")
                             .arg(i).arg(20 + i).toUtf8();
        members += i < 11 ? QStringLiteral("<member id=\"h%1\"><param id=\"a\" device=\"h%2\" param=\"a\"/></member>\n")
                                    .arg(i).arg(i + 1).toUtf8()
                          : QByteArray("<member id=\"h11\"><param id=\"a\" device=\"end\" param=\"b\"/></member>\n");
    }
    const auto set = [&](const char *file, const QByteArray &text) {
        files.setText(vrex::layout::path(configRoot, QLatin1StringView(file)), text);
    };
    set("config/instances.xml", instances + "</instances>\n");
    set("config/complex_instances/C.xml", members + "</C>\n");
    set("config/devicetypes/Hop.xml", "<device_description drivertype=\"generic\"><p name=\"a\" slot=\"0\"/>"
                                      "<p name=\"b\" slot=\"0\"/><p name=\"c\" slot=\"3\"/></device_description>");
    set("config/devicetypes/Leaf.xml", "<device_description drivertype=\"router\"><p name=\"a\" slot=\"5\"/>"
                                       "<p name=\"b\" slot=\"6\"/></device_description>");
    set("config/devicetypes/Other.xml", "<device_description drivertype=\"serial\"><p name=\"x\" slot=\"0\"/>"
                                        "</device_description>");
    return instances;
}

TEST(AddressResolver, AnswersAsTheLibrarysLookupInAnyOrder)
{
    QTemporaryDir scratch; // nothing on disk below it
    const QString configRoot = scratch.filePath(QStringLiteral("site"));
    vrex::FileSource files;
    chainInstallation(files, configRoot);
    vrex::Installation installation = vrex::Installation::atConfigRoot(configRoot, files);
    installation.load();

    QStringList names = installation.instances().keys();
    names.append(QStringLiteral("ghost"));
    const QStringList params{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("x"),
                             QStringLiteral("zz"), QString()};
    int resolved = 0;
    for (bool reversed : {false, true}) {
        if (reversed)
            std::reverse(names.begin(), names.end());
        vrexctl::AddressResolver resolver(installation.catalogue());
        for (const QString &name : std::as_const(names)) {
            for (const QString &param : params) {
                SCOPED_TRACE((name + QLatin1Char('.') + param).toStdString() + (reversed ? " reversed" : ""));
                QString altId;
                int device = -1, offset = -1, slot = -1;
                char drivertype = char(0x7f);
                const bool found = installation.lookup(name, param, altId, &device, &offset, &slot, &drivertype);
                const vrexctl::ResolvedAddress answer = resolver.resolve(name, param);
                ASSERT_EQ(answer.resolves, found);
                if (!found)
                    continue;
                ++resolved;
                EXPECT_EQ(answer.device, device);
                EXPECT_EQ(answer.offset, offset);
                EXPECT_EQ(answer.altId, altId);
                // An empty name at the start leaves slot and driver type alone.
                EXPECT_EQ(answer.hasSlot, slot != -1);
                if (answer.hasSlot) {
                    EXPECT_EQ(answer.slot, slot);
                    EXPECT_EQ(answer.drivertype, int(static_cast<unsigned char>(drivertype)));
                }
            }
        }
    }
    // start.a, mid.a, the long chain, toEmpty.x, plain's and the leaves': a
    // fixture that resolves nothing would prove nothing.
    EXPECT_GT(resolved, 40);

    // Why not, in lookup's words, and where when it is past the first hop.
    const std::pair<const char *, const char *> failures[] = {
        {"ghost.a", "no instance"},
        {"mid.b", "at ghost.b: instance \"ghost\" is not in the instances file"},
        {"start.b", "at end.zz: device type \"Leaf\" has no parameter \"zz\""},
        {"loopB.b", "at typeless.b: device type \"Nothing\" of instance \"typeless\" is not registered"},
        {"nocomplex.a", "complex type \"Missing\" of instance \"nocomplex\" is not registered"},
        {"stranger.a", "complex type \"C\" has no member \"stranger\""},
        {"loopA.b", "slot 0 and no redirection in complex type \"C\""},
        {"lost.a", "redirection cycle at loopA.a"},
    };
    for (const auto &[pair, text] : failures) {
        const QStringList parts = QString::fromLatin1(pair).split(QLatin1Char('.'));
        vrexctl::AddressResolver resolver(installation.catalogue());
        EXPECT_EQ(vrexctl::failureText(resolver.resolve(parts.at(0), parts.at(1)), parts.at(0), parts.at(1)),
                  QLatin1String(text));
    }
}

} // namespace
