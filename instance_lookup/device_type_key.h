// Device-type registry keys are lower case; instances name their type as
// written. One helper so every lookup folds case the same way.
#ifndef VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H
#define VREX_INSTANCE_LOOKUP_DEVICE_TYPE_KEY_H

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace vrex {

// The deviceTypes entry for an instance's type, or constEnd(). Allocates no
// string when the type is already lower case (the common case in control
// loops).
inline QMap<QString, deviceTypeInfo>::const_iterator findDeviceType(const QString &type)
{
    const QMap<QString, deviceTypeInfo> &types = vrex_instance_lookup::deviceTypes;
    for (const QChar c : type) {
        if (c.isUpper() || c.toLower() != c)
            return types.constFind(type.toLower());
    }
    return types.constFind(type);
}

} // namespace vrex

#endif
