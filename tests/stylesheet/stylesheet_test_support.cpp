#include "stylesheet_test_support.h"

#include "support/capture.h"

#include <QtCore/QFile>

void PrintTo(const QString &value, std::ostream *os)
{
    *os << '"' << value.toUtf8().toStdString() << '"';
}

void PrintTo(const QStringList &value, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(value.at(i), os);
    }
    *os << '}';
}

void PrintTo(const styleentry &value, std::ostream *os)
{
    *os << "{settings ";
    PrintTo(value.settings, os);
    *os << ", suitablefor ";
    PrintTo(value.suitablefor, os);
    *os << ", description ";
    PrintTo(value.description, os);
    *os << ", type " << value.type << '}';
}

void PrintTo(const QMap<QString, styleentry> &value, std::ostream *os)
{
    for (auto it = value.cbegin(); it != value.cend(); ++it) {
        *os << "\n  ";
        PrintTo(it.key(), os);
        *os << ": ";
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
    entry.settings = settings;
    entry.suitablefor = suitablefor;
    entry.description = description;
    entry.type = type;
    return entry;
}

void StylesheetTest::SetUp()
{
    clearRegistries();
    tree = std::make_unique<FixtureTree>();
}

void StylesheetTest::loadStylesheet(const QByteArray &contents) const
{
    writeStylesheet(contents);
    QtMessageCapture messages;
    vrex_stylesheet::reLoad();
    ASSERT_TRUE(messages.messages().isEmpty()) << messages.messages().join(QLatin1Char('\n')).toStdString();
}

} // namespace vrextest
