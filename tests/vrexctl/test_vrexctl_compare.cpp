// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl diff and vrexctl graph as their users meet them: one row per kind
// of change with the answers it moves and the reason given, git revisions
// of a scratch repository, and graphs that Graphviz must accept.
#include "child_process.h"
#include "support/fixture_tree.h"

#include <QtCore/QDir>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace vrextest;

namespace {

const QString kExampleSite = QStringLiteral(EXAMPLE_SITE);

// cam.zoom -> lens.zoom -> servo.position; spare is a second servo.
const std::map<QString, QByteArray> kFiles = {
    {QStringLiteral("instances.xml"),
     "<instances>\n"
     "  <instance id=\"cam\" type=\"Camera\" alt_id=\"C1\" ref=\"device=1,offset=0,complex=Rig\"/>\n"
     "  <instance id=\"lens\" type=\"Lens\" ref=\"device=2,offset=0,complex=Drive\"/>\n"
     "  <instance id=\"servo\" type=\"Servo\" ref=\"device=3,offset=4\"/>\n"
     "  <instance id=\"spare\" type=\"Servo\" ref=\"device=3,offset=8\"/>\n"
     "</instances>\n"},
    {QStringLiteral("devicetypes/Camera.xml"),
     "<device_description drivertype=\"serial\">\n  <param name=\"zoom\" slot=\"0\"/>\n"
     "  <param name=\"iris\" slot=\"1\"/>\n</device_description>\n"},
    {QStringLiteral("devicetypes/lens.xml"),
     "<device_description drivertype=\"serial\">\n  <param name=\"zoom\" slot=\"0\"/>\n</device_description>\n"},
    {QStringLiteral("devicetypes/servo.xml"),
     "<device_description drivertype=\"generic\">\n  <param name=\"position\" slot=\"1\"/>\n"
     "  <param name=\"speed\" slot=\"2\"/>\n</device_description>\n"},
    {QStringLiteral("complex_instances/Rig.xml"),
     "<Rig>\n  <member id=\"cam\">\n    <param id=\"zoom\" device=\"lens\" param=\"zoom\"/>\n  </member>\n</Rig>\n"},
    {QStringLiteral("complex_instances/Drive.xml"),
     "<Drive>\n  <member id=\"lens\">\n    <param id=\"zoom\" device=\"servo\" param=\"position\"/>\n"
     "  </member>\n</Drive>\n"},
    {QStringLiteral("stylesheet/vrex_style.xml"),
     "<stylesheet>\n  <style name=\"alarm\" type=\"state\"><setting value=\"color: red\"/></style>\n</stylesheet>\n"},
};

void writeFiles(const FixtureTree &tree)
{
    for (const auto &[file, contents] : kFiles)
        tree.write(file, contents);
}

ChildResult vrexctl(const QStringList &arguments, const QString &directory = {},
                    const QProcessEnvironment &environment = cleanChildEnvironment())
{
    return runChild(QStringLiteral(VREXCTL), arguments, environment, 60000, directory);
}

QStringList args(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list.append(QString::fromUtf8(word));
    return list;
}

QJsonObject parseJson(const QByteArray &out)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out.left(2000).constData();
    return document.object();
}

// "instance.parameter" of each changed answer, in order.
QStringList changedAnswers(const QJsonObject &diff)
{
    QStringList answers;
    for (const QJsonValue &answer : diff[QLatin1String("impact")].toArray())
        answers.append(answer[QLatin1String("instance")].toString() + QLatin1Char('.')
                       + answer[QLatin1String("parameter")].toString());
    return answers;
}

// --- diff: one row per kind of change

struct DiffRow
{
    const char *name;
    const char *file;      // below config/
    const char *from;      // replaced by `to`; null: `to` is the whole file
    const char *to;        // null: the file is removed
    const char *renamedTo; // the file is renamed to this instead
    int exitCode;
    QStringList answers;   // whose answers change
    const char *reasonFile = "";
    const char *reason = ""; // the first answer's first reason contains this
    int changes = 0;         // structural changes; -1: not counted here
    int renames = 0;
    bool failsToLoad = false; // the new side cannot take a file
};
void PrintTo(const DiffRow &row, std::ostream *os) { *os << row.name; }

