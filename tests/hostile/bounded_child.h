// Heavy hostile rows run in a child process under hard limits, so that a
// regression shows as one failed test instead of a hung or exhausted host.
// The child is a re-execution of the test binary (GoogleTest's threadsafe
// death-test style), which starts with fresh Qt state.
#ifndef VREX_TESTS_HOSTILE_BOUNDED_CHILD_H
#define VREX_TESTS_HOSTILE_BOUNDED_CHILD_H

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace vrextest {

// What a check found wrong, one line per fault; empty when all is well.
class Problems
{
public:
    void check(bool ok, const QString &what);
    template<typename T>
    void equal(const QString &what, const T &actual, const T &expected);

    bool isEmpty() const { return m_lines.isEmpty(); }
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

private:
    QStringList m_lines;
};

QString describe(const QString &value);
QString describe(const QStringList &value);
QString describe(qint64 value);

template<typename T>
void Problems::equal(const QString &what, const T &actual, const T &expected)
{
    if (!(actual == expected))
        m_lines << QStringLiteral("%1: expected %2, got %3").arg(what, describe(expected), describe(actual));
}

struct Bounds
{
    int addressSpaceMB = 0;   // on top of what the child uses when the limit is set
    unsigned watchdogSeconds = 300;
};

// From here on this process may grow by at most bounds.addressSpaceMB and
// is killed by SIGALRM after the watchdog. Sanitizer builds reserve huge
// shadow mappings, so there only the watchdog applies.
void limitThisProcess(const Bounds &bounds);

// True in an AddressSanitizer build, which reserves terabytes of address
// space and cannot run under valgrind.
bool isSanitizerBuild();

// Address space this process has used at most, in MB, from /proc.
qint64 peakAddressSpaceMB();

// Runs check in a child process; the child exits 0 when check finds no
// problem and prints them otherwise.
#define VREX_EXPECT_IN_CHILD(check)                                                      \
    do {                                                                                 \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                  \
        EXPECT_EXIT(::vrextest::exitWithProblems(check), ::testing::ExitedWithCode(0), ""); \
    } while (false)

[[noreturn]] void exitWithProblems(const Problems &problems);

} // namespace vrextest

#endif
