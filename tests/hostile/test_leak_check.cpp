// The shared library in a real host process under valgrind: loading a whole
// installation, querying, editing, saving and reloading leaves no block
// definitely lost. Qt's one-off start-up allocations stay reachable and do
// not count.
#include "bounded_child.h"
#include "child_process.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kLeakExitCode = 97;

// examples/site copied, so that the save rewrites a scratch stylesheet.
bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

struct ValgrindRun
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString log;
};

ValgrindRun runHostUnderValgrind(const QString &valgrind, const QString &root, const QStringList &hostArguments)
{
    QProcessEnvironment environment = vrextest::cleanChildEnvironment();
    environment.insert(QStringLiteral("ZT_ROOT"), root);
    environment.insert(QStringLiteral("ZT_SYSTEM"), QStringLiteral("demo"));
    // Valgrind runs the host some fifty times slower; the limit only stops
    // a hang from holding the suite.
    const vrextest::ChildResult child = vrextest::runChild(
            valgrind,
            QStringList{QStringLiteral("--leak-check=full"),
                        QStringLiteral("--errors-for-leak-kinds=definite"),
                        QStringLiteral("--show-leak-kinds=definite"),
                        QStringLiteral("--error-exitcode=%1").arg(kLeakExitCode),
                        QStringLiteral(LEAK_HOST)}
                    + hostArguments,
            environment, 600000);
    return ValgrindRun{child.finished, child.exitCode, QString::fromLocal8Bit(child.out),
                       QString::fromLocal8Bit(child.err)};
}

class LeakCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (vrextest::isSanitizerBuild())
            GTEST_SKIP() << "valgrind cannot run a sanitizer build";
        m_valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
        if (m_valgrind.isEmpty())
            GTEST_SKIP() << "valgrind is not installed";
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(copyTree(QStringLiteral(EXAMPLE_SITE), m_root.path()));
    }

    QString m_valgrind;
    QTemporaryDir m_root;
};

TEST_F(LeakCheck, FullInstallationLeavesNothingDefinitelyLost)
{
    const ValgrindRun run = runHostUnderValgrind(m_valgrind, m_root.path(), {});
    ASSERT_TRUE(run.finished) << run.log.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.log.toStdString();
    // The host really did the work: every registry filled, lookups that
    // found something, a save that held with the two styles it added.
    const QRegularExpressionMatch loaded = QRegularExpression(QStringLiteral(
            "loaded (\\d+) styles [1-9]\\d* instances [1-9]\\d* devicetypes [1-9]\\d* complextypes\n"
            "found [1-9]\\d*\nsaved yes, (\\d+) styles\n")).match(run.out);
    ASSERT_TRUE(loaded.hasMatch()) << run.out.toStdString();
    EXPECT_GT(loaded.captured(1).toInt(), 0);
    EXPECT_EQ(loaded.captured(2).toInt(), loaded.captured(1).toInt() + 2);
}

// The same run with one block lost by the host itself must fail the check.
TEST_F(LeakCheck, DeliberateLeakIsCaught)
{
    const ValgrindRun run = runHostUnderValgrind(m_valgrind, m_root.path(),
                                                 {QStringLiteral("--leak-on-purpose")});
    ASSERT_TRUE(run.finished) << run.log.toStdString();
    EXPECT_EQ(run.exitCode, kLeakExitCode) << run.log.toStdString();
    EXPECT_TRUE(run.log.contains(QStringLiteral("4,096 bytes in 1 blocks are definitely lost")))
            << run.log.toStdString();
}

} // namespace
