// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl as its users meet it: the command line, which installation it
// reads, machine-readable output, redirection hops, answers from a broken
// installation, and the check, one row per mistake on a small clean
// installation, each with its JSON form. The installation is always
// named with --root/--system, except where the environment's default is the
// point.
#include "child_process.h"
#include "support/fixture_tree.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrextest;

namespace {

const QString kExampleSite = QStringLiteral(EXAMPLE_SITE);

// An installation the check finds nothing wrong with; each row below
// changes one of its files.
const std::map<QString, QByteArray> kCleanFiles = {
    {QStringLiteral("stylesheet/vrex_style.xml"),
     "<!DOCTYPE stylesheet>\n<stylesheet>\n"
     "  <style name=\"alarm\" type=\"state\" suitablefor=\"QLabel\" description=\"Alarm\">\n"
     "    <setting value=\"color: #ffffff\"/>\n"
     "  </style>\n"
     "</stylesheet>\n"},
    {QStringLiteral("instances.xml"),
     "<instances>\n"
     "  <instance id=\"a\" type=\"Unit\" ref=\"device=1,offset=0,complex=Pair\"/>\n"
     "  <instance id=\"b\" type=\"Unit\" ref=\"device=2,offset=5\"/>\n"
     "  <instance id=\"all\" type=\"Unit\" composite=\"yes\"><group id=\"first\" instance=\"a\"/></instance>\n"
     "</instances>\n"},
    {QStringLiteral("devicetypes/Unit.xml"),
     "<device_description drivertype=\"generic\" slotspacing=\"4\">\n"
     "  <p name=\"level\" slot=\"0\"/>\n"
     "  <p name=\"gain\" slot=\"7\"/>\n"
     "</device_description>\n"},
    {QStringLiteral("complex_instances/Pair.xml"),
     "<Pair>\n"
     "  <member id=\"a\">\n"
     "    <param id=\"level\" device=\"b\" param=\"gain\"/>\n"
     "  </member>\n"
     "</Pair>\n"},
};

void writeCleanInstallation(const FixtureTree &tree)
{
    for (const auto &[file, contents] : kCleanFiles)
        tree.write(file, contents);
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

QStringList args(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list.append(QString::fromUtf8(word));
    return list;
}

QJsonDocument parseJson(const QByteArray &out)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out.constData();
    return document;
}

QJsonObject jsonOf(const ChildResult &result)
{
    return parseJson(result.out).object();
}

QStringList documentedCodes()
{
    static const QStringList codes = [] {
        QStringList list;
        for (const QJsonValue &rule : parseJson(vrexctl(args({"--json", "help", "codes"})).out)[QLatin1String("codes")].toArray())
            list.append(rule[QLatin1String("code")].toString());
        return list;
    }();
    return codes;
}

QStringList namesOf(const QJsonArray &array)
{
    QStringList names;
    for (const QJsonValue &value : array)
        names.append(value[QLatin1String("name")].toString());
    return names;
}

} // namespace

// --- command line: answers without an installation, or without finding it

TEST(VrexctlCommandLine, AnswersWithoutLoading)
{
    // out: stdout (exit 0) or stderr (otherwise) contains this.
    struct Row { const char *name; QStringList arguments; int exitCode; const char *out; };
    const Row rows[] = {
        {"Help", args({"--help"}), 0, "Usage: vrexctl [options] command"},
        {"Version", args({"--version"}), 0, "vrexctl " VREXCTL_VERSION "\n"},
        {"VersionAsJson", args({"--json", "--version"}), 0,
            "{\n    \"schema\": 2,\n    \"command\": \"version\",\n    \"name\": \"vrexctl\",\n    \"version\": \"" VREXCTL_VERSION},
        {"HelpAllHasEachCommandsHelp", args({"--help-all"}), 0, "Usage: vrexctl [options] styles [NAME]"},
        {"HelpCommand", args({"help", "check"}), 0, "Usage: vrexctl [options] check\n"},
        {"CommandHelp", args({"lookup", "--help"}), 0, "Usage: vrexctl [options] lookup INSTANCE"},
        {"NoCommand", {}, 2, "no command given"},
        {"MistypedCommand", args({"chek"}), 2, "unknown command \"chek\"; did you mean \"check\"?"},
        {"UnknownCommand", args({"frobnicate"}), 2, "unknown command \"frobnicate\"\n"},
        {"HelpOnUnknownCommand", args({"help", "lokup"}), 2, "did you mean \"lookup\"?"},
        {"UnknownOption", args({"--frob", "check"}), 2, "frob"},
        {"DumpUnknownRegistry", args({"dump", "everything"}), 2, "cannot dump"},
        {"LookupTooManyArguments", args({"lookup", "a", "b", "c"}), 2, "usage: vrexctl lookup"},
        {"CheckWithArgument", args({"check", "all"}), 2, "usage: vrexctl check"},
        {"NamesOfUnknownKind", args({"names", "everything"}), 2, "cannot list \"everything\""},
        {"NamesParamsWithoutInstance", args({"names", "params"}), 2, "usage: vrexctl names"},
        {"NamesStylesWithInstance", args({"names", "styles", "a"}), 2, "usage: vrexctl names"},
        {"RootWithoutValue", args({"check", "--root"}), 2, "root"},
        {"BadColor", args({"--color=sometimes", "check"}), 2, "--color"},
        {"BadFailOn", args({"--fail-on=note", "check"}), 2, "--fail-on"},
        {"BadMaxProblems", args({"--max-problems=-1", "check"}), 2, "--max-problems"},
        {"NoRoot", args({"--root", "/nonexistent", "--system", "s", "dump", "styles"}), 3,
            "installation root '/nonexistent' (from --root) is no directory; give the right one with --root"},
        {"NoSystem", args({"--root", EXAMPLE_SITE, "--system", "nosuch", "--json", "styles"}), 3,
            "\"command\": \"styles\",\n    \"error\": \"system directory '" EXAMPLE_SITE "/nosuch'"},
        {"Explain", args({"explain", "not-a-number"}), 0, "not-a-number (warning): "},
        {"ExplainTypo", args({"explain", "not-a-numbr"}), 1, "no code \"not-a-numbr\"; did you mean \"not-a-number\"?"},
        {"HelpCodes", args({"help", "codes"}), 0, "\nunused-suppression  note\n"},
        {"FixAndDiff", args({"check", "--fix", "--diff"}), 2, "one at a time"},
        {"JsonAndSarif", args({"--json", "--format=sarif", "check"}), 2, "--json is --format=json"},
        {"SarifForDump", args({"--format=sarif", "dump", "styles"}), 2, "dump prints text, json, not \"sarif\""},
        {"CheckOptionElsewhere", args({"--baseline", "b.json", "styles"}), 2, "--baseline is an option of check"},
        {"NoConfig", args({"--root", EXAMPLE_SITE "/..", "--system", "site", "check"}), 3,
            "/site: error: '" EXAMPLE_SITE "/../site' has no config directory, so it is no installation; "
            "check --root and --system, or ZT_ROOT and ZT_SYSTEM [installation-not-found]\n"},
    };
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        const ChildResult result = vrexctl(c.arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.constData();
        if (c.exitCode == 0) {
            EXPECT_TRUE(result.out.contains(c.out)) << result.out.constData();
            EXPECT_TRUE(result.err.isEmpty()) << result.err.constData();
        } else {
            EXPECT_TRUE(result.err.startsWith("vrexctl: ")) << result.err.constData();
            EXPECT_TRUE((result.out + result.err).contains(c.out)) << result.err.constData();
        }
    }
}

// --- the example site and a generated one

