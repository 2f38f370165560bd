// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet_test_support.h"

#include <random>

using namespace vrextest;

namespace {

// Everything XML can carry that tends to break writers: markup characters,
// both quotes, whitespace that attribute normalisation would flatten,
// non-ASCII in and beyond the BMP, and placeholder-looking text.
const char16_t kAlphabet[] = {u'a', u'Z', u'0', u' ', u' ', u'"', u'\'', u'&', u'<', u'>', u';',
                              u'\n', u'\t', u'\r', u'%', u'1', u'=', u'#', u']', u'\\', u'/',
                              0x00FC, 0x20AC, 0x00A0, 0xD7FF, 0xE000, 0xFFFD, 0x0085};

class RoundTripTest : public StylesheetTest, public ::testing::WithParamInterface<unsigned> { };

TEST_P(RoundTripTest, SavedRegistryReadsBackAsTheFormatAllows)
{
    loadStylesheet("<stylesheet/>");
    std::mt19937 random(GetParam());
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // Now and then a character beyond the BMP, as a surrogate pair.
    const auto text = [&pick](int maxLength) {
        QString s;
        for (int i = pick(0, maxLength); i > 0; --i)
            s += pick(0, 15) == 0 ? QStringLiteral("\U0001F600")
                                  : QString(QChar(kAlphabet[pick(0, std::size(kAlphabet) - 1)]));
        return s;
    };
    vrex_stylesheet style;
    QMap<QString, styleentry> expected;
    for (int i = pick(0, 12); i > 0; --i) {
        QString name = text(6);
        styleentry entry;
        for (int setting = pick(0, 5); setting > 0; --setting)
            entry.settings.append(pick(0, 3) == 0 ? QString() : text(12));
        entry.suitablefor = text(8);
        entry.description = text(20);
        const int types[] = {-3, 0, 1, 2, 3, 4, 255};
        entry.type = types[pick(0, std::size(types) - 1)];
        style.set(name, entry);
        expected.insert(name, asReadBack(entry));
    }

    ASSERT_TRUE(style.save());
    EXPECT_EQ(registry(), expected);
    EXPECT_EQ(vrex_stylesheet::count(), expected.size());

    // Writing what was read back reproduces the file byte for byte.
    const QByteArray first = readFileBytes(stylesheetPath());
    ASSERT_TRUE(style.save());
    EXPECT_EQ(readFileBytes(stylesheetPath()), first);
}

// A handful of seeds: the round-trip fuzz target goes much further.
INSTANTIATE_TEST_SUITE_P(Seeds, RoundTripTest, ::testing::Values(1u, 2u, 3u, 7u, 11u));

} // namespace
