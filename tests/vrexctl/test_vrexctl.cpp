// vrexctl as its users meet it: exit codes, isolation from the environment
// the library attached in, machine-readable output, redirection hops, the
// configuration check, and diagnostics only on request.
#include "child_process.h"
#include "support/fixture_tree.h"

#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

const QString kExampleSite = QStringLiteral(EXAMPLE_SITE);

// An installation the check finds nothing wrong with; each defect case
// below changes one file of it.
const QByteArray kCleanStylesheet =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style name=\"alarm\" type=\"state\" suitablefor=\"QLabel\" description=\"Alarm\">\n"
        "    <setting value=\"background-color: #8b0000\"/>\n"
        "    <setting value=\"color: #ffffff\"/>\n"
        "  </style>\n"
        "</stylesheet>\n";
const QByteArray kCleanInstances =
        "<instances>\n"
        "  <instance id=\"a\" type=\"Unit\" ref=\"device=1,offset=0,complex=Pair\"/>\n"
        "  <instance id=\"b\" type=\"Unit\" ref=\"device=2,offset=5\"/>\n"
        "  <instance id=\"all\" type=\"Unit\" composite=\"yes\"><group id=\"first\" instance=\"a\"/></instance>\n"
        "</instances>\n";
const QByteArray kCleanUnit =
        "<device_description drivertype=\"generic\"><p name=\"level\" slot=\"0\"/><p name=\"gain\" slot=\"7\"/></device_description>";
const QByteArray kCleanPair =
        "<Pair><member id=\"a\"><param id=\"level\" device=\"b\" param=\"gain\"/></member></Pair>";

void writeCleanInstallation(const FixtureTree &tree)
{
    tree.write(QStringLiteral("stylesheet/vrex_style.xml"), kCleanStylesheet);
    tree.write(QStringLiteral("instances.xml"), kCleanInstances);
    tree.write(QStringLiteral("devicetypes/Unit.xml"), kCleanUnit);
    tree.write(QStringLiteral("complex_instances/Pair.xml"), kCleanPair);
}

QStringList siteOptions(const QString &root, const QString &system = QStringLiteral("demo"))
{
    return {QStringLiteral("--root"), root, QStringLiteral("--system"), system};
}

ChildResult vrexctl(const QStringList &arguments,
                    const QProcessEnvironment &environment = cleanChildEnvironment())
{
    return runChild(QStringLiteral(VREXCTL), arguments, environment);
}

QJsonDocument parseJson(const QByteArray &out)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out.constData();
    return document;
}

QJsonObject findByName(const QJsonArray &array, const QString &name)
{
    for (const QJsonValue &value : array) {
        if (value[QLatin1String("name")].toString() == name)
            return value.toObject();
    }
    ADD_FAILURE() << "no entry " << name.toStdString();
    return {};
}

QStringList namesOf(const QJsonArray &array)
{
    QStringList names;
    for (const QJsonValue &value : array)
        names.append(value[QLatin1String("name")].toString());
    return names;
}

// The outer environment of the run: the library attaches to this one before
// vrexctl's main() runs.
QProcessEnvironment environmentPointingAt(const QString &root, const QString &system)
{
    QProcessEnvironment environment = cleanChildEnvironment();
    environment.insert(QStringLiteral("ZT_ROOT"), root);
    environment.insert(QStringLiteral("ZT_SYSTEM"), system);
    return environment;
}

} // namespace

// --- command line

struct UsageCase
{
    const char *name;
    QStringList arguments;
};

void PrintTo(const UsageCase &usage, std::ostream *os) { *os << usage.name; }

class UsageErrors : public ::testing::TestWithParam<UsageCase> { };

TEST_P(UsageErrors, ExitWithTwoAndExplainOnStderrOnly)
{
    const ChildResult result = vrexctl(GetParam().arguments);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.constData();
    EXPECT_TRUE(result.err.startsWith("vrexctl: ")) << result.err.constData();
}

