// Device-type registry keys are lower case; instances name their type as
// written. One helper so every lookup folds case the same way.
#ifndef VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H
#define VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QVarLengthArray>

namespace vrex {

// The deviceTypes entry for an instance's type, or constEnd(). Runs in
// control loops, so ASCII names (all real ones) are folded into a buffer on
// the stack and looked up without allocating; QString::toLower would
// allocate a string on every call for a name such as "VidRouter".
inline QMap<QString, deviceTypeInfo>::const_iterator findDeviceType(const QString &type)
{
    const QMap<QString, deviceTypeInfo> &types = vrex_instance_lookup::deviceTypes;
    QVarLengthArray<char16_t, 64> folded;
    folded.resize(type.size());
    bool changed = false;
    const QChar *source = type.constData();
    for (qsizetype i = 0; i < type.size(); ++i) {
        char16_t c = source[i].unicode();
        if (c >= 0x80) // Unicode case rules: one character may become two
            return types.constFind(type.toLower());
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

} // namespace vrex

#endif
