// Readable QString values in GoogleTest failure messages.
#ifndef VREX_TESTS_QT_PRINTERS_H
#define VREX_TESTS_QT_PRINTERS_H

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (const QString &text : list)
        *os << '"' << text.toStdString() << "\" ";
    *os << ']';
}

#endif