// The text form of a clean check is pinned on a fixture below.
TEST(VrexctlExampleSite, CheckIsCleanAndAgreesWithEveryDump)
{
    const ChildResult check = vrexctl(siteOptions(kExampleSite) << QStringLiteral("--json") << QStringLiteral("check"));
    ASSERT_EQ(check.exitCode, 0) << check.out.constData();
    const QJsonObject report = jsonOf(check);
    EXPECT_EQ(report[QLatin1String("schema")].toInt(), 2);
    EXPECT_EQ(report[QLatin1String("command")].toString(), QLatin1String("check"));
    EXPECT_EQ(report[QLatin1String("problems")].toArray().size(), 0);
    const QJsonObject counts = report[QLatin1String("registries")].toObject();
    // The count key is also the kind "names" lists, in the dump's order.
    const std::pair<const char *, const char *> registries[] = {
        {"instances", "instances"}, {"devicetypes", "devicetypes"}, {"complex", "complextypes"}, {"styles", "styles"}};
    for (const auto &[registry, countKey] : registries) {
        SCOPED_TRACE(registry);
        const ChildResult dump = vrexctl(siteOptions(kExampleSite) + args({"--json", "dump", registry}));
        const QStringList dumped = namesOf(jsonOf(dump)[QLatin1String("entries")].toArray());
        EXPECT_EQ(dumped.size(), counts[QLatin1String(countKey)].toInt());
        const ChildResult names = vrexctl(siteOptions(kExampleSite) + args({"names", countKey}));
        EXPECT_EQ(names.out, dumped.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    // "settings" is a list wherever it appears.
    const QJsonArray styles = jsonOf(vrexctl(siteOptions(kExampleSite) + args({"--json", "styles"})))[QLatin1String("styles")].toArray();
    EXPECT_TRUE(!styles.isEmpty() && styles.at(0)[QLatin1String("settings")].isArray());
}

TEST(VrexctlExampleSite, LookupFollowsATwoHopChainToTheLibrarysNumbers)
{
    const QStringList site = siteOptions(kExampleSite);
    const ChildResult text = vrexctl(site + args({"lookup", "cam1", "zoom"}));
    ASSERT_EQ(text.exitCode, 0) << text.err.constData();
    EXPECT_TRUE(text.out.startsWith("cam1.zoom -> lens1.zoom\nlens1.zoom -> servo1.position\n")) << text.out.constData();

    const ChildResult json = vrexctl(site + args({"--json", "lookup", "cam1", "zoom"}));
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject answer = jsonOf(json);
    const QJsonArray hops = answer[QLatin1String("hops")].toArray();
    ASSERT_EQ(hops.size(), 2);
    EXPECT_EQ(hops.at(1).toObject(), (QJsonObject{{QStringLiteral("complex"), QStringLiteral("LensDrive")},
                                                  {QStringLiteral("from"), QJsonObject{{QStringLiteral("instance"), QStringLiteral("lens1")},
                                                                                       {QStringLiteral("parameter"), QStringLiteral("zoom")}}},
                                                  {QStringLiteral("to"), QJsonObject{{QStringLiteral("instance"), QStringLiteral("servo1")},
                                                                                     {QStringLiteral("parameter"), QStringLiteral("position")}}}}));
    EXPECT_TRUE(answer[QLatin1String("resolved")].toBool());
    // The last hop's numbers (servo1, a "generic" servo, slot 1), the first
    // instance's alternative id.
    const QJsonObject expected{{QStringLiteral("device"), 15}, {QStringLiteral("offset"), 0}, {QStringLiteral("slot"), 1},
                               {QStringLiteral("drivertype"), 2}, {QStringLiteral("alt_id"), QStringLiteral("CAM-A1")}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(answer[it.key()], it.value()) << it.key().toStdString();
}

TEST(VrexctlExampleSite, UnknownNamesExitWithOneAndAnswerInJsonToo)
{
    const std::pair<QStringList, const char *> cases[] = {
        {args({"lookup", "cam7"}), "did you mean \"cam1\", \"cam2\" or \"cam3\"?"}, // a tie
        {args({"lookup", "CAM1"}), "did you mean \"cam1\"?"},
        {args({"lookup", "nosuch", "zoom"}), "nosuch"},
        {args({"lookup", "cam1", "nosuch"}), "nosuch"},
        {args({"styles", "nosuch"}), "no style \"nosuch\""},
        {args({"names", "params", "cam7"}), "did you mean \"cam1\", \"cam2\" or \"cam3\"?"}};
    for (const auto &[arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult text = vrexctl(siteOptions(kExampleSite) + arguments);
        EXPECT_EQ(text.exitCode, 1);
        EXPECT_TRUE(text.err.startsWith("vrexctl: ") && text.err.contains(message)) << text.err.constData();
        const ChildResult json = vrexctl(siteOptions(kExampleSite) + QStringList{QStringLiteral("--json")} + arguments);
        EXPECT_EQ(json.exitCode, 1);
        const QJsonObject answer = jsonOf(json);
        EXPECT_TRUE(answer[QLatin1String("error")].toString().contains(QLatin1String(message)));
        EXPECT_EQ(answer[QLatin1String("command")].toString(), arguments.constFirst());
        // Names say whether they were found, parameters whether they resolve.
        EXPECT_EQ(answer.contains(QLatin1String("found")) || answer.contains(QLatin1String("resolved")), true);
        EXPECT_FALSE(answer[QLatin1String("found")].toBool() || answer[QLatin1String("resolved")].toBool());
    }
}

TEST(Vrexctl, GeneratedSitePassesTheCheck)
{
    QTemporaryDir site;
    ASSERT_EQ(QProcess::execute(QStringLiteral("python3"),
                                {QStringLiteral(GENERATE_SITE), QStringLiteral("small"), site.path()}), 0);
    const ChildResult check = vrexctl(siteOptions(site.path(), QStringLiteral("bench")) << QStringLiteral("check"));
    EXPECT_EQ(check.exitCode, 0) << check.out.left(2000).constData();
    EXPECT_TRUE(check.out.isEmpty());
}

// --- which installation, and what of it is read

TEST(Vrexctl, RootOptionsReplaceTheEnvironmentsInstallation)
{
    FixtureTree tree(QStringLiteral("other"));
    tree.write(QStringLiteral("instances.xml"),
               "<instances><instance id=\"only\" type=\"Unit\" ref=\"device=9\"/></instances>");
    // ZT_ROOT/ZT_SYSTEM are vrexctl's default; the options win over them.
    const QProcessEnvironment outer = cleanChildEnvironment(kExampleSite, QStringLiteral("demo"));
    for (const char *registry : {"instances", "styles", "devicetypes", "complex"}) {
        const ChildResult dump =
                vrexctl(siteOptions(tree.root(), QStringLiteral("other")) + args({"--json", "dump", registry}), outer);
        EXPECT_EQ(namesOf(jsonOf(dump)[QLatin1String("entries")].toArray()),
                  qstrcmp(registry, "instances") == 0 ? QStringList{QStringLiteral("only")} : QStringList{})
                << registry;
    }
    // --system alone keeps the environment's root.
    const ChildResult systemOnly = vrexctl(args({"--system", "other", "--json", "dump", "instances"}),
                                           cleanChildEnvironment(tree.root(), QStringLiteral("demo")));
    EXPECT_EQ(namesOf(jsonOf(systemOnly)[QLatin1String("entries")].toArray()), QStringList{QStringLiteral("only")});
}

TEST(Vrexctl, VerboseWritesEachDiagnosticOfTheFilesReadAsOneLabelledLine)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.remove(QStringLiteral("stylesheet/vrex_style.xml")); // a message that spans lines
    tree.write(QStringLiteral("devicetypes/Broken.xml"), "<device_description");
    const QByteArray label = "vrexctl: load of " + QFile::encodeName(tree.root()) + "/demo: ";
    const QByteArray styles = label + "Could not find the Stylesheet file:\\n\\t"
            + QFile::encodeName(tree.path(QStringLiteral("stylesheet/vrex_style.xml"))) + "\n";
    const QByteArray broken = label + "vrex_instance_lookup: Error in device type file - Broken\n";
    const std::pair<QStringList, QByteArray> rows[] = {
        {args({"dump", "devicetypes"}), broken}, // the device types alone are read
        {args({"-q", "check"}), styles + broken}, // everything, in load order
    };
    for (const auto &[arguments, lines] : rows) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult quiet = vrexctl(siteOptions(tree.root()) + arguments);
        const ChildResult verbose = vrexctl(siteOptions(tree.root()) + QStringList{QStringLiteral("-v")} + arguments);
        EXPECT_EQ(verbose.exitCode, quiet.exitCode);
        EXPECT_EQ(verbose.out, quiet.out);
        EXPECT_EQ(verbose.err, quiet.err + lines);
    }
}

// An instance's parameters are found through the device-type key, as the
// library's lookups find them: "Unit" is registered as "unit".
TEST(Vrexctl, NamesFindAnInstancesParametersThroughTheDeviceTypeKey)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    const ChildResult names = vrexctl(siteOptions(tree.root()) + args({"names", "params", "a"}));
    EXPECT_EQ(names.exitCode, 0);
    EXPECT_EQ(names.out, QByteArray("gain\nlevel\n"));
}

// --- check: one row per mistake

struct MistakeCase
{
    const char *name;
    const char *file;  // relative to the config directory
    const char *from;  // replaced in the clean file by `to`; null: `to` is the whole file
    const char *to;    // null: the file is removed; "/": a directory takes its place
    const char *code;  // a problem the check reports...
    int line;          // ...at this line (0: the file as a whole, null in JSON)
    int column;
    const char *suggestion; // "" for none; ties as "a|b", in order
    const char *message = "";  // its message contains this
    const char *related = "";  // its first related place's message
    const char *where = "";    // the file it is in, when not `file`
};
void PrintTo(const MistakeCase &c, std::ostream *os) { *os << c.name; }

class CheckFinds : public ::testing::TestWithParam<MistakeCase> { };

TEST_P(CheckFinds, TheMistakeWhereItIs)
{
    const MistakeCase &c = GetParam();
    FixtureTree tree;
    writeCleanInstallation(tree);
    const QString file = QString::fromLatin1(c.file);
    if (!c.to)
        tree.remove(file);
    else if (qstrcmp(c.to, "/") == 0)
        tree.remove(file), tree.makeDirectory(file);
    else if (kCleanFiles.count(file) && c.from)
        tree.write(file, QByteArray(kCleanFiles.at(file)).replace(c.from, c.to));
    else
        tree.remove(file), tree.write(file, c.to);

    const ChildResult json = vrexctl(siteOptions(tree.root()) << QStringLiteral("--json") << QStringLiteral("check"));
    ASSERT_TRUE(json.finished);
    EXPECT_EQ(json.exitCode, 1);
    QJsonObject found;
    for (const QJsonValue &problem : parseJson(json.out).object()[QLatin1String("problems")].toArray()) {
        if (problem[QLatin1String("code")].toString() == QLatin1String(c.code) && found.isEmpty())
            found = problem.toObject();
    }
    ASSERT_FALSE(found.isEmpty()) << json.out.constData();
    EXPECT_TRUE(documentedCodes().contains(QLatin1String(c.code))) << "undocumented: " << c.code;
    const QString where = *c.where ? QString::fromLatin1(c.where) : file;
    EXPECT_EQ(found[QLatin1String("file")].toString(), tree.path(where));
    EXPECT_EQ(found[QLatin1String("line")], c.line ? QJsonValue(c.line) : QJsonValue());
    EXPECT_EQ(found[QLatin1String("column")], c.line ? QJsonValue(c.column) : QJsonValue());
    QStringList suggestions;
    for (const QJsonValue &suggestion : found[QLatin1String("suggestion")].toArray())
        suggestions.append(suggestion.toString());
    EXPECT_EQ(suggestions.join(QLatin1Char('|')), QLatin1String(c.suggestion));
    EXPECT_TRUE(found[QLatin1String("message")].toString().contains(QLatin1String(c.message)));
    EXPECT_EQ(found[QLatin1String("related")][0][QLatin1String("message")].toString(), QLatin1String(c.related));

    // The same finding as a compiler would print it, on stdout, with the
    // suggestions said once.
    const ChildResult text = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    const QString location = c.line ? QStringLiteral("%1:%2:%3: ").arg(tree.path(where)).arg(c.line).arg(c.column)
                                    : tree.path(where) + QStringLiteral(": ");
    const QString line = QString::fromUtf8(text.out).split(QLatin1Char('\n')).filter(location)
                                 .filter(QStringLiteral("[%1]").arg(QLatin1String(c.code))).value(0);
    EXPECT_FALSE(line.isEmpty()) << text.out.constData();
    const QString first = QString::fromLatin1(c.suggestion).section(QLatin1Char('|'), 0, 0);
    if (!first.isEmpty()) {
        EXPECT_TRUE(line.contains(QStringLiteral("; did you mean '") + first + QLatin1Char('\''))) << line.toStdString();
    }
}

const MistakeCase kMistakes[] = {
    // What the files say that the library reads otherwise.
    {"DuplicateInstance", "instances.xml", "</instances>", "<instance id=\"b\" type=\"Unit\"/></instances>",
        "duplicate-instance", 5, 1, "", "'b'", "defined before here"},
    {"RefKeyTypo", "instances.xml", "device=2", "devcie=2", "unknown-ref-key", 3, 3, "device"},
    {"BlankBeforeRefKey", "instances.xml", ",offset=5", ", offset=5", "blank-in-ref-key", 3, 3, "offset"},
    {"DeviceNotANumber", "instances.xml", "device=2", "device=2a", "not-a-number", 3, 3, "", "'2a'"},
    {"SemicolonBetweenRefKeys", "instances.xml", "2,offset", "2;offset", "not-a-number", 3, 3, "device=2,offset=5",
        "Keys in ref are separated by ','"},
    {"DeviceOutOfRange", "instances.xml", "device=2", "device=2147483648", "out-of-range", 3, 3, "",
        "'2147483648' is out of range"},
    {"RefKeyGivenTwice", "instances.xml", "offset=5", "offset=5,device=16,device=17", "repeated-ref-key", 3, 3, "",
        "gives the key 'device' more than once; the library uses the last value, '17'"},
    {"NegativeDevice", "instances.xml", "device=2", "device=-12", "negative-number", 3, 3, "",
        "the library hands -12 to the host"},
    {"NegativeSlot", "devicetypes/Unit.xml", "slot=\"7\"", "slot=\"-1\"", "negative-number", 3, 3, ""},
    {"NegativeSlotSpacing", "devicetypes/Unit.xml", "\"4\"", "\"-4\"", "negative-number", 1, 1, "", "'-4'"},
    {"DriverTypeMissing", "devicetypes/Unit.xml", " drivertype=\"generic\"", "", "missing-attribute", 1, 1, "",
        "no drivertype attribute; the library reads 1 (serial)"},
    {"SlotSpacingMissing", "devicetypes/Unit.xml", " slotspacing=\"4\"", "", "missing-attribute", 1, 1, "",
        "no slotspacing attribute; the library reads 0"},
    {"SlotMissing", "devicetypes/Unit.xml", " slot=\"7\"", "", "missing-attribute", 3, 3, "", "reads slot 0"},
    {"ParameterWithoutName", "devicetypes/Unit.xml", "name=\"gain\" ", "", "empty-name", 3, 3, ""},
    {"SettingWithoutValue", "stylesheet/vrex_style.xml", " value=\"color: #ffffff\"", "", "missing-attribute", 4, 5,
        "", "the library stores an empty setting"},
    {"SettingAsText", "stylesheet/vrex_style.xml", "<setting value=\"color: #ffffff\"/>", "<setting>color: #fff</setting>",
        "unread-text", 4, 5, "", "write <setting value=\"color: #fff\"/>"},
    {"InstanceWithoutType", "instances.xml", "type=\"Unit\" ref=\"device=2", "ref=\"device=2", "missing-attribute", 3, 3,
        "", "instance 'b' has no type attribute"},
    {"UnknownChildOfInstance", "instances.xml", "<group id", "<grup id", "unread-element", 4, 50, "group",
        "<grup> inside instance 'all' is not read"},
    {"ChildOfParameter", "devicetypes/Unit.xml", "slot=\"7\"/>", "slot=\"7\"><range/></p>", "unread-element", 3, 27, "",
        "inside parameter 'gain'"},
    {"ChildOfRedirection", "complex_instances/Pair.xml", "param=\"gain\"/>", "param=\"gain\"><x/></param>",
        "unread-element", 3, 47, "", "inside redirection 'level' of member 'a'"},
    {"RedirectionOfParameterWithSlot", "complex_instances/Pair.xml", "  </member>",
        "<param id=\"gain\" device=\"b\" param=\"gain\"/></member>", "unused-redirection", 4, 1, "",
        "'gain' has slot 7", "slot 7 is set here"},
    {"MemberItsInstanceDoesNotName", "complex_instances/Pair.xml", "</Pair>", "<member id=\"b\"/></Pair>",
        "unused-member", 5, 1, "", "instance 'b' names no complex type; add complex=Pair to its ref",
        "instance 'b' is defined here"},
    {"ChainEndsOnSlotZero", "devicetypes/Unit.xml", "slot=\"7\"", "slot=\"0\"", "redirection-to-slot-0", 3, 5, "",
        "leads to 'b.gain', which has slot 0, but instance 'b' names no complex type", "slot 0 is set here",
        "complex_instances/Pair.xml"},
    {"CopyLeftBehind", "devicetypes/servo.old.xml", nullptr, "<device_description/>", "stray-type-file", 0, 0, "",
        "is read as device type 'servo.old', which no instance uses"},
    {"TwoInstancesOnOneAddress", "instances.xml", "device=2,offset=5", "device=1,offset=0", "address-clash", 3, 3, "",
        "instances 'b' and 'a' both have device 1 and offset 0 on driver type 2 (generic)", "'a' has the same address"},
    {"TwoParametersOnOneSlot", "devicetypes/Unit.xml", "</device_description>",
        "<p name=\"mute\" slot=\"7\"/></device_description>", "slot-clash", 4, 1, "", "both have slot 7",
        "'gain' has the same slot"},
    {"InstancesDifferingInCase", "instances.xml", "</instances>", "<instance id=\"A\" type=\"Unit\"/></instances>",
        "case-clash", 5, 1, "", "'A' differs from 'a' only in letter case", "'a' is defined here"},
    {"IdEndsInBlank", "instances.xml", "id=\"b\"", "id=\"b \"", "blank-in-name", 3, 3, "b", "'b ' ends in a blank"},
    {"ReferenceMissesTheBlank", "instances.xml", "id=\"b\"", "id=\"b \"", "unknown-instance", 3, 5, "b ",
        "names instance 'b'", "", "complex_instances/Pair.xml"},
    {"SlotNotANumber", "devicetypes/Unit.xml", "slot=\"7\"", "slot=\"one\"", "not-a-number", 3, 3, ""},
    {"SlotSpacingNotANumber", "devicetypes/Unit.xml", "\"4\"", "\"2x\"", "not-a-number", 1, 1, "", "'2x'"},
    {"CompositeNotExactlyYes", "instances.xml", "composite=\"yes\"", "composite=\"Yes\"", "composite-not-yes", 4, 3, "yes",
        "instance 'all': composite is 'Yes'"},
    {"GroupsWithoutComposite", "instances.xml", "composite=\"yes\"", "", "composite-not-yes", 4, 3, "yes"},
    {"InstanceAttributeTypo", "instances.xml", "type=\"Unit\" ref=\"device=2", "typ=\"Unit\" ref=\"device=2",
        "unknown-attribute", 3, 3, "type"},
    {"MemberAttributeCase", "complex_instances/Pair.xml", "member id", "member iD", "unknown-attribute", 2, 3, "id"},
    {"SettingAttributeTypo", "stylesheet/vrex_style.xml", "value=", "valeu=", "unknown-attribute", 4, 5, "value"},
    {"DriverTypeTypo", "devicetypes/Unit.xml", "generic", "gneric", "unknown-drivertype", 1, 1, "generic"},
    {"StyleTypeCase", "stylesheet/vrex_style.xml", "\"state\"", "\"State\"", "unknown-style-type", 3, 3, "state"},
    {"DuplicateGroup", "instances.xml", "</instance>", "<group id=\"first\" instance=\"b\"/></instance>", "duplicate-group",
        4, 82, "", "'first'", "first defined here"},
    {"DuplicateParameter", "devicetypes/Unit.xml", "</device_description>",
        "<p name=\"gain\" slot=\"8\"/></device_description>", "duplicate-parameter", 4, 1, "", "'gain'",
        "first defined here"},
    {"DuplicateMember", "complex_instances/Pair.xml", "</Pair>", "<member id=\"a\"/></Pair>", "duplicate-member", 5, 1, "",
        "'a'", "first defined here"},
    {"DuplicateRedirection", "complex_instances/Pair.xml", "  </member>",
        "<param id=\"level\" device=\"b\" param=\"gain\"/></member>", "duplicate-redirection", 4, 1, "", "'level'",
        "first defined here"},
    {"DuplicateStyle", "stylesheet/vrex_style.xml", "</stylesheet>", "<style name=\"alarm\"/></stylesheet>",
        "duplicate-style", 6, 1, "", "'alarm'", "first defined here"},
    {"DeviceTypeFilesDifferInCase", "devicetypes/unit.xml", nullptr, "<device_description/>", "case-clash", 0, 0, "",
        "'unit.xml'", "the other file", "devicetypes/Unit.xml"},
    // pair.XML is looked up as pair.xml, which resolves to Pair.xml.
    {"ComplexTypeFileReadForTwoNames", "complex_instances/pair.XML", nullptr, "<pair/>", "case-clash", 0, 0, "",
        "'Pair.xml' is read twice", "", "complex_instances/Pair.xml"},
    {"InstanceWithoutId", "instances.xml", "id=\"b\" ", "", "empty-name", 3, 3, ""},
    {"StyleWithoutName", "stylesheet/vrex_style.xml", "name=\"alarm\" ", "", "empty-name", 3, 3, ""},
    // What will not resolve.
    {"UnknownDeviceType", "instances.xml", "\"Unit\" ref=\"device=2", "\"Uint\" ref=\"device=2", "unknown-device-type", 3, 3,
        "unit", "'Uint'"},
    // A composite is no group of itself: 'all' is not suggested.
    {"GroupNamesUnknownInstance", "instances.xml", "instance=\"a\"", "instance=\"alll\"", "unknown-instance", 4, 50, "",
        "group 'first' of instance 'all' names instance 'alll'"},
    {"GroupNamesInstanceInOtherCase", "instances.xml", "instance=\"a\"", "instance=\"B\"", "unknown-instance", 4, 50, "b"},
    {"UnknownComplexType", "instances.xml", "complex=Pair", "complex=Pairs", "unknown-complex-type", 2, 3, "Pair"},
    {"MemberIsNoInstance", "complex_instances/Pair.xml", "member id=\"a\"", "member id=\"alll\"", "unknown-member", 2, 3,
        "all"},
    {"RedirectionOfNoParameter", "complex_instances/Pair.xml", "id=\"level\"", "id=\"levle\"", "unknown-redirection-id", 3,
        5, "level"},
    {"RedirectionToUnknownInstance", "complex_instances/Pair.xml", "device=\"b\"", "device=\"alll\"", "unknown-instance", 3,
        5, "all"},
    {"RedirectionToUnknownParameter", "complex_instances/Pair.xml", "param=\"gain\"", "param=\"gian\"", "unknown-parameter",
        3, 5, "gain"},
    {"SlotZeroWithoutRedirection", "complex_instances/Pair.xml", "<param id=\"level\" device=\"b\" param=\"gain\"/>", "",
        "missing-redirection", 2, 3, "", "'a.level'", "slot 0 is set here", "instances.xml"},
    {"SlotZeroOfNoMember", "instances.xml", "offset=5", "offset=5,complex=Pair", "missing-redirection", 3, 3, "",
        "no member 'b'; its slot-0 parameters (level)"},
    {"SelfRedirection", "complex_instances/Pair.xml", "device=\"b\" param=\"gain\"", "device=\"a\" param=\"level\"",
        "redirection-cycle", 3, 5, "", "a.level -> a.level"},
    // Files that cannot be read: one error with the reason, follow-ons folded.
    {"ComplexRootInOtherCase", "complex_instances/Pair.xml", "Pair>", "pair>", "wrong-root", 1, 1, "Pair",
        "only in letter case"},
    {"InstancesRootMisspelt", "instances.xml", "instances>", "instance>", "wrong-root", 1, 1, "instances"},
    {"InstancesRootInOtherCase", "instances.xml", "instances>", "Instances>", "wrong-root", 1, 1, "instances",
        "is 'Instances', not <instances>"},
    {"BareAmpersand", "instances.xml", "id=\"all\"", "id=\"R&D\"", "malformed-xml", 4, 20, "",
        "a '&' that stands for itself must be written &amp;"},
    {"DashesInComment", "complex_instances/Pair.xml", "<Pair>", "<Pair><!-- a -- b -->", "malformed-xml", 1, 16, "",
        "\"--\" may not stand inside a comment"},
    {"ConflictMarker", "instances.xml", "  <instance id=\"b\"", "<<<<<<< HEAD\n  <instance id=\"b\"", "malformed-xml",
        3, 2, "", "line 3 is a merge-conflict marker"},
    {"ElementNeverClosed", "devicetypes/Unit.xml", "slot=\"7\"/>", "slot=\"7\">", "malformed-xml", 4, 3, "",
        "<p>, opened at 3:3, is not closed before this end tag", "<p> is opened here"},
    {"DeviceTypesIsAFile", "devicetypes", nullptr, "x", "unreadable-directory", 0, 0, "",
        "cannot read the device-type directory: not a directory"},
    {"MalformedDeviceType", "devicetypes/Unit.xml", "</device_description>", "", "malformed-xml", 5, 1, "",
        "device-type file is not well-formed XML: ", "<device_description> is opened here"},
    {"MissingStylesheet", "stylesheet/vrex_style.xml", nullptr, nullptr, "unreadable-file", 0, 0, "",
        "stylesheet file: no such file"},
    {"DirectoryForInstances", "instances.xml", nullptr, "/", "unreadable-file", 0, 0, "", "instances file: is a directory"},
};

INSTANTIATE_TEST_SUITE_P(Vrexctl, CheckFinds, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<MistakeCase> &info) { return std::string(info.param.name); });