class DiffShows : public ::testing::TestWithParam<DiffRow> { };

TEST_P(DiffShows, TheAnswersAChangeMovesAndWhy)
{
    const DiffRow &row = GetParam();
    FixtureTree before;
    FixtureTree after;
    writeFiles(before);
    writeFiles(after);
    const QString file = QString::fromLatin1(row.file);
    if (row.renamedTo) {
        after.remove(file);
        after.write(QString::fromLatin1(row.renamedTo), kFiles.at(file));
    } else if (!row.to) {
        after.remove(file);
    } else {
        after.write(file, row.from ? QByteArray(kFiles.at(file)).replace(row.from, row.to) : QByteArray(row.to));
    }
    const QString old = before.root() + QStringLiteral("/demo");
    const QString now = after.root() + QStringLiteral("/demo");

    const ChildResult json = vrexctl({QStringLiteral("diff"), QStringLiteral("--format=json"), old, now});
    ASSERT_TRUE(json.finished);
    EXPECT_EQ(json.exitCode, row.exitCode) << json.err.constData();
    const QJsonObject diff = parseJson(json.out);
    EXPECT_EQ(diff[QLatin1String("schema")].toInt(), 2);
    EXPECT_EQ(diff[QLatin1String("command")].toString(), QLatin1String("diff"));
    EXPECT_EQ(diff[QLatin1String("differs")].toBool(), row.exitCode == 1);
    EXPECT_EQ(changedAnswers(diff), row.answers) << json.out.constData();
    if (!row.answers.isEmpty()) {
        const QJsonObject reason = diff[QLatin1String("impact")][0][QLatin1String("reasons")][0].toObject();
        EXPECT_EQ(reason[QLatin1String("file")].toString(), QLatin1String(row.reasonFile));
        EXPECT_TRUE(reason[QLatin1String("change")].toString().contains(QLatin1String(row.reason)))
                << reason[QLatin1String("change")].toString().toStdString();
    }
    if (row.changes >= 0) {
        EXPECT_EQ(diff[QLatin1String("changes")].toArray().size(), row.changes) << json.out.constData();
    }
    EXPECT_EQ(diff[QLatin1String("renames")].toArray().size(), row.renames);
    EXPECT_EQ(diff[QLatin1String("new")][QLatin1String("failures")].toArray().isEmpty(), !row.failsToLoad);

    // The text says the same in the same order: files not taken, answers,
    // registries; the summary goes to stderr.
    const ChildResult text = vrexctl({QStringLiteral("diff"), old, now});
    EXPECT_EQ(text.exitCode, row.exitCode);
    const qsizetype failures = text.out.indexOf("Files not taken");
    const qsizetype impact = text.out.indexOf("Address impact: ");
    const qsizetype structure = text.out.indexOf("Structural changes: ");
    EXPECT_EQ(failures == 0, row.failsToLoad) << text.out.constData();
    EXPECT_EQ(impact >= 0, !row.answers.isEmpty());
    if (impact >= 0 && structure >= 0) {
        EXPECT_LT(impact, structure);
    }
    if (!row.answers.isEmpty()) {
        EXPECT_TRUE(text.out.contains(QByteArray(row.reasonFile) + ": ")) << text.out.constData();
    }
    EXPECT_TRUE(text.err.startsWith(row.exitCode ? "vrexctl: " : "vrexctl: no differences\n")) << text.err.constData();
}

const QStringList kAll = {QStringLiteral("cam.zoom"), QStringLiteral("lens.zoom"), QStringLiteral("servo.position"),
                          QStringLiteral("servo.speed"), QStringLiteral("spare.position"), QStringLiteral("spare.speed")};
