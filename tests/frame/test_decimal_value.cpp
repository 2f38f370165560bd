// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "xml/attribute_text.h"

#include <QtCore/QRandomGenerator>
#include <QtCore/QStringList>

#include <gtest/gtest.h>

namespace {

// decimalValue must agree with QStringView::toInt(nullptr, 10), the oracle,
// on every input: the tricky ones listed, then random short strings of the
// characters that matter, mostly digits so that long numbers come up too.
TEST(DecimalValue, AgreesWithToInt)
{
    QStringList inputs;
    for (const char16_t *text : {u"0", u"7", u"007", u"-0", u"+0", u"-7", u"+3", u"999999999", u"-999999999",
             u"1000000000", u"2147483647", u"2147483648", u"-2147483648", u"-2147483649", u"99999999999",
             u"00000000012", u"+2147483647", u"0000000000", u"", u"-", u"+", u"--5", u"+-5", u"-+5", u"5-",
             u"5+", u" 5", u"5 ", u"\t5", u"5\n", u"- 5", u"1 2", u"\u00A05", u"5\u2003", u"0x10", u"12a",
             u"1e3", u"1.0", u"1,000", u"\u0665", u"\uFF15", u"\u22125", u"\u2212 5"})
        inputs << QString::fromUtf16(text);
    const char16_t alphabet[] = u"0123456789+- \tx\u00A0\u2212";
    QRandomGenerator random(20240613);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = random.bounded(13); i > 0; --i)
            text.append(QChar(alphabet[random.bounded(3) ? random.bounded(10) : random.bounded(int(std::size(alphabet)) - 1)]));
        inputs << text;
    }
    for (const QString &text : inputs)
        ASSERT_EQ(vrex::decimalValue(text.toUtf8()), QStringView(text).toInt(nullptr, 10)) << text.toStdString();
}

} // namespace