TEST(VrexctlCheck, CleanInstallationPassesAndFollowOnsFoldIntoTheirCause)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    const ChildResult clean = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(clean.exitCode, 0) << clean.out.constData();
    EXPECT_TRUE(clean.out.isEmpty());
    EXPECT_EQ(clean.err, "vrexctl: no problems in 3 instances, 1 device type, 1 complex type, 1 redirection and 1 style\n");

    // Without its device type, "a" has no parameter its redirection could
    // be for: one error, one note saying so.
    tree.write(QStringLiteral("devicetypes/Unit.xml"), "<device_description>");
    const ChildResult broken = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(broken.out.count('\n'), 3) << broken.out.constData(); // the error, where the root opens, the note
    EXPECT_TRUE(broken.out.contains(" note: 1 further problem follows from this and is not listed [follow-on]\n"))
            << broken.out.constData();
}

TEST(VrexctlCheck, CycleIsReportedOnceWithEachHopAndStopsTheLookup)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.write(QStringLiteral("instances.xml"),
               "<instances>\n"
               "  <instance id=\"a\" type=\"Unit\" ref=\"device=1,complex=Pair\"/>\n"
               "  <instance id=\"b\" type=\"Unit\" ref=\"device=2,complex=Pair\"/>\n"
               "</instances>\n");
    tree.write(QStringLiteral("complex_instances/Pair.xml"),
               "<Pair>\n<member id=\"a\"><param id=\"level\" device=\"b\" param=\"level\"/></member>\n"
               "<member id=\"b\"><param id=\"level\" device=\"a\" param=\"level\"/></member>\n</Pair>\n");

    const ChildResult lookup = vrexctl(siteOptions(tree.root()) + args({"lookup", "b", "level"}));
    EXPECT_EQ(lookup.exitCode, 1);
    EXPECT_EQ(lookup.out, QByteArray("b.level -> a.level\na.level -> b.level\n"));
    EXPECT_EQ(lookup.err, QByteArray("vrexctl: redirection cycle: b.level -> a.level -> b.level\n"));

    // Reached from a.level and from b.level: one cycle.
    const QString pair = tree.path(QStringLiteral("complex_instances/Pair.xml"));
    const ChildResult check = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(check.out),
              pair + QStringLiteral(":2:16: error: redirections form a cycle: a.level -> b.level -> a.level "
                                    "[redirection-cycle]\n")
                      + pair + QStringLiteral(":3:16: note: the cycle continues here [redirection-cycle]\n"));
}