QStringList some(std::initializer_list<const char *> answers) { return args(answers); }

const DiffRow kDiffRows[] = {
    {"RedirectionRetargeted", "complex_instances/Drive.xml", "device=\"servo\"", "device=\"spare\"", nullptr, 1,
        some({"cam.zoom", "lens.zoom"}), "config/complex_instances/Drive.xml",
        "member \"lens\": redirection of \"zoom\": servo.position -> spare.position", 1},
    {"DeviceTypeSlotChanged", "devicetypes/servo.xml", "slot=\"1\"", "slot=\"5\"", nullptr, 1,
        some({"cam.zoom", "lens.zoom", "servo.position", "spare.position"}), "config/devicetypes/servo.xml",
        "device type \"servo\": parameter \"position\": slot 1 -> 5", 1},
    {"InstanceMoved", "instances.xml", "device=3,offset=4", "device=9,offset=4", nullptr, 1,
        some({"cam.zoom", "lens.zoom", "servo.position", "servo.speed"}), "config/instances.xml",
        "instance \"servo\": device 3 -> 9", 1},
    {"DriverTypeChanged", "devicetypes/servo.xml", "generic", "router", nullptr, 1, kAll,
        "config/devicetypes/servo.xml", "device type \"servo\": drivertype 2 -> 3", 1},
    // Only the first instance of a chain answers for the alternative id.
    {"AlternativeIdOfTheFirstInstance", "instances.xml", "alt_id=\"C1\"", "alt_id=\"C2\"", nullptr, 1,
        some({"cam.iris", "cam.zoom"}), "config/instances.xml", "instance \"cam\": alt_id \"C1\" -> \"C2\"", 1},
    // Device types are found ignoring case: nothing a host is told changes.
    {"DeviceTypeFileRenamedInCase", "devicetypes/servo.xml", nullptr, "", "devicetypes/Servo.xml", 0, {}, "", "", 0, 1},
    {"ComplexTypeRemoved", "complex_instances/Drive.xml", nullptr, nullptr, nullptr, 1, some({"cam.zoom", "lens.zoom"}),
        "config/complex_instances/Drive.xml", "complex type \"Drive\" removed", 1},
    // Complex types are named by their file exactly, and the root must match.
    {"ComplexTypeFileRenamedInCase", "complex_instances/Drive.xml", nullptr, "", "complex_instances/drive.xml", 1,
        some({"cam.zoom", "lens.zoom"}), "config/complex_instances/Drive.xml",
        "the file is now drive.xml, and a complex type is named by its file exactly", 2, 0, true},
    {"ChainStopsResolving", "instances.xml", "  <instance id=\"servo\" type=\"Servo\" ref=\"device=3,offset=4\"/>\n", "",
        nullptr, 1, some({"cam.zoom", "lens.zoom", "servo.position", "servo.speed"}), "config/instances.xml",
        "instance \"servo\" removed", 1},
    {"FileNotTaken", "devicetypes/servo.xml", "</device_description>", "", nullptr, 1, kAll,
        "config/devicetypes/servo.xml", "not well-formed XML (line 5, column 1)", -1, 0, true},
    {"FormattingAttributeOrderAndComments", "instances.xml", nullptr,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- reformatted -->\n<instances>\n"
        "<instance ref=\"device=1,offset=0,complex=Rig\" alt_id=\"C1\" type=\"Camera\" id=\"cam\"/>\n"
        "\t<!-- the lens -->\n\t<instance  type=\"Lens\"\n\t\tid=\"lens\"  ref=\"device=2,offset=0,complex=Drive\" />\n"
        "<instance id=\"servo\" type=\"Servo\" ref=\"device=3,offset=4\"></instance>\n"
        "<instance ref=\"device=3,offset=8\" type=\"Servo\" id=\"spare\"/></instances>",
        nullptr, 0, {}, "", "", 0},
};

INSTANTIATE_TEST_SUITE_P(Vrexctl, DiffShows, ::testing::ValuesIn(kDiffRows),
                         [](const ::testing::TestParamInfo<DiffRow> &info) { return std::string(info.param.name); });

