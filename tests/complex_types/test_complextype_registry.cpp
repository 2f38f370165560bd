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
    for (auto member = type.members.cbegin(); member != type.members.cend(); ++member) {
        if (member->params.isEmpty())
            lines.append(member.key() + QStringLiteral(": none"));
        for (auto p = member->params.cbegin(); p != member->params.cend(); ++p)
            lines.append(member.key() + QLatin1Char('.') + p.key() + QStringLiteral(" -> ") + p->device + QLatin1Char('.') + p->param);
    }
    return lines;
}

class ComplexTypeRegistryTest : public ::testing::Test
{
protected:
    void load() { vrex::loadComplexTypes(types, loadContext(tree, &sink, files)); }
    void loadOne(const QString &name, complexType &type)
    {
        const vrex::LoadContext context = loadContext(tree, &sink, files);
        vrex::loadComplexType(name, vrex::complexTypePath(name, context), type, context);
    }
    QStringList describe(const char *name) const { return ::describe(types.value(QString::fromUtf8(name))); }

    FixtureTree tree;
    const vrex::FileSource files;
    RecordingSink sink;
    vrex::ComplexTypeRegistry types;
};

TEST_F(ComplexTypeRegistryTest, EveryListedNameGetsAnEntryEvenWhenItsFileFails)
{
    load(); // no directory: nothing, quietly
    tree.write(entry("notes.txt"), "<notes/>");
    tree.write(entry("Rack.XML"), "<Rack><m id='cam1'><r id='gain' device='amp' param='level'/></m></Rack>");
    tree.write(entry("rack.xml"), "<Rack><m id='x'/></Rack>");
    tree.makeDirectory(entry("extra.xml"));
    tree.write(entry(".xml"), "<root><m id='x'/></root>");
    tree.write(entry("broken.xml"), "<broken><m id='x'/></broken><tail");
    tree.write(entry("50%d %s.xml"), "<wrong/>");
    load();

    const QString percent = QStringLiteral("50%d %s");
    EXPECT_EQ(types.keys(), (QStringList{QString(), percent, QStringLiteral("Rack"), QStringLiteral("broken"),
                                                        QStringLiteral("extra"), QStringLiteral("rack")}));
    EXPECT_EQ(describe("Rack"), QStringList{QStringLiteral("cam1.gain -> amp.level")});
    for (const char *failed : {"", "50%d %s", "broken", "extra", "rack"})
        EXPECT_TRUE(describe(failed).isEmpty()) << failed;
    // Listing order: by name ignoring case. An empty name keeps the blank.
    EXPECT_EQ(sink.qtMessages, (QStringList{kWrongRoot, kWrongRoot + percent, kMalformed + QStringLiteral("broken"),
                                                kNotFound + QStringLiteral("extra"), kWrongRoot + QStringLiteral("rack")}));
}

TEST_F(ComplexTypeRegistryTest, ReloadReplacesListedEntriesAndKeepsThoseOfRemovedFiles)
{
    tree.write(entry("pair.xml"), "<pair><m id='a'><r id='p' device='b' param='q'/></m></pair>");
    tree.write(entry("gone.xml"), "<gone><m id='a'><r id='p' device='c' param='q'/></m></gone>");
    tree.write(entry("spoilt.xml"), "<spoilt><m id='a'><r id='p' device='d' param='q'/></m></spoilt>");
    load();
    tree.write(entry("pair.xml"), "<pair><m id='z'/></pair>");
    tree.remove(entry("gone.xml"));
    tree.write(entry("spoilt.xml"), "<spoilt>");
    tree.write(entry("new.xml"), "<new/>");
    sink.qtMessages.clear();
    load();

    EXPECT_EQ(types.size(), 4);
    EXPECT_EQ(describe("pair"), QStringList{QStringLiteral("z: none")});
    EXPECT_EQ(describe("gone"), QStringList{QStringLiteral("a.p -> c.q")});
    // A file that fails still names its type, with nothing in it any more.
    EXPECT_TRUE(describe("spoilt").isEmpty());
    EXPECT_EQ(sink.qtMessages, QStringList{kMalformed + QStringLiteral("spoilt")});
}

TEST_F(ComplexTypeRegistryTest, LoadComplexTypeMergesIntoTheGivenRecordOrLeavesItAlone)
{
    tree.write(entry("Rack.xml"), "<Rack><m id='cam1'><r id='gain' device='a' param='p'/></m>"
                                  "<m id='cam1'><r id='zoom' device='b' param='p'/><r id='zoom' device='c' param='q'/></m>"
                                  "<m><r id='x'/></m></Rack>");
    tree.write(entry("bad.xml"), "<bad><m id='a'/></bad><!-- unterminated");
    tree.write(entry("Wrong.xml"), "<wrong><m id='a'/></wrong>");
    complexType type;
    type.members[QStringLiteral("cam1")].params[QStringLiteral("old")].device = QStringLiteral("o");
    type.members[QStringLiteral("kept")].params[QStringLiteral("k")].device = QStringLiteral("k");
    complexType untouched = type;

    loadOne(QStringLiteral("Rack"), type);
    EXPECT_EQ(::describe(type), (QStringList{QStringLiteral(".x -> ."), QStringLiteral("cam1.zoom -> c.q"),
                                           QStringLiteral("kept.k -> k.")}));
    EXPECT_TRUE(sink.qtMessages.isEmpty());

    const QStringList before = ::describe(untouched);
    for (const char *name : {"bad", "Wrong", "missing%1%s"})
        loadOne(QString::fromUtf8(name), untouched);
    EXPECT_EQ(::describe(untouched), before);
    EXPECT_EQ(sink.qtMessages, (QStringList{kMalformed + QStringLiteral("bad"), kWrongRoot + QStringLiteral("Wrong"),
                                                kNotFound + QStringLiteral("missing%1%s")}));
}

} // namespace