INSTANTIATE_TEST_SUITE_P(
        Vrexctl, UsageErrors,
        ::testing::Values(
                UsageCase{"NoCommand", {}},
                UsageCase{"UnknownCommand", {QStringLiteral("frobnicate")}},
                UsageCase{"UnknownOption", {QStringLiteral("--frob"), QStringLiteral("check")}},
                UsageCase{"DumpWithoutWhat", {QStringLiteral("dump")}},
                UsageCase{"DumpUnknownRegistry", {QStringLiteral("dump"), QStringLiteral("everything")}},
                UsageCase{"LookupWithoutInstance", {QStringLiteral("lookup")}},
                UsageCase{"LookupTooManyArguments",
                          {QStringLiteral("lookup"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
                UsageCase{"StylesTooManyArguments", {QStringLiteral("styles"), QStringLiteral("a"), QStringLiteral("b")}},
                UsageCase{"CheckWithArgument", {QStringLiteral("check"), QStringLiteral("all")}},
                UsageCase{"RootWithoutValue", {QStringLiteral("check"), QStringLiteral("--root")}}),
        [](const ::testing::TestParamInfo<UsageCase> &info) { return std::string(info.param.name); });

TEST(Vrexctl, HelpAndVersionExitZero)
{
    const ChildResult help = vrexctl({QStringLiteral("--help")});
    ASSERT_TRUE(help.finished);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: vrexctl ")) << help.out.constData();
    for (const char *command : {"dump", "lookup", "styles", "check", "--json", "--root", "--system", "--verbose"})
        EXPECT_TRUE(help.out.contains(command)) << command;

    const ChildResult version = vrexctl({QStringLiteral("--version")});
    ASSERT_TRUE(version.finished);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("vrexctl " VREXCTL_VERSION "\n"));
}

// --- the example site

TEST(VrexctlExampleSite, CheckIsCleanWithOneSummaryLine)
{
    const ChildResult result = vrexctl(siteOptions(kExampleSite) << QStringLiteral("check"));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.out.constData();
    EXPECT_TRUE(result.out.startsWith("ok: ")) << result.out.constData();
    EXPECT_EQ(result.out.count('\n'), 1);
    EXPECT_TRUE(result.err.isEmpty()) << result.err.constData();
}

TEST(VrexctlExampleSite, EveryDumpParsesAsJsonAndAgreesWithTheCheckCounts)
{
    const ChildResult check = vrexctl(siteOptions(kExampleSite) << QStringLiteral("--json") << QStringLiteral("check"));
    ASSERT_EQ(check.exitCode, 0);
    const QJsonObject counts = parseJson(check.out).object()[QLatin1String("counts")].toObject();

    const std::pair<const char *, const char *> registries[] = {
        {"instances", "instances"}, {"devicetypes", "devicetypes"},
        {"complex", "complextypes"}, {"styles", "styles"}};
    for (const auto &[registry, countKey] : registries) {
        SCOPED_TRACE(registry);
        const ChildResult dump = vrexctl(siteOptions(kExampleSite) << QStringLiteral("--json")
                                                 << QStringLiteral("dump") << QLatin1String(registry));
        ASSERT_EQ(dump.exitCode, 0);
        const QJsonDocument document = parseJson(dump.out);
        ASSERT_TRUE(document.isArray());
        EXPECT_GT(document.array().size(), 0);
        EXPECT_EQ(document.array().size(), counts[QLatin1String(countKey)].toInt());
        // Registry order: ascending names.
        QStringList names = namesOf(document.array());
        QStringList sorted = names;
        sorted.sort();
        EXPECT_EQ(names, sorted);
    }
}

TEST(VrexctlExampleSite, LookupFollowsATwoHopChainToTheLibrarysNumbers)
{
    const QStringList site = siteOptions(kExampleSite);
    const ChildResult text = vrexctl(site + QStringList{QStringLiteral("lookup"), QStringLiteral("cam1"), QStringLiteral("zoom")});
    ASSERT_EQ(text.exitCode, 0) << text.err.constData();
    EXPECT_TRUE(text.out.startsWith("cam1.zoom -> lens1.zoom\nlens1.zoom -> servo1.position\n"))
            << text.out.constData();

    const ChildResult json = vrexctl(site + QStringList{QStringLiteral("--json"), QStringLiteral("lookup"),
                                                        QStringLiteral("cam1"), QStringLiteral("zoom")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject answer = parseJson(json.out).object();
    EXPECT_EQ(answer[QLatin1String("hops")].toArray().size(), 2);
    EXPECT_TRUE(answer[QLatin1String("resolved")].toBool());

    // The final numbers are the last hop's, the alternative id the first
    // instance's: compare with what the registries hold.
    const QJsonArray instances = parseJson(vrexctl(site + QStringList{QStringLiteral("--json"), QStringLiteral("dump"),
                                                                      QStringLiteral("instances")}).out).array();
    const QJsonArray types = parseJson(vrexctl(site + QStringList{QStringLiteral("--json"), QStringLiteral("dump"),
                                                                  QStringLiteral("devicetypes")}).out).array();
    const QJsonObject servo = findByName(instances, QStringLiteral("servo1"));
    const QJsonObject servoType = findByName(types, servo[QLatin1String("type")].toString().toLower());
    EXPECT_EQ(answer[QLatin1String("device")], servo[QLatin1String("device")]);
    EXPECT_EQ(answer[QLatin1String("offset")], servo[QLatin1String("offset")]);
    EXPECT_EQ(answer[QLatin1String("slot")], servoType[QLatin1String("params")][QLatin1String("position")]);
    EXPECT_EQ(answer[QLatin1String("drivertype")], servoType[QLatin1String("drivertype")]);
    EXPECT_EQ(answer[QLatin1String("alt_id")], findByName(instances, QStringLiteral("cam1"))[QLatin1String("alt_id")]);
}

TEST(VrexctlExampleSite, UnknownNamesExitWithOne)
{
    const QStringList site = siteOptions(kExampleSite);
    for (const QStringList &arguments : {QStringList{QStringLiteral("lookup"), QStringLiteral("nosuch")},
                                         QStringList{QStringLiteral("lookup"), QStringLiteral("nosuch"), QStringLiteral("zoom")},
                                         QStringList{QStringLiteral("lookup"), QStringLiteral("cam1"), QStringLiteral("nosuch")},
                                         QStringList{QStringLiteral("lookup"), QStringLiteral("CAM1")},
                                         QStringList{QStringLiteral("styles"), QStringLiteral("nosuch")}}) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult result = vrexctl(site + arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.startsWith("vrexctl: ")) << result.err.constData();
    }
}

// --- isolation from the environment the library attached in

TEST(Vrexctl, RootOptionsReplaceTheEnvironmentsInstallation)
{
    FixtureTree tree(QStringLiteral("other"));
    tree.write(QStringLiteral("instances.xml"),
               "<instances><instance id=\"only\" type=\"Unit\" ref=\"device=9\"/></instances>");
    // The library attaches to the example site first; nothing of it may show.
    const QProcessEnvironment outer = environmentPointingAt(kExampleSite, QStringLiteral("demo"));

    const ChildResult instances = vrexctl(siteOptions(tree.root(), QStringLiteral("other"))
                                                  << QStringLiteral("--json") << QStringLiteral("dump")
                                                  << QStringLiteral("instances"),
                                          outer);
    ASSERT_EQ(instances.exitCode, 0);
    EXPECT_EQ(namesOf(parseJson(instances.out).array()), QStringList{QStringLiteral("only")});

    for (const char *registry : {"styles", "devicetypes", "complex"}) {
        const ChildResult dump = vrexctl(siteOptions(tree.root(), QStringLiteral("other"))
                                                 << QStringLiteral("--json") << QStringLiteral("dump")
                                                 << QLatin1String(registry),
                                         outer);
        EXPECT_EQ(parseJson(dump.out).array().size(), 0) << registry;
    }

    // --system alone keeps the environment's root.
    const ChildResult systemOnly = vrexctl({QStringLiteral("--system"), QStringLiteral("other"), QStringLiteral("--json"),
                                            QStringLiteral("dump"), QStringLiteral("instances")},
                                           environmentPointingAt(tree.root(), QStringLiteral("demo")));
    EXPECT_EQ(namesOf(parseJson(systemOnly.out).array()), QStringList{QStringLiteral("only")});
}

// --- check and redirection problems

struct DefectCase
{
    const char *name;
    const char *file;       // relative to the config directory
    QByteArray contents;    // replaces the clean installation's file; empty: remove it
    const char *kind;       // the one problem the check reports
    const char *message;    // ...whose message contains this
};

void PrintTo(const DefectCase &defect, std::ostream *os) { *os << defect.name; }

class CheckFindsDefect : public ::testing::TestWithParam<DefectCase> { };

TEST_P(CheckFindsDefect, ReportsExactlyThatProblem)
{
    const DefectCase &defect = GetParam();
    FixtureTree tree;
    writeCleanInstallation(tree);
    if (defect.contents.isEmpty())
        tree.remove(QString::fromLatin1(defect.file));
    else
        tree.write(QString::fromLatin1(defect.file), defect.contents);

    const ChildResult json = vrexctl(siteOptions(tree.root()) << QStringLiteral("--json") << QStringLiteral("check"));
    ASSERT_TRUE(json.finished);
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject report = parseJson(json.out).object();
    EXPECT_FALSE(report[QLatin1String("ok")].toBool());
    const QJsonArray problems = report[QLatin1String("problems")].toArray();
    ASSERT_EQ(problems.size(), 1) << json.out.constData();
    EXPECT_EQ(problems.at(0)[QLatin1String("kind")].toString(), QLatin1String(defect.kind));
    EXPECT_TRUE(problems.at(0)[QLatin1String("message")].toString().contains(QLatin1String(defect.message)))
            << json.out.constData();

    const ChildResult text = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_TRUE(text.out.startsWith(QByteArray(defect.kind) + ": ")) << text.out.constData();
    EXPECT_TRUE(text.err.isEmpty()) << text.err.constData();
}

INSTANTIATE_TEST_SUITE_P(
        Vrexctl, CheckFindsDefect,
        ::testing::Values(
                DefectCase{"MissingStylesheet", "stylesheet/vrex_style.xml", {}, "loader",
                           "Could not find the Stylesheet file:"},
                DefectCase{"MalformedDeviceType", "devicetypes/Broken.xml", "<device_description", "loader",
                           "vrex_instance_lookup: Error in device type file - Broken"},
                DefectCase{"UnknownDeviceType", "instances.xml",
                           QByteArray(kCleanInstances).replace("</instances>", "<instance id=\"c\" type=\"Ghost\"/></instances>"),
                           "device-type", "\"Ghost\""},
                DefectCase{"GroupNamesUnknownInstance", "instances.xml",
                           QByteArray(kCleanInstances).replace("instance=\"a\"", "instance=\"zz\""), "group",
                           "\"zz\""},
                DefectCase{"UnknownComplexType", "instances.xml",
                           QByteArray(kCleanInstances).replace("complex=Pair", "complex=Trio"), "complex-type",
                           "\"Trio\""},
                DefectCase{"RedirectionToUnknownInstance", "complex_instances/Pair.xml",
                           QByteArray(kCleanPair).replace("device=\"b\"", "device=\"zz\""), "redirection",
                           "\"zz\""},
                DefectCase{"RedirectionToUnknownParameter", "complex_instances/Pair.xml",
                           QByteArray(kCleanPair).replace("param=\"gain\"", "param=\"volume\""), "unresolved",
                           "\"volume\""},
                DefectCase{"SlotZeroWithoutRedirection", "complex_instances/Pair.xml",
                           "<Pair><member id=\"a\"/></Pair>", "unresolved", "a.level"},
                DefectCase{"SelfRedirection", "complex_instances/Pair.xml",
                           QByteArray(kCleanPair).replace("device=\"b\" param=\"gain\"", "device=\"a\" param=\"level\""),
                           "cycle", "a.level -> a.level"}),
        [](const ::testing::TestParamInfo<DefectCase> &info) { return std::string(info.param.name); });

// The installation the defect cases start from passes.
TEST(Vrexctl, CleanInstallationPassesTheCheck)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    const ChildResult result = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.out.constData();
    EXPECT_TRUE(result.out.startsWith("ok: 1 styles, 3 instances, 1 device types, 1 complex types, 1 redirections\n"))
            << result.out.constData();
}

TEST(Vrexctl, CycleOverTwoInstancesIsReportedOnceAndStopsTheLookup)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.write(QStringLiteral("instances.xml"),
               "<instances>\n"
               "  <instance id=\"a\" type=\"Unit\" ref=\"device=1,complex=Pair\"/>\n"
               "  <instance id=\"b\" type=\"Unit\" ref=\"device=2,complex=Pair\"/>\n"
               "</instances>\n");
    tree.write(QStringLiteral("complex_instances/Pair.xml"),
               "<Pair><member id=\"a\"><param id=\"level\" device=\"b\" param=\"level\"/></member>"
               "<member id=\"b\"><param id=\"level\" device=\"a\" param=\"level\"/></member></Pair>");

    const ChildResult lookup = vrexctl(siteOptions(tree.root()) << QStringLiteral("lookup") << QStringLiteral("b")
                                                                << QStringLiteral("level"));
    ASSERT_TRUE(lookup.finished);
    EXPECT_EQ(lookup.exitCode, 1);
    EXPECT_EQ(lookup.out, QByteArray("b.level -> a.level\na.level -> b.level\n"));
    EXPECT_EQ(lookup.err, QByteArray("vrexctl: redirection cycle: b.level -> a.level -> b.level\n"));

    // Reached from a.level and from b.level: one cycle.
    const ChildResult check = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out, QByteArray("cycle: redirection cycle: a.level -> b.level -> a.level\n1 problem(s) found\n"));
}

