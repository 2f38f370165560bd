// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Attribute values as the records keep them. The reader gives UTF-8; the
// records hold QStrings, and integer fields are read as QString::toInt in
// base 10 would read them.
#ifndef VREX_XML_ATTRIBUTE_TEXT_H
#define VREX_XML_ATTRIBUTE_TEXT_H

#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <QtCore/QStringDecoder>

namespace vrex {

// A present attribute is never null, even when empty: only a missing one
// reads as the null string.
inline QString attributeText(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return QString(QLatin1String(""));
    // fromUtf8 drops a leading U+FEFF as a byte-order mark; in a value it
    // is a character like any other.
    if (utf8.startsWith("\xEF\xBB\xBF")) {
        return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom
                                      | QStringDecoder::Flag::Stateless)(utf8);
    }
    return QString::fromUtf8(utf8);
}

// Exactly attributeText(utf8).toInt(nullptr, 10): 0 for anything that
// does not convert or does not fit in an int. toInt goes through the locale
// machinery and costs hundreds of instructions per value; nearly every real
// value ("device", "offset", "slot") is a handful of plain digits, which
// are converted here directly.
inline int decimalValue(QByteArrayView utf8)
{
    // An optional sign and at most nine digits cannot overflow an int, and
    // toInt reads them the obvious way. Everything else (blanks around the
    // number, more digits, any other character, no digit at all) is left
    // to toInt and its own rules.
    constexpr qsizetype kSafeDigits = 9;
    const qsizetype length = utf8.size();
    qsizetype i = 0;
    bool negative = false;
    if (length > 0 && (utf8[0] == '-' || utf8[0] == '+')) {
        negative = utf8[0] == '-';
        i = 1;
    }
    if (length == i || length - i > kSafeDigits)
        return attributeText(utf8).toInt(nullptr, 10);
    int value = 0;
    for (; i < length; ++i) {
        const char c = utf8[i];
        if (c < '0' || c > '9')
            return attributeText(utf8).toInt(nullptr, 10);
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// Whether decimalValue(utf8) converted the text rather than reading 0 for
// it; for tools that judge a file, never on the load path.
inline bool decimalConverts(QByteArrayView utf8)
{
    bool ok = false;
    attributeText(utf8).toInt(&ok, 10);
    return ok;
}

} // namespace vrex

#endif
