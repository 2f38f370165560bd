// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Device-type registry keys are lower case; instances name their type as
// written. The one fold, used where entries are stored and everywhere they
// are looked up (the library's queries and vrexctl alike).
#ifndef VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H
#define VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H

#include "instance_lookup/catalogue.h"

#include <QtCore/QVarLengthArray>

namespace vrex {

// The key a device type named name is stored under.
inline QString deviceTypeKey(const QString &name)
{
    return name.toLower();
}

// The entry of types for an instance's type, or constEnd(): the entry
// under deviceTypeKey(type). Runs in control loops, so ASCII names (all
// real ones) are folded into a buffer on the stack and looked up without
// allocating; toLower would allocate a string on every call for a name
// such as "VidRouter".
inline DeviceTypeRegistry::const_iterator findDeviceType(const DeviceTypeRegistry &types, const QString &type)
{
    QVarLengthArray<char16_t, 64> folded;
    folded.resize(type.size());
    bool changed = false;
    const QChar *source = type.constData();
    for (qsizetype i = 0; i < type.size(); ++i) {
        char16_t c = source[i].unicode();
        if (c >= 0x80) // Unicode case rules: one character may become two
            return types.constFind(deviceTypeKey(type));
        if (c >= u'A' && c <= u'Z') {
            c += u'a' - u'A';
            changed = true;
        }
        folded[i] = c;
    }
    if (!changed)
        return types.constFind(type);
    return types.constFind(
            QString::fromRawData(reinterpret_cast<const QChar *>(folded.constData()), folded.size()));
}

// The driver type code as the lookups hand it out: its low byte.
inline char driverTypeByte(int code)
{
    return static_cast<char>(static_cast<unsigned char>(code & 0xff));
}

// That byte read back as the code it stands for (0 to 255).
inline int driverTypeNumber(char byte)
{
    return static_cast<unsigned char>(byte);
}

} // namespace vrex

#endif