TEST(Vrexctl, BrokenHopNamesWhereTheChainBreaks)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.write(QStringLiteral("complex_instances/Pair.xml"), QByteArray(kCleanPair).replace("device=\"b\"", "device=\"zz\""));

    const ChildResult result = vrexctl(siteOptions(tree.root()) << QStringLiteral("lookup") << QStringLiteral("a")
                                                                << QStringLiteral("level"));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, QByteArray("a.level -> zz.gain\n"));
    EXPECT_TRUE(result.err.startsWith("vrexctl: cannot resolve a.level (at zz.gain): ")) << result.err.constData();
}

// --- diagnostics

TEST(Vrexctl, LibraryDiagnosticsReachStderrOnlyWithVerbose)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.write(QStringLiteral("devicetypes/Broken.xml"), "<device_description");
    // The outer installation is broken too: its attach lines and messages
    // are written before main().
    const QProcessEnvironment outer = environmentPointingAt(tree.root(), QStringLiteral("nothing-here"));
    const QStringList arguments = siteOptions(tree.root()) << QStringLiteral("dump") << QStringLiteral("devicetypes");

    const ChildResult quiet = vrexctl(arguments, outer);
    ASSERT_EQ(quiet.exitCode, 0);
    EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.constData();

    const ChildResult verbose = vrexctl(QStringList{QStringLiteral("-v")} + arguments, outer);
    ASSERT_EQ(verbose.exitCode, 0);
    EXPECT_EQ(verbose.out, quiet.out);
    const QByteArray attachLine = "vrex_stylesheet: loading stylesheets\n";
    const QByteArray outerMessage = "vrex_instance_lookup: Could not find the instances";
    const QByteArray reloadMessage = "vrex_instance_lookup: Error in device type file - Broken\n";
    EXPECT_TRUE(verbose.err.startsWith(attachLine)) << verbose.err.constData();
    EXPECT_TRUE(verbose.err.contains(outerMessage));
    // Start-up lines first, then those of vrexctl's own load.
    EXPECT_LT(verbose.err.indexOf(outerMessage), verbose.err.indexOf(reloadMessage));
    EXPECT_TRUE(verbose.err.endsWith(reloadMessage)) << verbose.err.constData();
}
