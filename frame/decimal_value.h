// Integer attributes ("device", "offset", "slot", "slotspacing") are read
// with QStringView::toInt in base 10. That goes through the locale machinery
// and costs hundreds of instructions per value; nearly every real value is a
// handful of plain digits, which are converted here directly.
#ifndef VREX_FRAME_DECIMAL_VALUE_H
#define VREX_FRAME_DECIMAL_VALUE_H

#include <QtCore/QStringView>

namespace vrex {

// Exactly text.toInt(nullptr, 10): 0 for anything that does not convert or
// does not fit in an int.
inline int decimalValue(QStringView text)
{
    // An optional sign and at most nine digits cannot overflow an int, and
    // toInt reads them the obvious way. Everything else (blanks around the
    // number, more digits, any other character, no digit at all) is left
    // to toInt and its own rules.
    constexpr qsizetype kSafeDigits = 9;
    const qsizetype length = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (length > 0 && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (length == i || length - i > kSafeDigits)
        return text.toInt(nullptr, 10);
    int value = 0;
    for (; i < length; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return text.toInt(nullptr, 10);
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

} // namespace vrex

#endif
