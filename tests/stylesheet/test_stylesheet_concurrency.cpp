// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Savers in processes of their own, saving in loops as the workstations
// sharing one stylesheet do, and savers killed at random moments: no save
// is refused and no style is ever lost.
#include "support/fixture_tree.h"

#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_replace.h"

#include <gtest/gtest.h>

#include <QtCore/QFileInfo>
#include <QtCore/QSet>

#include <csignal>
#include <grp.h>
#include <random>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vrextest;

namespace {

constexpr uid_t kFileOwner = 12345;
constexpr gid_t kOperators = 4321;
const QString kStylesheet = QStringLiteral("stylesheet/vrex_style.xml");
const QByteArray kStart = "<!DOCTYPE stylesheet>\n<stylesheet>\n"
                          "  <style suitablefor=\"\" description=\"\" name=\"alarm\" type=\"state\"/>\n</stylesheet>\n";

styleentry oneSetting(const QString &value)
{
    styleentry entry;
    entry.settings = QStringList{value};
    return entry;
}

vrex::Installation openSite(const FixtureTree &tree, const QString &state)
{
    vrex::Installation site = tree.installation();
    site.setRecoveryDirectory(tree.root() + QLatin1Char('/') + state);
    site.loadStyles();
    return site;
}

QByteArray native(const QString &path) { return QFile::encodeName(path); }

struct LoopRow
{
    const char *label;
    bool inPlace;   // the stylesheet is someone else's: rewritten in place
    bool twoUsers;  // the savers are two operators, each on a host of its own
    bool sameStyle; // each also sets the style "shared" to its latest name
    int saves;      // by each saver
};

void PrintTo(const LoopRow &row, std::ostream *os) { *os << row.label; }

// Adds a style of its own and saves, row.saves times; exits with the
// number of saves that did not succeed.
[[noreturn]] void runSaver(const FixtureTree &tree, int who, const LoopRow &row)
{
    if (row.twoUsers) {
        const QByteArray host = "ws" + QByteArray::number(who);
        const uid_t uid = kFileOwner + 1 + uid_t(who);
        if (::unshare(CLONE_NEWUTS) != 0 || ::sethostname(host.constData(), size_t(host.size())) != 0
            || ::setgroups(0, nullptr) != 0 || ::setresgid(kOperators, kOperators, kOperators) != 0
            || ::setresuid(uid, uid, uid) != 0)
            _exit(99);
    }
    vrex::Installation site = openSite(tree, QStringLiteral("state%1").arg(who));
    int failed = 0;
    for (int i = 0; i < row.saves; ++i) {
        const QString mine = QStringLiteral("p%1-%2").arg(who).arg(i);
        site.styles().insert(mine, oneSetting(mine));
        if (row.sameStyle)
            site.styles().insert(QStringLiteral("shared"), oneSetting(mine));
        failed += site.saveStyles() != vrex::SaveOutcome::Saved;
    }
    _exit(qMin(failed, 98));
}

class SaveLoop : public ::testing::TestWithParam<LoopRow> { };

TEST_P(SaveLoop, EverySaveKeepsEveryStyle)
{
    const LoopRow &row = GetParam();
    FixtureTree tree;
    tree.write(kStylesheet, kStart);
    const QString path = tree.path(kStylesheet);
    if (row.inPlace) {
        ASSERT_EQ(::chown(native(path), kFileOwner, kOperators) | ::chmod(native(path), 0664), 0);
    }
    if (row.twoUsers) {
        // The operators reach the file, may make lock files beside it, and
        // keep their recovery copies in directories of their own.
        for (const QString &dir : {tree.root(), tree.root() + QStringLiteral("/demo"), tree.configDir()})
            ASSERT_EQ(::chmod(native(dir), 0755), 0);
        const QByteArray stylesheetDir = native(QFileInfo(path).path());
        ASSERT_EQ(::chown(stylesheetDir, 0, kOperators) | ::chmod(stylesheetDir, 0775), 0);
        for (int who : {0, 1}) {
            const QByteArray state = native(tree.root() + QStringLiteral("/state%1").arg(who));
            ASSERT_EQ(::mkdir(state, 0700) | ::chown(state, kFileOwner + 1 + uid_t(who), kOperators), 0);
        }
    }
    pid_t savers[2];
    for (int who : {0, 1}) {
        savers[who] = ::fork();
        if (savers[who] == 0)
            runSaver(tree, who, row);
    }
    for (pid_t saver : savers) {
        int status = -1;
        ::waitpid(saver, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "saves refused: " << WEXITSTATUS(status);
    }

    const vrex::Installation file = openSite(tree, QStringLiteral("check"));
    ASSERT_TRUE(file.problems().isEmpty());
    QStringList lost;
    for (int who : {0, 1}) {
        for (int i = 0; i < row.saves; ++i) {
            if (!file.styles().contains(QStringLiteral("p%1-%2").arg(who).arg(i)))
                lost << QStringLiteral("p%1-%2").arg(who).arg(i);
        }
    }
    EXPECT_EQ(lost.join(u' ').toStdString(), "");
    EXPECT_TRUE(file.styles().contains(QStringLiteral("alarm")));
    // The last save's own value, whichever saver made it.
    if (row.sameStyle) {
        const QString last = QStringLiteral("-%1").arg(row.saves - 1);
        EXPECT_TRUE(file.styles().value(QStringLiteral("shared")).settings.value(0).endsWith(last));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveLoop, ::testing::Values(
    LoopRow{"DifferentStylesAtomic", false, false, false, 100},
    LoopRow{"DifferentStylesInPlace", true, false, false, 100},
    LoopRow{"TwoOperatorsOnTwoHostsInPlace", true, true, false, 100},
    LoopRow{"SameStyleInPlace", true, false, true, 100}),
    [](const ::testing::TestParamInfo<LoopRow> &info) { return std::string(info.param.label); });

// Killed at random moments while saving in place (and often while holding
// the lock): the stylesheet always holds every style it held before, or
// the reader rejects it and the recovery copy the message names does.
TEST(KilledSaver, InPlaceNeverLosesAStyle)
{
    FixtureTree tree;
    tree.write(kStylesheet, kStart);
    const QString path = tree.path(kStylesheet);
    ASSERT_EQ(::chown(native(path), kFileOwner, kOperators), 0);
    const QString copy = vrex::recoveryCopyPath(tree.root() + QStringLiteral("/state"), QFileInfo(path).canonicalFilePath());
    std::mt19937 random(24);
    QSet<QString> before{QStringLiteral("alarm")};
    int whole = 0, recovered = 0, killedHoldingTheLock = 0;
    for (int run = 0; run < 300; ++run) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            vrex::Installation site = openSite(tree, QStringLiteral("state"));
            for (int i = 0;; ++i) {
                site.styles().insert(QStringLiteral("r%1-%2").arg(run).arg(i % 20), oneSetting(QString(i % 5 * 300, u'v')));
                site.saveStyles();
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(random));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        killedHoldingTheLock += QFileInfo::exists(path + QStringLiteral(".lock"));

        vrex::Installation file = openSite(tree, QStringLiteral("state"));
        if (!file.problems().isEmpty()) {
            ASSERT_TRUE(file.messages().last().text.contains(copy));
            // What the stylesheet's administrator does with it.
            QFile restored(path);
            ASSERT_TRUE(restored.open(QIODevice::WriteOnly | QIODevice::Truncate));
            restored.write(vrextest::readFileBytes(copy));
            restored.close();
            file.clearMessages();
            file.reloadStyles();
            ASSERT_TRUE(file.problems().isEmpty());
            ++recovered;
        } else {
            ++whole;
        }
        const QList<QString> names = file.styles().keys();
        const QSet<QString> now(names.cbegin(), names.cend());
        ASSERT_TRUE(now.contains(before)) << "run " << run;
        before = now;
    }
    RecordProperty("whole", whole);
    RecordProperty("recovered", recovered);
    RecordProperty("killedHoldingTheLock", killedHoldingTheLock);
}

} // namespace
