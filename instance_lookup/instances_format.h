// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The words of the instances file (config/instances.xml): the one place
// they are written. The parser, the checks, the tools and the completion
// all read them here.
#ifndef VREX_INSTANCE_LOOKUP_INSTANCES_FORMAT_H
#define VREX_INSTANCE_LOOKUP_INSTANCES_FORMAT_H

namespace vrex::instances_format {

inline constexpr char kRoot[] = "instances";
// Every child of the root is an instance whatever its tag; this is the tag
// files use.
inline constexpr char kInstance[] = "instance";
inline constexpr char kId[] = "id";
inline constexpr char kType[] = "type";
inline constexpr char kAltId[] = "alt_id";
inline constexpr char kLocation[] = "location";
inline constexpr char kComposite[] = "composite";
inline constexpr char kCompositeYes[] = "yes"; // exactly, anything else is no
inline constexpr char kRef[] = "ref";

// Inside ref: "device=12,offset=3,complex=pair".
inline constexpr char kRefSeparator = ',';
inline constexpr char kRefAssign = '=';
inline constexpr char kRefDevice[] = "device";
inline constexpr char kRefOffset[] = "offset";
inline constexpr char kRefComplex[] = "complex";
inline constexpr const char *kRefKeys[] = {kRefDevice, kRefOffset, kRefComplex};

// A group of a composite instance: <group id="..." instance="..."/>.
inline constexpr char kGroup[] = "group";
inline constexpr char kGroupId[] = "id";
inline constexpr char kGroupInstance[] = "instance";

inline constexpr const char *kInstanceAttributes[] = {kId, kType, kAltId, kLocation, kComposite, kRef};
inline constexpr const char *kGroupAttributes[] = {kGroupId, kGroupInstance};

} // namespace vrex::instances_format

#endif