// A chain that reaches an instance without its member is told once, at
// that instance, not again where the chain comes from.
TEST(VrexctlCheck, EachMistakeIsToldOnceWhereItIs)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    tree.write(QStringLiteral("instances.xml"),
               QByteArray(kCleanFiles.at(QStringLiteral("instances.xml"))).replace("offset=5", "offset=5,complex=Pair"));
    tree.write(QStringLiteral("complex_instances/Pair.xml"),
               QByteArray(kCleanFiles.at(QStringLiteral("complex_instances/Pair.xml"))).replace("\"gain\"", "\"level\""));
    const ChildResult check = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_EQ(check.out.count("[missing-redirection]"), 1) << check.out.constData();
    EXPECT_TRUE(check.out.contains("instances.xml:3:3: error: instance 'b' names complex type 'Pair', which has no "
                                   "member 'b'")) << check.out.constData();
}

// Candidates that would fit come first: an instance that names the complex
// type and is no member yet; members never. Ties are all suggested.
TEST(VrexctlCheck, SuggestionsPreferWhatFitsAndListEveryTie)
{
    struct Row { const char *name; const char *secondComplex; const char *member; const char *suggestion; };
    const Row rows[] = {
        {"AnInstanceOfTheTypeThatIsNoMember", "Pair", "lens9", "lens2"},
        {"NotAMemberAlready", "Pair", "lens1", ""}, // lens1 is the member itself: no unknown member
        {"TieBetweenTwoThatFitAlike", "", "lens3", "lens2|lens4"},
    };
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        FixtureTree tree;
        writeCleanInstallation(tree);
        const QString instances = QStringLiteral("instances.xml");
        tree.write(instances, QByteArray(kCleanFiles.at(instances)).replace("</instances>",
                "<instance id=\"lens1\" type=\"Unit\" ref=\"device=5,complex=Pair\"/>\n"
                "<instance id=\"lens2\" type=\"Unit\" ref=\"device=6,complex=" + QByteArray(c.secondComplex) + "\"/>\n"
                "<instance id=\"lens4\" type=\"Unit\" ref=\"device=7\"/>\n</instances>\n"));
        tree.write(QStringLiteral("complex_instances/Pair.xml"),
                   "<Pair><member id=\"a\"><param id=\"level\" device=\"b\" param=\"gain\"/></member>\n"
                   "<member id=\"lens1\"><param id=\"level\" device=\"b\" param=\"gain\"/></member>\n"
                   "<member id=\"" + QByteArray(c.member) + "\"/></Pair>\n");
        QStringList suggested;
        for (const QJsonValue &problem : jsonOf(vrexctl(siteOptions(tree.root()) + args({"--json", "check"})))[QLatin1String("problems")].toArray()) {
            if (problem[QLatin1String("code")] == QLatin1String("unknown-member")) {
                for (const QJsonValue &suggestion : problem[QLatin1String("suggestion")].toArray())
                    suggested.append(suggestion.toString());
            }
        }
        EXPECT_EQ(suggested.join(QLatin1Char('|')), QLatin1String(c.suggestion));
    }
}

