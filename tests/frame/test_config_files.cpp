#include "frame/config_files.h"
#include "frame/config_root.h"
#include "support/fixture_tree.h"

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

TEST(ConfigFiles, ResolvesExactNameFirstThenCaseInsensitiveMatch)
{
    FixtureTree tree;
    const QString dir = tree.path(QStringLiteral("d"));
    tree.write(QStringLiteral("d/Rack.XML"), "upper");
    tree.write(QStringLiteral("d/pair.xml"), "exact");
    tree.write(QStringLiteral("d/PAIR.xml"), "other");
    struct Row { QString dir; const char *name, *expected; };
    for (const Row &row : {Row{dir, "Rack.xml", "d/Rack.XML"}, Row{dir, "pair.xml", "d/pair.xml"},
                           Row{dir, "none.xml", "d/none.xml"}, Row{tree.path(QStringLiteral("no")), "a.xml", "no/a.xml"}})
        EXPECT_EQ(vrex::resolveEntry(row.dir, QString::fromUtf8(row.name)), tree.path(QString::fromUtf8(row.expected)));
}

} // namespace
