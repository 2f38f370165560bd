// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The words of a device-type file (config/devicetypes/NAME.xml): the one
// place they are written. The registry key fold is in device_type_key.h.
#ifndef VREX_INSTANCE_LOOKUP_DEVICETYPE_FORMAT_H
#define VREX_INSTANCE_LOOKUP_DEVICETYPE_FORMAT_H

namespace vrex::devicetype_format {

inline constexpr char kRoot[] = "device_description";
inline constexpr char kDriverType[] = "drivertype";
inline constexpr char kSlotSpacing[] = "slotspacing";
// Every child of the root is a parameter whatever its tag; this is the tag
// files use.
inline constexpr char kParam[] = "param";
inline constexpr char kParamName[] = "name";
inline constexpr char kParamSlot[] = "slot";

inline constexpr const char *kRootAttributes[] = {kDriverType, kSlotSpacing};
inline constexpr const char *kParamAttributes[] = {kParamName, kParamSlot};

// The driver type words and their codes. Only the first letter is read,
// whatever its case; a word with another first letter, or none, reads as
// the serial code.
struct DriverType
{
    const char *word;
    int code;
};
inline constexpr DriverType kSerial{"serial", 1};
inline constexpr DriverType kGeneric{"generic", 2};
inline constexpr DriverType kRouter{"router", 3};
inline constexpr DriverType kDriverTypes[] = {kSerial, kGeneric, kRouter};
inline constexpr int kDefaultDriverType = kSerial.code;

} // namespace vrex::devicetype_format

#endif
