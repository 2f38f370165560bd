#include "stylesheet_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace vrextest;

namespace {

// Everything XML can carry that tends to break writers: markup characters,
// both quotes, whitespace that attribute normalisation would flatten,
// non-ASCII in and beyond the BMP, and placeholder-looking text.
const char16_t kAlphabet[] = {u'a', u'Z', u'0', u' ', u' ', u'"', u'\'', u'&', u'<', u'>', u';',
                              u'\n', u'\t', u'\r', u'%', u'1', u'=', u'#', u']', u'\\', u'/',
                              0x00FC, 0x20AC, 0x00A0, 0xD7FF, 0xE000, 0xFFFD, 0x0085};
const char16_t kSurrogatePair[] = {0xD83D, 0xDE00};

struct RegistryGenerator
{
    QString text(int maxLength)
    {
        QString s;
        const int length = pick(0, maxLength);
        for (int i = 0; i < length; ++i) {
            if (pick(0, 15) == 0)
                s.append(QString(reinterpret_cast<const QChar *>(kSurrogatePair), 2));
            else
                s.append(QChar(kAlphabet[pick(0, int(std::size(kAlphabet)) - 1)]));
        }
        return s;
    }

    styleentry entry()
    {
        styleentry e;
        const int settings = pick(0, 5);
        for (int i = 0; i < settings; ++i)
            e.settings.append(pick(0, 3) == 0 ? QString() : text(12));
        e.suitablefor = text(8);
        e.description = text(20);
        static const int types[] = {-3, 0, 1, 2, 3, 4, 255};
        e.type = types[pick(0, int(std::size(types)) - 1)];
        return e;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::mt19937 m_random;
};

class RoundTripTest : public StylesheetTest, public ::testing::WithParamInterface<unsigned> { };

TEST_P(RoundTripTest, SavedRegistryReadsBackAsTheFormatAllows)
{
    loadStylesheet("<stylesheet/>");
    RegistryGenerator generate{std::mt19937(GetParam())};
    vrex_stylesheet style;
    QMap<QString, styleentry> expected;
    const int entries = generate.pick(0, 12);
    for (int i = 0; i < entries; ++i) {
        QString name = generate.text(6);
        styleentry entry = generate.entry();
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