TEST(VrexctlDiff, UsageAndUnreadableInstallations)
{
    struct Row { QStringList arguments; int exitCode; const char *err; };
    const Row rows[] = {
        {args({"diff", EXAMPLE_SITE "/demo"}), 2, "usage: vrexctl diff OLD NEW"},
        {args({"diff", "--format=dot", "a", "b"}), 2, "diff prints text, json, not \"dot\""},
        {args({"diff", "--depth=2", "a", "b"}), 2, "--depth applies to graph only"},
        {args({"graph", "--format=text"}), 2, "graph prints dot, svg, png, not \"text\""},
        {args({"graph", "--depth=-1"}), 2, "--depth takes a number"},
        {args({"graph", "--json"}), 2, "graph prints dot, svg, png, not \"json\""},
        {args({"--root", EXAMPLE_SITE, "diff", "a", "b"}), 2, "--root does not apply"},
        {args({"diff", EXAMPLE_SITE, EXAMPLE_SITE "/demo"}), 3, "has no config directory"},
        // --system picks the installation below a root.
        {args({"--system", "demo", "diff", EXAMPLE_SITE, EXAMPLE_SITE "/demo"}), 0, "no differences"},
        {args({"diff", "/nonexistent/site", EXAMPLE_SITE "/demo"}), 3, "neither a directory nor a revision"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult result = vrexctl(row.arguments, QDir::tempPath());
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE(result.err.contains(row.err)) << result.err.constData();
    }
}

// --- diff: git revisions

QByteArray git(const QString &directory, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(QStringLiteral("git"), QStringList{QStringLiteral("-c"), QStringLiteral("user.name=t"),
                                                     QStringLiteral("-c"), QStringLiteral("user.email=t@t")}
                                                 + arguments);
    process.waitForFinished();
    EXPECT_EQ(process.exitCode(), 0) << arguments.join(QLatin1Char(' ')).toStdString();
    return process.readAllStandardOutput();
}

TEST(VrexctlDiff, ComparesRevisionsWithoutTouchingTheWorkTree)
{
    // repo/site/demo/config: the fixture, then a commit that moves servo,
    // then an uncommitted edit that points the lens elsewhere.
    QTemporaryDir repo;
    const QString site = repo.filePath(QStringLiteral("site"));
    const QString demo = site + QStringLiteral("/demo");
    for (const auto &[file, contents] : kFiles) {
        QDir().mkpath(QFileInfo(demo + QStringLiteral("/config/") + file).path());
        QFile out(demo + QStringLiteral("/config/") + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
    }
    const auto edit = [&demo](const char *file, const char *from, const char *to) {
        QFile f(demo + QStringLiteral("/config/") + QLatin1String(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll().replace(from, to);
        f.close();
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    git(repo.path(), args({"init", "-q"}));
    git(repo.path(), args({"add", "."}));
    git(repo.path(), args({"commit", "-q", "-m", "site"}));
    edit("instances.xml", "device=3,offset=4", "device=9,offset=4");
    git(repo.path(), args({"commit", "-q", "-a", "-m", "servo moved"}));
    edit("complex_instances/Drive.xml", "device=\"servo\"", "device=\"spare\"");
    const QByteArray status = git(repo.path(), args({"status", "--porcelain", "--ignored"}));

    const QStringList moved = some({"cam.zoom", "lens.zoom", "servo.position", "servo.speed"});
    struct Row { QString directory; QStringList arguments; int exitCode; QStringList answers; };
    const Row rows[] = {
        {demo, args({"HEAD~1", "HEAD"}), 1, moved},
        {demo, args({"HEAD", "."}), 1, some({"cam.zoom", "lens.zoom"})},
        {demo, args({"HEAD", "HEAD"}), 0, {}},
        {repo.path(), args({"HEAD~1:site/demo", "HEAD:site/demo"}), 1, moved},
        {site, args({"--system", "demo", "HEAD~1:./", "HEAD:./"}), 1, moved},
        {repo.path(), args({"HEAD~1:site", "HEAD:site"}), 3, {}},
        {demo, args({"HEAD~7", "HEAD"}), 3, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult result = vrexctl(QStringList{QStringLiteral("--json"), QStringLiteral("diff")} + row.arguments,
                                           row.directory);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err.constData();
        EXPECT_EQ(changedAnswers(parseJson(result.out)), row.answers);
    }
    EXPECT_EQ(git(repo.path(), args({"status", "--porcelain", "--ignored"})), status);
}

// --- graph

QStringList nodesOf(const QByteArray &dot)
{
    QStringList nodes;
    for (const QByteArray &line : dot.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('"') && trimmed.contains(" [label=") && !trimmed.contains(" -> "))
            nodes.append(QString::fromUtf8(trimmed.mid(1, trimmed.indexOf('"', 1) - 1)));
    }
    nodes.sort();
    return nodes;
}

// Graphviz, when it is installed, must take the graph without a word.
void expectGraphvizAccepts(const QByteArray &dot)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dot")).isEmpty())
        return;
    QProcess process;
    process.start(QStringLiteral("dot"), {QStringLiteral("-Tsvg")});
    process.write(dot);
    process.closeWriteChannel();
    process.waitForFinished();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
    EXPECT_TRUE(process.readAllStandardOutput().contains("<svg"));
}

QStringList siteOptions(const QString &root)
{
    return {QStringLiteral("--root"), root, QStringLiteral("--system"), QStringLiteral("demo")};
}

TEST(VrexctlGraph, ExampleSiteAsAValidGraph)
{
    const ChildResult whole = vrexctl(siteOptions(kExampleSite) << QStringLiteral("graph"));
    ASSERT_EQ(whole.exitCode, 0) << whole.err.constData();
    for (const char *line : {"\"cam1\" -> \"lens1\" [label=\"focus\\nzoom\"]",
                             "\"lens1\" -> \"servo1\" [label=\"zoom \xe2\x86\x92 position\"]",
                             "  subgraph cluster_0 {\n    label=\"studioA\";",
                             "\"studioA\" -> \"cam3\" [label=\"camera3\", style=dashed",
                             "\"cam1\" [label=\"cam1\\nCamera 12/0\\ncomplex CameraRig\""}) {
        EXPECT_TRUE(whole.out.contains(line)) << line;
    }
    // Instances that take no part are left out.
    EXPECT_FALSE(nodesOf(whole.out).contains(QStringLiteral("router2")));
    expectGraphvizAccepts(whole.out);

    // What the named instances reach and what reaches them, to a depth.
    struct Row { QStringList arguments; QStringList nodes; };
    const Row rows[] = {
        {args({"cam1"}), some({"cam1", "head1", "lens1", "servo1", "studioA"})},
        {args({"cam1", "--depth=1"}), some({"cam1", "head1", "lens1", "studioA"})},
        {args({"servo2"}), some({"cam2", "lens2", "servo2", "studioA"})},
        {args({"lens1", "--depth", "0"}), some({"lens1"})},
        {args({"router2"}), some({"router2"})},
        {args({"head1", "tally1", "--depth=1"}), some({"cam1", "head1", "studioA", "tally1"})},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        const ChildResult part = vrexctl(siteOptions(kExampleSite) + QStringList{QStringLiteral("graph")} + row.arguments);
        EXPECT_EQ(part.exitCode, 0);
        EXPECT_EQ(nodesOf(part.out), row.nodes);
    }

    const ChildResult unknown = vrexctl(siteOptions(kExampleSite) + args({"graph", "cam7"}));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("no instance \"cam7\"; did you mean \"cam1\", \"cam2\" or \"cam3\"?")) << unknown.err.constData();
}

TEST(VrexctlGraph, CyclesAndUnresolvedTargetsStandOut)
{
    FixtureTree tree;
    writeFiles(tree);
    // lens <-> servo go round; cam points at no instance and at a parameter
    // servo's type lacks; the composite names a missing member.
    tree.write(QStringLiteral("instances.xml"),
               QByteArray(kFiles.at(QStringLiteral("instances.xml")))
                       .replace("device=3,offset=4", "device=3,offset=4,complex=Drive")
                       .replace("</instances>", "  <instance id=\"all\" type=\"Servo\" composite=\"yes\">"
                                                "<group id=\"first\" instance=\"gone\"/></instance>\n</instances>"));
    tree.write(QStringLiteral("devicetypes/servo.xml"),
               "<device_description><param name=\"position\" slot=\"0\"/></device_description>");
    tree.write(QStringLiteral("devicetypes/Camera.xml"),
               "<device_description><param name=\"zoom\" slot=\"0\"/><param name=\"iris\" slot=\"0\"/>"
               "<param name=\"pan\" slot=\"0\"/></device_description>");
    tree.write(QStringLiteral("complex_instances/Rig.xml"),
               "<Rig><member id=\"cam\"><param id=\"zoom\" device=\"ghost\" param=\"zoom\"/>"
               "<param id=\"iris\" device=\"servo\" param=\"iris\"/></member></Rig>");
    tree.write(QStringLiteral("complex_instances/Drive.xml"),
               "<Drive><member id=\"lens\"><param id=\"zoom\" device=\"servo\" param=\"position\"/></member>"
               "<member id=\"servo\"><param id=\"position\" device=\"lens\" param=\"zoom\"/></member></Drive>");
    const ChildResult graph = vrexctl(siteOptions(tree.root()) << QStringLiteral("graph"));
    ASSERT_EQ(graph.exitCode, 0) << graph.err.constData();
    const char *red = "color=\"#c62828\"";
    const std::pair<const char *, const char *> marked[] = {
        {"\"lens\" -> \"servo\" [label=\"cycle\\nzoom \xe2\x86\x92 position\"", red},
        {"\"servo\" -> \"lens\" [label=\"cycle\\nposition \xe2\x86\x92 zoom\"", red},
        {"\"ghost\" [label=\"ghost\\nno such instance\", style=\"rounded,dashed\"", red},
        {"\"cam\" -> \"servo\" [label=\"iris (no such parameter)\"", red},
        {"\"cam\" [label=\"cam\\nCamera 1/0\\ncomplex Rig\\npan: slot 0, no redirection in \\\"Rig\\\"\"", red},
        {"\"all\" -> \"gone\" [label=\"first\"", red},
    };
    for (const auto &[start, mark] : marked) {
        const qsizetype at = graph.out.indexOf(start);
        ASSERT_GE(at, 0) << start << "\n" << graph.out.constData();
        EXPECT_TRUE(graph.out.mid(at, graph.out.indexOf('\n', at) - at).contains(mark)) << start;
    }
    expectGraphvizAccepts(graph.out);
}

TEST(VrexctlGraph, DrawsThroughGraphvizOrSaysItIsMissing)
{
    if (!QStandardPaths::findExecutable(QStringLiteral("dot")).isEmpty()) {
        const ChildResult svg = vrexctl(siteOptions(kExampleSite) + args({"graph", "--format=svg", "cam1"}));
        EXPECT_EQ(svg.exitCode, 0) << svg.err.constData();
        EXPECT_TRUE(svg.out.contains("<svg") && svg.out.contains("lens1")) << svg.out.left(200).constData();
    }
    QTemporaryDir emptyPath;
    QProcessEnvironment withoutDot = cleanChildEnvironment();
    withoutDot.insert(QStringLiteral("PATH"), emptyPath.path());
    const ChildResult missing = vrexctl(siteOptions(kExampleSite) + args({"graph", "--format=png"}), {}, withoutDot);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("--format=png needs Graphviz's dot program, which is not installed"))
            << missing.err.constData();
}

} // namespace
