// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/catalogue_queries.h"
#include "qt_printers.h"
#include "support/fixture_tree.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vrex;
using vrextest::RecordingSink;

namespace {

// A call's result and outputs as one line of text, so a row states them all.
// Outputs are passed by reference: they are read after the call.
QString text(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }
QString text(int value) { return QString::number(value); }
QString text(char value) { return QString::number(int(value)); }
QString text(const QString &value) { return value.isNull() ? QStringLiteral("null") : QLatin1Char('"') + value + QLatin1Char('"'); }
QString text(const QMap<QString, QString> &map)
{
    QStringList pairs;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        pairs << it.key() + QLatin1Char('=') + it.value();
    return QLatin1Char('{') + pairs.join(QLatin1Char(',')) + QLatin1Char('}');
}
template<typename... T>
QString show(const T &...values)
{
    return QStringList{text(values)...}.join(QLatin1Char(' '));
}

const QString kCam = QStringLiteral("cam1"), kMissing = QStringLiteral("Cam1"), kPair = QStringLiteral("pair");

// Every output starts from a value the call should leave alone unless it
// writes that output; the sink keeps what the call reported.
struct Outputs
{
    explicit Outputs(const Catalogue &catalogue) : c(catalogue) {}
    Catalogue c;
    RecordingSink sink;
    QString alt = QStringLiteral("u"), location = QStringLiteral("u"), type = QStringLiteral("u"), ref;
    bool composite = true;
    QMap<QString, QString> groups{{QStringLiteral("k"), QStringLiteral("v")}};
    int device = 5, offset = 6;
    char driver = 9;
};

struct QueryCase
{
    const char *label;
    std::function<QString(Outputs &)> call;
    const char *expected;
    bool reportsMissing; // one "Can't find instance" line
};

class InstanceQueries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        instanceInfo &cam = instances[kCam];
        cam.device = 12;
        cam.offset = -1;
        cam.type = QStringLiteral("Router");
        cam.alt_id = QStringLiteral("C1");
        cam.location = QStringLiteral("hall");
        cam.complex = QStringLiteral("pair");
        instanceInfo &pair = instances[kPair];
        pair.composite = true;
        pair.type = QStringLiteral("nosuchtype");
        pair.groups.insert(QStringLiteral("left"), kCam);
        deviceTypes[QStringLiteral("router")].drivertype = 0x103; // only the low byte reaches callers
    }
    InstanceRegistry instances;
    DeviceTypeRegistry deviceTypes;
    ComplexTypeRegistry complexTypes;
};

const QueryCase kQueries[] = {
    // Names match exactly, letter case included.
    {"compositeMissing", [](Outputs &o) { return show(lookupComposite(o.c, kMissing, o.composite, o.groups), o.composite, o.groups); },
        "false true {k=v}", false},
    {"groupOfMissing", [](Outputs &o) { return show(lookupComposite(o.c, kMissing, QStringLiteral("left"), o.alt), o.alt); },
        "false \"u\"", false},
    {"addressMissing", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kMissing, o.alt, &o.device, &o.offset, &o.driver), o.alt, o.device, o.offset, o.driver); },
        "false \"u\" 0 0 9", true},
    {"describeMissing", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kMissing, o.alt, o.location, o.type, o.ref, o.composite), o.alt, o.type, o.ref, o.composite); },
        "false \"u\" \"u\" null true", true},
    // The reversed sense: true means "not registered".
    {"typeMissing", [](Outputs &o) { return show(lookupType(o.c, kMissing, o.type), o.type); }, "true null", false},
    {"typeFound", [](Outputs &o) { return show(lookupType(o.c, kCam, o.type), o.type); }, "false \"Router\"", false},
    // Null address pointers answer false silently, before writing anything.
    {"noDevice", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kCam, o.alt, nullptr, &o.offset, nullptr), o.alt, o.offset); },
        "false \"u\" 6", false},
    {"noOffset", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kCam, o.alt, &o.device, nullptr, nullptr), o.alt, o.device); },
        "false \"u\" 5", false},
    {"addressWithoutDriver", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kCam, o.alt, &o.device, &o.offset, nullptr), o.alt, o.device, o.offset); },
        "true \"C1\" 12 -1", false},
    {"driverLowByteOfFoldedType", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kCam, o.alt, &o.device, &o.offset, &o.driver), o.driver); },
        "true 3", false},
    {"driverOfUnknownTypeIsZero", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kPair, o.alt, &o.device, &o.offset, &o.driver), o.alt, o.driver); },
        "true null 0", false},
    // The ref as the file writes it, never with the complex key.
    {"describe", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kCam, o.alt, o.location, o.type, o.ref, o.composite), o.alt, o.location, o.type, o.ref, o.composite); },
        "true \"C1\" \"hall\" \"Router\" \"device=12,offset=-1\" false", false},
    {"describeComposite", [](Outputs &o) { return show(lookupInstance(o.c, &o.sink, kPair, o.alt, o.location, o.type, o.ref, o.composite), o.ref, o.composite); },
        "true \"device=0,offset=0\" true", false},
    {"groupsCopied", [](Outputs &o) { return show(lookupComposite(o.c, kPair, o.composite, o.groups), o.composite, o.groups); },
        "true true {left=cam1}", false},
    {"groupsEmptied", [](Outputs &o) { return show(lookupComposite(o.c, kCam, o.composite, o.groups), o.composite, o.groups); },
        "true false {}", false},
    {"groupIdCaseDiffers", [](Outputs &o) { return show(lookupComposite(o.c, kPair, QStringLiteral("Left"), o.alt), o.alt); },
        "false \"u\"", false},
    {"groupFound", [](Outputs &o) { return show(lookupComposite(o.c, kPair, QStringLiteral("left"), o.alt), o.alt); },
        "true \"cam1\"", false},
};

TEST_F(InstanceQueries, WriteExactlyTheOutputsOfWhatTheyFind)
{
    for (const QueryCase &c : kQueries) {
        SCOPED_TRACE(c.label);
        Outputs out(Catalogue{instances, deviceTypes, complexTypes});
        EXPECT_EQ(c.call(out), QString::fromUtf8(c.expected));
        EXPECT_EQ(out.sink.debugOutput, c.reportsMissing
                          ? QStringList{QStringLiteral("vrex_instance_lookup::lookup: Can't find instance: Cam1")}
                          : QStringList{});
    }
}

} // namespace
