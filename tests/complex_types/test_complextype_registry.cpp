// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/catalogue_loaders.h"
#include "instance_lookup/qt_printers.h"
#include "support/fixture_tree.h"

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

const QString kNotFound = QStringLiteral("vrex_instance_lookup: Could not find the complex instances - ");
const QString kMalformed = QStringLiteral("vrex_instance_lookup: Error in device type file - ");
const QString kWrongRoot = QStringLiteral("vrex_instance_lookup: The device_description file is not valid - ");

QString entry(const char *name) { return QStringLiteral("complex_instances/") + QString::fromUtf8(name); }

// "member.param -> device.param" for every redirection of a type, in order.
QStringList describe(const complexType &type)
{
    QStringList lines;
    for (auto member = type.members.cbegin(); member != type.members.cend(); ++member)
        for (auto p = member->params.cbegin(); p != member->params.cend(); ++p)
            lines.append(member.key() + QLatin1Char('.') + p.key() + QStringLiteral(" -> ") + p->device + QLatin1Char('.') + p->param);
    return lines;
}

// Every listed name gets an entry, even when its file fails. An entry from
// before is replaced whole by its file, emptied when the file fails, and
// kept when the file is gone. One type loaded on its own merges into the
// record it is given, member by member, or leaves it alone when it fails.
TEST(ComplexTypeRegistry, EveryListedNameGetsAnEntryEvenWhenItsFileFails)
{
    FixtureTree tree;
    const vrex::FileSource files;
    RecordingSink sink;
    const vrex::LoadContext context = loadContext(tree, &sink, files);
    vrex::ComplexTypeRegistry types;
    vrex::loadComplexTypes(types, context); // no directory: nothing, quietly
    tree.write(entry("notes.txt"), "<notes/>");
    tree.write(entry("Rack.XML"), "<Rack><m id='cam1'><r id='gain' device='a' param='p'/></m>"
                                  "<m id='cam1'><r id='zoom' device='b' param='p'/><r id='zoom' device='c' param='q'/></m>"
                                  "<m><r id='x'/></m></Rack>");
    tree.write(entry("rack.xml"), "<Rack><m id='x'/></Rack>");
    tree.makeDirectory(entry("extra.xml"));
    tree.write(entry(".xml"), "<root><m id='x'/></root>");
    tree.write(entry("broken.xml"), "<broken><m id='x'/></broken><tail");
    tree.write(entry("50%d %s.xml"), "<wrong/>");
    complexType stale;
    stale.members[QStringLiteral("cam1")].params[QStringLiteral("old")].device = QStringLiteral("o");
    stale.members[QStringLiteral("kept")].params[QStringLiteral("k")].device = QStringLiteral("k");
    for (const char *name : {"Rack", "broken", "gone"})
        types.insert(QString::fromUtf8(name), stale);
    vrex::loadComplexTypes(types, context);

    const QString percent = QStringLiteral("50%d %s");
    EXPECT_EQ(types.keys(), (QStringList{QString(), percent, QStringLiteral("Rack"), QStringLiteral("broken"),
                                         QStringLiteral("extra"), QStringLiteral("gone"), QStringLiteral("rack")}));
    const QStringList rack{QStringLiteral(".x -> ."), QStringLiteral("cam1.zoom -> c.q")};
    EXPECT_EQ(describe(types.value(QStringLiteral("Rack"))), rack);
    EXPECT_EQ(describe(types.value(QStringLiteral("gone"))), describe(stale));
    for (const char *failed : {"", "50%d %s", "broken", "extra", "rack"})
        EXPECT_TRUE(describe(types.value(QString::fromUtf8(failed))).isEmpty()) << failed;
    // Listing order: by name ignoring case. An empty name keeps the blank.
    EXPECT_EQ(sink.qtMessages, (QStringList{kWrongRoot, kWrongRoot + percent, kMalformed + QStringLiteral("broken"),
                                            kNotFound + QStringLiteral("extra"), kWrongRoot + QStringLiteral("rack")}));

    complexType type = stale;
    const auto loadInto = [&](const char *name) {
        const QString typeName = QString::fromUtf8(name);
        vrex::loadComplexType(typeName, vrex::complexTypePath(typeName, context), type, context);
        return describe(type);
    };
    sink.qtMessages.clear();
    for (const char *failed : {"broken", "rack", "missing%1%s"})
        EXPECT_EQ(loadInto(failed), describe(stale)) << failed;
    EXPECT_EQ(loadInto("Rack"), rack + QStringList{QStringLiteral("kept.k -> k.")});
    EXPECT_EQ(sink.qtMessages, (QStringList{kMalformed + QStringLiteral("broken"), kWrongRoot + QStringLiteral("rack"),
                                            kNotFound + QStringLiteral("missing%1%s")}));
}

} // namespace
