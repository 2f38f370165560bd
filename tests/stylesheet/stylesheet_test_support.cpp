// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <tuple>

void PrintTo(const styleentry &value, std::ostream *os)
{
    *os << "{settings " << ::testing::PrintToString(value.settings) << ", suitablefor "
        << ::testing::PrintToString(value.suitablefor) << ", description "
        << ::testing::PrintToString(value.description) << ", type " << value.type << '}';
}

void PrintTo(const QMap<QString, styleentry> &value, std::ostream *os)
{
    for (auto it = value.cbegin(); it != value.cend(); ++it) {
        *os << "\n  " << ::testing::PrintToString(it.key()) << ": ";
        PrintTo(it.value(), os);
    }
}

bool operator==(const styleentry &a, const styleentry &b)
{
    return a.settings == b.settings && a.suitablefor == b.suitablefor
            && a.description == b.description && a.type == b.type;
}

namespace vrextest {

styleentry makeStyle(const QStringList &settings, const QString &suitablefor,
                     const QString &description, int type)
{
    styleentry entry;
    std::tie(entry.settings, entry.suitablefor, entry.description, entry.type) =
            std::tie(settings, suitablefor, description, type);
    return entry;
}

styleentry asReadBack(styleentry entry)
{
    entry.settings.removeAll(QString());
    if (entry.type < 1 || entry.type > 3)
        entry.type = styleentry().type;
    return entry;
}

void StylesheetTest::SetUp()
{
    clearRegistries();
    tree = std::make_unique<FixtureTree>();
    host = std::make_unique<HostRoot>(*tree);
}

void StylesheetTest::loadStylesheet(const QByteArray &contents) const
{
    writeStylesheet(contents);
    QtMessageCapture messages;
    vrex_stylesheet::reLoad();
    ASSERT_TRUE(messages.messages().isEmpty()) << messages.messages().join(QLatin1Char('\n')).toStdString();
}

} // namespace vrextest
