// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The shared library in a real host process under valgrind: loading a whole
// installation, querying, editing, saving and reloading leaves no block
// definitely lost. Qt's one-off start-up allocations stay reachable and do
// not count.
#include "bounded_child.h"
#include "child_process.h"

#include <QtCore/QDirIterator>
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

// Rows: the host as it is, and the host losing one block of its own, which
// the check must catch: proof that it is able to fail.
TEST(LeakCheck, NothingDefinitelyLostButADeliberateLeakIsCaught)
{
    if (vrextest::isSanitizerBuild())
        GTEST_SKIP() << "valgrind cannot run a sanitizer build";
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty())
        GTEST_SKIP() << "valgrind is not installed";
    for (const bool leak : {false, true}) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid() && copyTree(QStringLiteral(EXAMPLE_SITE), root.path()));
        QStringList host{QStringLiteral(LEAK_HOST)};
        if (leak)
            host << QStringLiteral("--leak-on-purpose");
        // Valgrind runs the host some fifty times slower; the limit only
        // stops a hang from holding the suite.
        const vrextest::ChildResult run = vrextest::runChild(
                valgrind, QStringList{QStringLiteral("--leak-check=full"), QStringLiteral("--errors-for-leak-kinds=definite"),
                                      QStringLiteral("--show-leak-kinds=definite"),
                                      QStringLiteral("--error-exitcode=%1").arg(kLeakExitCode)} + host,
                vrextest::cleanChildEnvironment(root.path(), QStringLiteral("demo")), 600000);
        const QString out = QString::fromLocal8Bit(run.out), log = QString::fromLocal8Bit(run.err);
        ASSERT_TRUE(run.finished) << log.toStdString();
        EXPECT_EQ(run.exitCode, leak ? kLeakExitCode : 0) << log.toStdString();
        EXPECT_EQ(log.contains(QStringLiteral("4,096 bytes in 1 blocks are definitely lost")), leak) << log.toStdString();
        // The host really did the work: every registry filled, lookups that
        // found something, a save that held with the two styles it added.
        const QRegularExpressionMatch loaded = QRegularExpression(QStringLiteral(
                "loaded (\\d+) styles [1-9]\\d* instances [1-9]\\d* devicetypes [1-9]\\d* complextypes\n"
                "found [1-9]\\d*\nsaved yes, (\\d+) styles\n")).match(out);
        ASSERT_TRUE(loaded.hasMatch()) << out.toStdString();
        EXPECT_GT(loaded.captured(1).toInt(), 0);
        EXPECT_EQ(loaded.captured(2).toInt(), loaded.captured(1).toInt() + 2);
    }
}

} // namespace