// dump, lookup, styles and names answer from what loaded, name each file
// that did not on stderr, and exit 5 when the answer depends on it.
TEST(Vrexctl, AnswersFromABrokenInstallationSayWhichFilesFailed)
{
    struct Row { const char *name; const char *broken; QStringList arguments; int exitCode; };
    const Row rows[] = {
        {"DumpWithoutItsFile", "instances.xml", args({"dump", "instances"}), 5},
        {"LookupThroughABrokenType", "devicetypes/Unit.xml", args({"lookup", "a", "level"}), 5},
        {"InstanceNotFoundInABrokenFile", "instances.xml", args({"lookup", "a"}), 5},
        {"StylesWithoutTheirFile", "stylesheet/vrex_style.xml", args({"styles"}), 5},
        {"NamesOfABrokenType", "devicetypes/Unit.xml", args({"names", "params", "a"}), 5},
        {"AnAnswerThatDoesNotDependOnIt", "stylesheet/vrex_style.xml", args({"names", "instances"}), 0},
    };
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        FixtureTree tree;
        writeCleanInstallation(tree);
        const QString broken = QString::fromLatin1(c.broken);
        tree.write(broken, kCleanFiles.at(broken).chopped(4)); // an end tag cut short
        const ChildResult text = vrexctl(siteOptions(tree.root()) + c.arguments);
        EXPECT_EQ(text.exitCode, c.exitCode) << text.err.constData();
        const QByteArray said = QFile::encodeName(tree.path(broken)) + " could not be loaded: not well-formed XML at line ";
        EXPECT_EQ(text.err.contains(said), c.exitCode == 5) << text.err.constData();
        const ChildResult json = vrexctl(siteOptions(tree.root()) + QStringList{QStringLiteral("--json")} + c.arguments);
        EXPECT_EQ(json.exitCode, c.exitCode);
        const QJsonArray failures = jsonOf(json)[QLatin1String("load_failures")].toArray();
        EXPECT_EQ(failures.size(), c.exitCode == 5 ? 1 : 0);
        EXPECT_EQ(failures.at(0)[QLatin1String("file")].toString(), c.exitCode == 5 ? tree.path(broken) : QString());
    }
}

