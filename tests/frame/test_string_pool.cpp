#include "frame/string_pool.h"

#include <gtest/gtest.h>

namespace {

TEST(StringPool, EqualValuesShareOneCopyAndDistinctValuesStayApart)
{
    vrex::StringPool pool;
    const QString source = QStringLiteral("Router Camera Router");
    const QString first = pool.intern(QStringView(source).first(6));
    const QString other = pool.intern(QStringView(source).sliced(7, 6));
    const QString again = pool.intern(QStringView(source).last(6));

    EXPECT_EQ(first, QStringLiteral("Router"));
    EXPECT_EQ(other, QStringLiteral("Camera"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(again.constData(), first.constData());
    EXPECT_NE(other.constData(), first.constData());
    // Copies, not views: the source may go away.
    EXPECT_NE(first.constData(), source.constData());
}

TEST(StringPool, MissingAndEmptyValuesKeepTheirDifference)
{
    vrex::StringPool pool;
    const QString empty = QStringLiteral("x");
    EXPECT_TRUE(pool.intern(QStringView()).isNull());
    EXPECT_FALSE(pool.intern(QStringView(empty).first(0)).isNull());
    EXPECT_TRUE(pool.intern(QStringView(empty).first(0)).isEmpty());
}

TEST(StringPool, AFieldOfManyDistinctValuesStopsBeingPooled)
{
    vrex::StringPool pool;
    const QString early = pool.intern(QStringLiteral("early"));
    EXPECT_EQ(pool.intern(QStringLiteral("early")).constData(), early.constData());
    for (int i = 0; i < 5000; ++i) {
        const QString value = QString::number(i);
        ASSERT_EQ(pool.intern(value), value);
    }
    // Still the right values, now as plain copies.
    const QString again = pool.intern(QStringLiteral("early"));
    EXPECT_EQ(again, early);
    EXPECT_NE(again.constData(), early.constData());
    EXPECT_TRUE(pool.intern(QStringView()).isNull());
}

} // namespace
