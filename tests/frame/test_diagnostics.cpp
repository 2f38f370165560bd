#include "frame/diagnostics.h"
#include "support/capture.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <gtest/gtest.h>

using namespace vrextest;

namespace {
QByteArray g_seen;
void firstHandler(const char *text) { g_seen += "1:"; g_seen += text; }
void secondHandler(const char *text) { g_seen += "2:"; g_seen += text; }
} // namespace

TEST(DebugOutput, HandlerReceivesExactUtf8AndInstallReturnsPrevious)
{
    g_seen.clear();
    const vrex_debug_output_handler original = vrex_install_debug_output_handler(&firstHandler);
    ASSERT_NE(original, nullptr);
    vrex::debugOutput(QStringLiteral("a %s %d\n\tä"));
    EXPECT_EQ(vrex_install_debug_output_handler(&secondHandler), &firstHandler);
    vrex::debugOutput("plain");
    // A null handler restores the default, which is what we started with.
    EXPECT_EQ(vrex_install_debug_output_handler(nullptr), &secondHandler);
    EXPECT_EQ(vrex_install_debug_output_handler(original), original);
    EXPECT_EQ(g_seen, QByteArray("1:a %s %d\n\t\xc3\xa4" "2:plain"));
}

TEST(QtMessageChannel, DeliversTextLiterallyWithTrailingBlanksKept)
{
    QtMessageCapture capture;
    vrex::qtMessage(QStringLiteral("name %1 %s %d - "));
    vrex::qtMessage(QStringLiteral("multi\n\tline"));
    EXPECT_EQ(capture.messages(),
              (QStringList{QStringLiteral("name %1 %s %d - "), QStringLiteral("multi\n\tline")}));
}
