#include "frame/config_files.h"
#include "frame/config_root.h"
#include "support/fixture_tree.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <ostream>

using namespace vrextest;

struct ConfigRootCase
{
    const char *root;   // nullptr: unset
    const char *system; // nullptr: unset
    const char *expected;
};

void PrintTo(const ConfigRootCase &c, std::ostream *os)
{
    *os << (c.root ? c.root : "<unset>") << " + " << (c.system ? c.system : "<unset>");
}

class ConfigRootTest : public ::testing::TestWithParam<ConfigRootCase> { };

TEST_P(ConfigRootTest, JoinsBothVariablesWithOneSlash)
{
    const ConfigRootCase c = GetParam();
    EnvGuard root("ZT_ROOT", c.root);
    EnvGuard system("ZT_SYSTEM", c.system);
    EXPECT_EQ(vrex::configRoot(), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Environment, ConfigRootTest, ::testing::Values(
    ConfigRootCase{nullptr, nullptr, "/"},
    ConfigRootCase{"/opt/zt", nullptr, "/opt/zt/"},
    ConfigRootCase{nullptr, "demo", "/demo"},
    ConfigRootCase{"/opt/zt", "demo", "/opt/zt/demo"},
    ConfigRootCase{"/opt/zt/", "demo", "/opt/zt//demo"},
    ConfigRootCase{"/srv/Zürich", "déмо", "/srv/Zürich/déмо"}));

TEST(ConfigRoot, FollowsEnvironmentChangesBetweenCalls)
{
    EnvGuard system("ZT_SYSTEM", "s");
    {
        EnvGuard root("ZT_ROOT", "/a");
        EXPECT_EQ(vrex::configRoot(), QStringLiteral("/a/s"));
    }
    EnvGuard root("ZT_ROOT", "/b");
    EXPECT_EQ(vrex::configRoot(), QStringLiteral("/b/s"));
}

TEST(ConfigFiles, ListsXmlEntriesIgnoringCaseSortedIgnoringCase)
{
    FixtureTree tree;
    tree.write(QStringLiteral("d/b.xml"), "x");
    tree.write(QStringLiteral("d/Vid_Router.XML"), "x");
    tree.write(QStringLiteral("d/a.Xml"), "x");
    tree.write(QStringLiteral("d/.xml"), "x");
    tree.write(QStringLiteral("d/notes.txt"), "x");
    tree.write(QStringLiteral("d/xml"), "x");
    tree.makeDirectory(QStringLiteral("d/sub.xml"));
    EXPECT_EQ(vrex::listXmlEntries(tree.path(QStringLiteral("d"))),
              (QStringList{QStringLiteral(".xml"), QStringLiteral("a.Xml"), QStringLiteral("b.xml"),
                           QStringLiteral("sub.xml"), QStringLiteral("Vid_Router.XML")}));
}

TEST(ConfigFiles, MissingDirectoryListsNothing)
{
    FixtureTree tree;
    EXPECT_TRUE(vrex::listXmlEntries(tree.path(QStringLiteral("absent"))).isEmpty());
}

TEST(ConfigFiles, ResolvesExactNameFirstThenCaseInsensitiveMatch)
{
    FixtureTree tree;
    const QString dir = tree.path(QStringLiteral("d"));
    tree.write(QStringLiteral("d/Rack.XML"), "upper");
    tree.write(QStringLiteral("d/pair.xml"), "exact");
    tree.write(QStringLiteral("d/PAIR.xml"), "other");

    EXPECT_EQ(vrex::resolveEntry(dir, QStringLiteral("Rack.xml")), dir + QStringLiteral("/Rack.XML"));
    EXPECT_EQ(vrex::resolveEntry(dir, QStringLiteral("pair.xml")), dir + QStringLiteral("/pair.xml"));
    EXPECT_EQ(vrex::resolveEntry(dir, QStringLiteral("none.xml")), dir + QStringLiteral("/none.xml"));
    EXPECT_EQ(vrex::resolveEntry(tree.path(QStringLiteral("nodir")), QStringLiteral("a.xml")),
              tree.path(QStringLiteral("nodir/a.xml")));
}

TEST(ConfigFiles, ReadWholeFileFailsForMissingFilesAndDirectories)
{
    FixtureTree tree;
    tree.write(QStringLiteral("f.xml"), QByteArray("<a/>\0tail", 9));
    tree.makeDirectory(QStringLiteral("dir.xml"));

    QByteArray contents;
    ASSERT_TRUE(vrex::readWholeFile(tree.path(QStringLiteral("f.xml")), &contents));
    EXPECT_EQ(contents, QByteArray("<a/>\0tail", 9));
    EXPECT_FALSE(vrex::readWholeFile(tree.path(QStringLiteral("dir.xml")), &contents));
    EXPECT_FALSE(vrex::readWholeFile(tree.path(QStringLiteral("missing.xml")), &contents));
}
