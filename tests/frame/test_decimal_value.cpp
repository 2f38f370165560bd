#include "xml/attribute_text.h"

#include <QtCore/QRandomGenerator>
#include <QtCore/QString>

#include <gtest/gtest.h>

namespace {

// decimalValue must agree with QStringView::toInt(nullptr, 10) on every
// input; toInt is the oracle.
class DecimalValue : public ::testing::TestWithParam<const char16_t *> { };

TEST_P(DecimalValue, AgreesWithToInt)
{
    const QString text = QString::fromUtf16(GetParam());
    EXPECT_EQ(vrex::decimalValue(text.toUtf8()), QStringView(text).toInt(nullptr, 10)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tricky, DecimalValue, ::testing::Values(
    u"0", u"7", u"12", u"007", u"-0", u"+0", u"-7", u"+3", u"999999999", u"-999999999",
    // Ten digits and more: the int range decides.
    u"1000000000", u"2147483647", u"2147483648", u"-2147483648", u"-2147483649",
    u"99999999999", u"00000000012", u"+2147483647", u"0000000000",
    // Signs alone, doubled or misplaced.
    u"", u"-", u"+", u"--5", u"+-5", u"-+5", u"5-", u"5+",
    // Blanks and other characters around or inside.
    u" 5", u"5 ", u" 5 ", u"\t5", u"5\n", u"- 5", u"1 2", u"\u00A05", u"5\u2003",
    u"0x10", u"12a", u"1e3", u"1.0", u"1,000", u"\u0665", u"\uFF15", u"\u22125", u"\u2212 5"));

// A sweep over short strings of the characters that matter.
TEST(DecimalValueSweep, AgreesWithToIntOnRandomStrings)
{
    const char16_t alphabet[] = u"0123456789+- \tx\u00A0\u2212";
    const int letters = int(std::size(alphabet)) - 1;
    QRandomGenerator random(20240613);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(13);
        for (int i = 0; i < length; ++i) {
            // Mostly digits, so that long numbers come up too.
            const int pick = random.bounded(3) ? random.bounded(10) : random.bounded(letters);
            text.append(QChar(alphabet[pick]));
        }
        ASSERT_EQ(vrex::decimalValue(text.toUtf8()), QStringView(text).toInt(nullptr, 10)) << text.toStdString();
    }
}

} // namespace