// What cannot be read is one finding with the system's reason; an
// installation that cannot be read at all exits 3.
TEST(VrexctlCheck, UnreadableDirectoriesAndNamesTheLibraryCannotSee)
{
    FixtureTree tree;
    writeCleanInstallation(tree);
    const QByteArray odd = QFile::encodeName(tree.path(QStringLiteral("devicetypes"))) + "/caf\xe9.xml";
    QFile(QString::fromLatin1(odd)).remove();
    FILE *file = std::fopen(odd.constData(), "w");
    ASSERT_TRUE(file);
    std::fclose(file);
    const ChildResult check = vrexctl(siteOptions(tree.root()) << QStringLiteral("check"));
    EXPECT_TRUE(check.out.contains("devicetypes/caf\\xe9.xml: warning: the file name 'caf\\xe9.xml' is not valid UTF-8; the "
                                   "library does not see the file and reads no type from it [undecodable-file-name]"))
            << check.out.constData();
    const QJsonObject json = jsonOf(vrexctl(siteOptions(tree.root()) + args({"--json", "check"})));
    EXPECT_EQ(json[QLatin1String("problems")][0][QLatin1String("file")].toString(),
              tree.path(QStringLiteral("devicetypes/caf\\xe9.xml")));
    std::remove(odd.constData());

    // Root reads everything: the check runs as nobody then.
    const bool root = ::geteuid() == 0;
    if (root && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "runs as root without setpriv";
    const auto asUser = [&](const QStringList &arguments) {
        QStringList command = siteOptions(tree.root()) + arguments;
        if (!root)
            return vrexctl(command);
        command.prepend(QStringLiteral(VREXCTL));
        command = args({"--reuid=65534", "--regid=65534", "--clear-groups"}) + command;
        return runChild(QStringLiteral("setpriv"), command, cleanChildEnvironment());
    };
    QFile::setPermissions(tree.root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                           | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString devicetypes = tree.path(QStringLiteral("devicetypes"));
    QFile::setPermissions(devicetypes, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const ChildResult directory = asUser({QStringLiteral("check")});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_TRUE(directory.out.startsWith(devicetypes.toUtf8() + ": error: cannot read the device-type directory: "
                                         "permission denied")) << directory.out.constData();
    QFile::setPermissions(tree.configDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const QStringList &command : {args({"check"}), args({"dump", "instances"})}) {
        const ChildResult config = asUser(command);
        EXPECT_EQ(config.exitCode, 3) << command.constFirst().toStdString();
        EXPECT_TRUE((config.out + config.err).contains("cannot be read: permission denied")) << config.err.constData();
    }
    QFile::setPermissions(tree.configDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(devicetypes, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// --- check: what the options do to the same findings

// Two warnings in the style file, nothing else; out and err: stdout and
// stderr contain this ("": they are empty).
TEST(VrexctlCheck, OptionsShapeTheReport)
{
    struct Row { const char *name; QStringList options; int exitCode; const char *out, *err; };
    const Row rows[] = {
        {"Default", {}, 1, "[unknown-attribute]\n", "vrexctl: 0 errors, 2 warnings, 0 notes\n"},
        {"FailOnError", args({"--fail-on=error"}), 0, "[unknown-style-type]\n", "2 warnings"},
        {"Quiet", args({"-q"}), 1, "[unknown-style-type]\n", ""},
        {"MaxProblems", args({"--max-problems", "1", "-q"}), 1, "[unknown-style-type]\n",
            "vrexctl: 1 more problem not listed (--max-problems=1; 0 lists all): 1 unknown-attribute\n"},
        {"AllProblems", args({"--max-problems=0"}), 1, "[unknown-attribute]\n", "2 warnings"},
        {"ColorAlways", args({"--color=always"}), 1, "\x1b[1;35mwarning:\x1b[0m", "2 warnings"},
        {"NoColorOffTerminal", args({"--color=auto"}), 1, ": warning: ", "2 warnings"},
    };
    FixtureTree tree;
    writeCleanInstallation(tree);
    const QString styles = QStringLiteral("stylesheet/vrex_style.xml");
    tree.write(styles, QByteArray(kCleanFiles.at(styles)).replace("\"state\"", "\"State\"").replace("value=", "valeu=\"x\" value="));
    QProcessEnvironment environment = cleanChildEnvironment();
    environment.insert(QStringLiteral("NO_COLOR"), QStringLiteral("1"));
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        const ChildResult result = vrexctl(siteOptions(tree.root()) << QStringLiteral("check") << c.options, environment);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(*c.out ? result.out.contains(c.out) : result.out.isEmpty()) << result.out.constData();
        EXPECT_TRUE(*c.err ? result.err.contains(c.err) : result.err.isEmpty()) << result.err.constData();
    }
}

TEST(Vrexctl, TablesAndNamesEscapeControlCharactersAndTablesAlignWideCharacters)
{
    FixtureTree tree;
    tree.write(QStringLiteral("instances.xml"),
               "<instances><instance id=\"\xe6\xbc\xa2\xe5\xad\x97\xe6\xbc\xa2\" type=\"T\"/>"
               "<instance id=\"abcdef\" type=\"T\"/><instance id=\"a&#10;b\" type=\"T\"/></instances>");
    const ChildResult dump = vrexctl(siteOptions(tree.root()) << QStringLiteral("dump") << QStringLiteral("instances"));
    ASSERT_EQ(dump.exitCode, 0);
    const QList<QByteArray> lines = dump.out.split('\n');
    ASSERT_EQ(lines.size(), 5) << dump.out.constData(); // header, three rows, the final line end
    EXPECT_TRUE(lines.at(1).startsWith("a\\nb    ")) << lines.at(1).constData();
    EXPECT_TRUE(lines.at(2).startsWith("abcdef  T")) << lines.at(2).constData();
    // Three characters two columns wide each: as wide as "abcdef".
    EXPECT_TRUE(lines.at(3).startsWith("\xe6\xbc\xa2\xe5\xad\x97\xe6\xbc\xa2  T")) << lines.at(3).constData();
    // One name per line, whatever the name holds.
    const ChildResult names = vrexctl(siteOptions(tree.root()) << QStringLiteral("names") << QStringLiteral("instances"));
    EXPECT_EQ(names.out, QByteArray("a\\nb\nabcdef\n\xe6\xbc\xa2\xe5\xad\x97\xe6\xbc\xa2\n"));
}

// --- check: configuration, suppression comments, baseline, formats, fixes

namespace {

struct Edit { const char *file; const char *from; const char *to; };

// The clean installation with each edit made in turn.
void writeEdited(const FixtureTree &tree, std::initializer_list<Edit> edits)
{
    writeCleanInstallation(tree);
    for (const Edit &edit : edits) {
        const QString file = QString::fromLatin1(edit.file);
        tree.write(file, readFileBytes(tree.path(file)).replace(edit.from, edit.to));
    }
}

// "FILE:LINE:CODE" for each listed problem, ">SUGGESTION" after one, "~"
// before a suppressed one.
QString problemsText(const QByteArray &json)
{
    QStringList list;
    for (const QJsonValue &p : parseJson(json).object()[QLatin1String("problems")].toArray()) {
        QString text = QStringLiteral("%1%2:%3:%4")
                               .arg(p[QLatin1String("suppression")].isObject() ? QStringLiteral("~") : QString())
                               .arg(QFileInfo(p[QLatin1String("file")].toString()).fileName())
                               .arg(p[QLatin1String("line")].toInt())
                               .arg(p[QLatin1String("code")].toString());
        for (const QJsonValue &suggestion : p[QLatin1String("suggestion")].toArray())
            text += QLatin1Char('>') + suggestion.toString();
        list.append(text);
    }
    return list.join(QLatin1Char(' '));
}

ChildResult runIn(const QString &directory, const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit, process.exitCode(), process.readAllStandardOutput(),
            process.readAllStandardError()};
}

} // namespace

TEST(VrexctlCheck, ConfigurationAndSuppressionCommentsChooseWhatIsReported)
{
    const char *kCommentB = "  <!-- vrexctl: disable=unknown-ref-key because the import writes it -->\n  <instance id=\"b\"";
    struct Row { const char *name; std::initializer_list<Edit> edits; const char *ini; QStringList options; int exitCode;
                 const char *expected; };
    const Row rows[] = {
        {"CommentSuppressesTheNextElement", {{"instances.xml", "device=2", "devcie=2"},
            {"instances.xml", "  <instance id=\"b\"", kCommentB}}, nullptr, {}, 0, "~instances.xml:4:unknown-ref-key>device"},
        {"CommentLeavesTheChildren", {{"instances.xml", "instance=\"a\"", "instance=\"a\" extra=\"1\""},
            {"instances.xml", "  <instance id=\"all\"", "<!-- vrexctl: disable=unknown-attribute -->\n  <instance id=\"all\""}},
            nullptr, {}, 1, "instances.xml:4:unused-suppression instances.xml:5:unknown-attribute"},
        {"CommentSuppressesOnlyItsCodes", {{"instances.xml", "device=2", "devcie=2"},
            {"instances.xml", "  <instance id=\"b\"", "<!-- vrexctl: disable=not-a-number -->\n  <instance id=\"b\""}},
            nullptr, {}, 1, "instances.xml:3:unused-suppression instances.xml:4:unknown-ref-key>device"},
        {"FileWideComment", {{"instances.xml", "device=2", "devcie=2"}, {"instances.xml", "\"yes\"", "\"Yes\""},
            {"instances.xml", "</instances>", "<!-- vrexctl: disable-file=composite-not-yes, unknown-ref-key -->\n</instances>"}},
            nullptr, {}, 0, "~instances.xml:3:unknown-ref-key>device ~instances.xml:4:composite-not-yes>yes"},
        {"FollowOnsGoWithTheirCause", {{"devicetypes/Unit.xml", "<device_description",
            "<!-- vrexctl: disable-file=malformed-xml -->\n<device_description"}, {"devicetypes/Unit.xml", "</device_description>", ""}},
            nullptr, {}, 0, "~Unit.xml:6:malformed-xml ~Unit.xml:6:follow-on"},
        {"UnknownCodeInComment", {{"instances.xml", "device=2", "devcie=2"},
            {"instances.xml", "  <instance id=\"b\"", "<!-- vrexctl: disable=unknown-ref-kye -->\n  <instance id=\"b\""}},
            nullptr, {}, 1, "instances.xml:3:bad-suppression>unknown-ref-key instances.xml:4:unknown-ref-key>device"},
        {"ConfigDisablesACodeAndItsComments", {{"instances.xml", "device=2", "devcie=2"},
            {"instances.xml", "  <instance id=\"b\"", kCommentB}}, "[check]\ndisable = unknown-ref-key\n", {}, 0, ""},
        {"SeverityRaised", {{"instances.xml", "device=2", "devcie=2"}}, "[severity]\nunknown-ref-key = error\n",
            args({"--fail-on=error"}), 1, "instances.xml:3:unknown-ref-key>device"},
        {"SeverityOff", {{"instances.xml", "device=2", "devcie=2"}}, "[severity]\nunknown-ref-key = off\n", {}, 0, ""},
        {"FailOnFromConfig", {{"instances.xml", "device=2", "devcie=2"}}, "[check]\nfail-on = error\n", {}, 0,
            "instances.xml:3:unknown-ref-key>device"},
        {"CommandLineFailOnWins", {{"instances.xml", "device=2", "devcie=2"}}, "[check]\nfail-on = error\n",
            args({"--fail-on=warning"}), 1, "instances.xml:3:unknown-ref-key>device"},
        {"ExcludedFilePattern", {{"instances.xml", "device=2", "devcie=2"}, {"devicetypes/Unit.xml", "generic", "gneric"}},
            "[paths]\nexclude = config/devicetypes/U*.xml\n", {}, 1, "instances.xml:3:unknown-ref-key>device"},
        {"ExcludedDirectory", {{"devicetypes/Unit.xml", "generic", "gneric"}}, "[paths]\nexclude = \"config/device*\"\n",
            {}, 0, ""},
        {"MistakesInTheConfig", {}, "[check]\ndisable = unknown-ref-kye\nfail-on = warnings\n[severity]\n"
            "duplicate-stlye = error\n[pahts]\nexclude = x\nmax = 3\n", {}, 1,
            ".vrexctl.ini:2:bad-config>unknown-ref-key .vrexctl.ini:3:bad-config>warning "
            ".vrexctl.ini:5:bad-config>duplicate-style .vrexctl.ini:6:bad-config>paths"},
        {"NoConfig", {{"instances.xml", "device=2", "devcie=2"}}, "[check]\ndisable = unknown-ref-key\n",
            args({"--no-config"}), 1, "instances.xml:3:unknown-ref-key>device"},
        {"ConfigOption", {{"instances.xml", "device=2", "devcie=2"}}, "[check]\ndisable = unknown-ref-key\n",
            args({"--config", "%ROOT%/other.ini"}), 0, "instances.xml:3:unknown-ref-key>device"},
    };
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        FixtureTree tree;
        writeEdited(tree, c.edits);
        if (c.ini)
            tree.write(QStringLiteral("../.vrexctl.ini"), c.ini);
        // Another file, for --config: its findings are not suppressed but made errors.
        tree.write(QStringLiteral("../../other.ini"), "[severity]\nunknown-ref-key = note\n");
        QStringList options = c.options;
        options.replaceInStrings(QStringLiteral("%ROOT%"), tree.root());
        const ChildResult result = vrexctl(siteOptions(tree.root()) + args({"--json", "check", "--show-suppressed"}) + options);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.constData();
        EXPECT_EQ(problemsText(result.out), QLatin1String(c.expected)) << result.out.constData();
    }
}

// Written once, the baseline holds what is there; lines that move keep it
// valid, a new finding is reported alone, one that went away is fixed.
TEST(VrexctlCheck, BaselineReportsOnlyNewFindingsWhateverMoves)
{
    FixtureTree tree;
    // Two findings of one identity (two unknown attributes on "b"), one on "a".
    writeEdited(tree, {{"instances.xml", "id=\"b\"", "id=\"b\" x=\"1\" y=\"2\""}, {"instances.xml", "device=1", "devcie=1"}});
    const QString baseline = tree.root() + QStringLiteral("/baseline.json");
    const QStringList check = siteOptions(tree.root()) + args({"-q", "--json", "check"});
    ASSERT_EQ(vrexctl(check + QStringList{QStringLiteral("--write-baseline"), baseline}).exitCode, 0);
    const QByteArray written = readFileBytes(baseline);
    EXPECT_TRUE(written.contains("\"subject\": \"instance 'b'\"") && written.contains("\"count\": 2")) << written.constData();

    // Lines move, a third unknown attribute comes to "b"; the baseline,
    // written again, does not change for the moved lines.
    writeEdited(tree, {{"instances.xml", "<instances>", "<instances>\n\n<!-- moved -->\n"},
                       {"instances.xml", "id=\"b\"", "id=\"b\" x=\"1\" y=\"2\" z=\"3\""}, {"instances.xml", "device=1", "devcie=1"}});
    const ChildResult moved = vrexctl(check + QStringList{QStringLiteral("--baseline"), baseline});
    EXPECT_EQ(moved.exitCode, 1);
    EXPECT_EQ(problemsText(moved.out), QLatin1String("instances.xml:6:unknown-attribute"));
    EXPECT_EQ(parseJson(moved.out)[QLatin1String("counts")][QLatin1String("baseline")].toInt(), 3);
    writeEdited(tree, {{"instances.xml", "<instances>", "<instances>\n\n<!-- moved -->\n"},
                       {"instances.xml", "id=\"b\"", "id=\"b\" x=\"1\" y=\"2\""}, {"instances.xml", "device=1", "devcie=1"}});
    const QString again = tree.root() + QStringLiteral("/again.json");
    ASSERT_EQ(vrexctl(check + QStringList{QStringLiteral("--write-baseline"), again}).exitCode, 0);
    EXPECT_EQ(readFileBytes(again), written);

    // "a" fixed, the baseline named by the configuration: reported once as fixed.
    writeEdited(tree, {{"instances.xml", "id=\"b\"", "id=\"b\" x=\"1\" y=\"2\""}});
    tree.write(QStringLiteral("../.vrexctl.ini"), "[check]\nbaseline = ../baseline.json\n");
    const ChildResult fixed = vrexctl(siteOptions(tree.root()) + args({"--json", "check"}));
    EXPECT_EQ(fixed.exitCode, 0) << fixed.out.constData();
    EXPECT_EQ(problemsText(fixed.out), QString());
    const QJsonArray gone = parseJson(fixed.out)[QLatin1String("baseline_fixed")].toArray();
    ASSERT_EQ(gone.size(), 1);
    EXPECT_EQ(gone[0][QLatin1String("code")].toString(), QLatin1String("unknown-ref-key"));
    EXPECT_TRUE(fixed.err.contains("1 finding of the baseline is no longer found (fixed); rewrite the baseline")) << fixed.err.constData();
    EXPECT_EQ(vrexctl(check + args({"--baseline", "/nonexistent/baseline.json"})).exitCode, 2);
}

// Each CI format read the way its consumer reads it, on an installation
// whose system name holds the characters workflow commands escape.
TEST(VrexctlCheck, CiFormatsAreWhatTheirConsumersRead)
{
    FixtureTree tree(QStringLiteral("st,ud:io"));
    writeEdited(tree, {{"instances.xml", "</instances>", "<instance id=\"b\" type=\"Unit\"/></instances>"},
                       {"instances.xml", "device=1", "devcie=1"},
                       {"instances.xml", "<instance id=\"b\" type=\"Unit\" ref",
                        "<!-- vrexctl: disable=not-a-number -->\n<instance id=\"b\" type=\"Unit\" ref=\"device=x\" r"}});
    tree.remove(QStringLiteral("stylesheet/vrex_style.xml")); // a finding without a line
    const QStringList check = siteOptions(tree.root(), tree.system()) + args({"-q", "check"});
    const QJsonArray json = parseJson(vrexctl(check + args({"--json"})).out)[QLatin1String("problems")].toArray();
    ASSERT_EQ(json.size(), 4); // unknown-ref-key, duplicate-instance, unknown-attribute, unreadable-file

    // SARIF: the schema of what we emit, then what the schema cannot say.
    const ChildResult sarif = vrexctl(check + args({"--format=sarif"}));
    EXPECT_EQ(sarif.exitCode, 1);
    QProcess validator;
    validator.start(QStringLiteral("python3"), {QStringLiteral(VREXCTL_TESTS "/validate_json.py"),
                                                 QStringLiteral(VREXCTL_TESTS "/sarif-2.1.0-emitted.schema.json")});
    validator.write(sarif.out);
    validator.closeWriteChannel();
    validator.waitForFinished();
    EXPECT_EQ(validator.exitCode(), 0) << validator.readAllStandardOutput().constData();
    const QJsonObject run = parseJson(sarif.out)[QLatin1String("runs")][0].toObject();
    const QJsonArray rules = run[QLatin1String("tool")][QLatin1String("driver")][QLatin1String("rules")].toArray();
    QStringList ruleIds;
    for (const QJsonValue &rule : rules)
        ruleIds.append(rule[QLatin1String("id")].toString());
    EXPECT_EQ(ruleIds, documentedCodes());
    const QUrl base(run[QLatin1String("originalUriBaseIds")][QLatin1String("ROOT")][QLatin1String("uri")].toString());
    QStringList seen;
    for (const QJsonValue &result : run[QLatin1String("results")].toArray()) {
        const QString id = result[QLatin1String("ruleId")].toString();
        EXPECT_EQ(rules[result[QLatin1String("ruleIndex")].toInt()][QLatin1String("id")].toString(), id);
        const QJsonValue artifact = result[QLatin1String("locations")][0][QLatin1String("physicalLocation")][QLatin1String("artifactLocation")];
        EXPECT_EQ(artifact[QLatin1String("uriBaseId")].toString(), QLatin1String("ROOT"));
        const QString file = base.resolved(QUrl(artifact[QLatin1String("uri")].toString())).toLocalFile();
        EXPECT_TRUE(QFileInfo(file).dir().exists()) << file.toStdString();
        seen.append(id + (result[QLatin1String("suppressions")][0][QLatin1String("kind")].toString() == QLatin1String("inSource")
                                  ? QStringLiteral("~") : QString())
                    + QString::number(result[QLatin1String("relatedLocations")].toArray().size()));
    }
    seen.sort();
    EXPECT_EQ(seen.join(QLatin1Char(' ')),
              QLatin1String("duplicate-instance1 not-a-number~0 unknown-attribute0 unknown-ref-key0 unreadable-file0"));

    // Workflow commands, split and unescaped as the runner does; each
    // finding's file, line and column, and its note as a notice.
    const ChildResult github = vrexctl(check + args({"--format=github"}));
    QStringList commands;
    const QRegularExpression command(QStringLiteral("^::(error|warning|notice) ([^:]*)::(.*)$"));
    const auto unescape = [](QString text) {
        return text.replace(QLatin1String("%2C"), QLatin1String(",")).replace(QLatin1String("%3A"), QLatin1String(":"))
                .replace(QLatin1String("%0A"), QLatin1String("\n")).replace(QLatin1String("%25"), QLatin1String("%"));
    };
    for (const QString &line : QString::fromUtf8(github.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = command.match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        QMap<QString, QString> properties;
        for (const QString &property : match.captured(2).split(QLatin1Char(',')))
            properties.insert(property.section(QLatin1Char('='), 0, 0), unescape(property.section(QLatin1Char('='), 1)));
        EXPECT_EQ(QDir::current().absoluteFilePath(properties.value(QStringLiteral("file"))).contains(QLatin1String("/st,ud:io/")), true);
        commands.append(QStringLiteral("%1 %2 %3:%4").arg(match.captured(1), properties.value(QStringLiteral("title")),
                                                          properties.value(QStringLiteral("line")), properties.value(QStringLiteral("col"))));
    }
    EXPECT_EQ(commands.join(QLatin1Char('|')), QLatin1String("warning unknown-ref-key 2:3|warning unknown-attribute 4:1|"
                                                             "warning duplicate-instance 6:1|notice duplicate-instance 4:1|"
                                                             "error unreadable-file :"));

    // Code Quality: the fields a merge request reads, one fingerprint per
    // finding, the same after lines move.
    const auto fingerprints = [&] {
        QStringList list;
        for (const QJsonValue &issue : parseJson(vrexctl(check + args({"--format=gitlab"})).out).array()) {
            for (const char *field : {"description", "check_name", "fingerprint", "severity"})
                EXPECT_FALSE(issue[QLatin1String(field)].toString().isEmpty()) << field;
            EXPECT_TRUE(QStringList({QStringLiteral("info"), QStringLiteral("minor"), QStringLiteral("major")})
                                .contains(issue[QLatin1String("severity")].toString()));
            EXPECT_TRUE(QFileInfo::exists(issue[QLatin1String("location")][QLatin1String("path")].toString())
                        || issue[QLatin1String("check_name")] == QLatin1String("unreadable-file"));
            EXPECT_GE(issue[QLatin1String("location")][QLatin1String("lines")][QLatin1String("begin")].toInt(), 1);
            list.append(issue[QLatin1String("fingerprint")].toString());
        }
        return list;
    };
    const QStringList before = fingerprints();
    EXPECT_EQ(before.size(), 4);
    EXPECT_EQ(QSet<QString>(before.begin(), before.end()).size(), before.size());
    tree.write(QStringLiteral("instances.xml"), "\n\n" + readFileBytes(tree.path(QStringLiteral("instances.xml"))));
    const QStringList after = fingerprints();
    EXPECT_EQ(QSet<QString>(after.begin(), after.end()), QSet<QString>(before.begin(), before.end()));
}

// Each mistake written into the clean installation; where the fix is
// certain, --diff applies with git and patch and --fix brings back the clean
// file byte for byte, keeping owner and mode; elsewhere nothing changes.
TEST(VrexctlCheck, SafeFixesRestoreExactlyTheCleanBytes)
{
    struct Row { const char *name; Edit mistake; bool fixed; bool crlf = false; bool linked = false; };
    const Row rows[] = {
        {"AttributeName", {"instances.xml", "type=\"Unit\" ref=\"device=2", "typ=\"Unit\" ref=\"device=2"}, true},
        {"RefKey", {"instances.xml", "device=2", "devcie=2"}, true},
        {"BlankAfterComma", {"instances.xml", ",offset=5", ",  offset=5"}, true},
        {"CompositeCase", {"instances.xml", "\"yes\"", "\"YES\""}, true},
        {"StyleTypeCase", {"stylesheet/vrex_style.xml", "\"state\"", "\"State\""}, true},
        {"DriverTypeAfterItsFirstLetter", {"devicetypes/Unit.xml", "generic", "gneric"}, true},
        {"LineEndsKept", {"instances.xml", "device=2", "devcie=2"}, true, true},
        // A new file in its place would part the links: left alone, and said so.
        {"HardLinkedFile", {"instances.xml", "device=2", "devcie=2"}, true, false, true},
        {"DriverTypeFirstLetterWrong", {"devicetypes/Unit.xml", "generic", "eneric"}, false},
        {"SuggestedAttributeThere", {"instances.xml", "ref=\"device=2", "tpye=\"X\" ref=\"device=2"}, false},
        {"TwoPiecesAlike", {"instances.xml", "device=2,offset=5", "devcie=2,devcie=5"}, false},
        {"ValueWithReference", {"instances.xml", "\"yes\"", "\"Ye&#115;\""}, false},
        {"Suppressed", {"instances.xml", "  <instance id=\"b\" type=\"Unit\" ref=\"device=2",
                        "<!-- vrexctl: disable=unknown-ref-key -->\n  <instance id=\"b\" type=\"Unit\" ref=\"devcie=2"}, false},
    };
    for (const Row &c : rows) {
        SCOPED_TRACE(c.name);
        FixtureTree tree;
        writeEdited(tree, {c.mistake});
        const QString file = tree.path(QString::fromLatin1(c.mistake.file));
        QByteArray clean = kCleanFiles.at(QString::fromLatin1(c.mistake.file));
        if (c.crlf) {
            clean.replace("\n", "\r\n");
            tree.write(QString::fromLatin1(c.mistake.file), readFileBytes(file).replace("\n", "\r\n"));
        }
        const QByteArray mistaken = readFileBytes(file);
        if (c.linked)
            ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(tree.root() + QStringLiteral("/link")).constData()), 0);
        const ChildResult diff = vrexctl(siteOptions(tree.root()) + args({"-q", "check", "--diff"}));
        EXPECT_EQ(diff.out.isEmpty(), !c.fixed) << diff.out.constData();
        if (c.fixed) {
            QFile patch(tree.root() + QStringLiteral("/fix.diff"));
            ASSERT_TRUE(patch.open(QIODevice::WriteOnly) && patch.write(diff.out) == diff.out.size());
            patch.close();
            EXPECT_EQ(runIn(tree.root(), QStringLiteral("git"), args({"apply", "--check", "fix.diff"})).exitCode, 0);
            EXPECT_EQ(runIn(tree.root(), QStringLiteral("patch"), args({"-p1", "--dry-run", "-i", "fix.diff"})).exitCode, 0);
        }
        const QByteArray path = QFile::encodeName(file);
        ASSERT_EQ(::chmod(path.constData(), 0604), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            ASSERT_EQ(::chown(path.constData(), 4321, 4322), 0);
        const ChildResult fix = vrexctl(siteOptions(tree.root()) + args({"--json", "check", "--fix"}));
        EXPECT_EQ(readFileBytes(file), c.fixed && !c.linked ? clean : mistaken);
        EXPECT_EQ(fix.err.contains("has 2 hard links"), c.linked) << fix.err.constData();
        struct stat after {};
        ASSERT_EQ(::stat(path.constData(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, 0604u);
        EXPECT_TRUE(!root || (after.st_uid == 4321 && after.st_gid == 4322));
        if (c.fixed && !c.linked) {
            EXPECT_EQ(fix.exitCode, 0) << fix.out.constData();
            EXPECT_EQ(problemsText(fix.out), QString());
        }
    }
}

TEST(VrexctlCheck, EveryCodeIsExplainedAndTheCodeListsAgree)
{
    for (const QString &code : documentedCodes()) {
        const ChildResult explain = vrexctl({QStringLiteral("explain"), code});
        EXPECT_EQ(explain.exitCode, 0);
        EXPECT_TRUE(explain.out.startsWith(code.toUtf8() + " (") && explain.out.contains("\nFix:\n")) << explain.out.constData();
    }
    const ChildResult drift = runIn(QStringLiteral(VREXCTL_SOURCE), QStringLiteral("python3"),
                                    {QStringLiteral("scripts/rule-docs"), QStringLiteral(VREXCTL), QStringLiteral("--check")});
    EXPECT_EQ(drift.exitCode, 0) << drift.err.constData();
}
