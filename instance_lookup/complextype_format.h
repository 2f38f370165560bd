// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The words of a complex-type file (config/complex_instances/NAME.xml): the
// one place they are written. The root element is named after the type.
#ifndef VREX_INSTANCE_LOOKUP_COMPLEXTYPE_FORMAT_H
#define VREX_INSTANCE_LOOKUP_COMPLEXTYPE_FORMAT_H

namespace vrex::complextype_format {

// Children of the root are members, their children redirections, whatever
// their tags; these are the tags files use.
inline constexpr char kMember[] = "member";
inline constexpr char kMemberId[] = "id";
inline constexpr char kRedirection[] = "param";
inline constexpr char kRedirectionId[] = "id";        // the member's own parameter
inline constexpr char kRedirectionDevice[] = "device"; // the target instance
inline constexpr char kRedirectionParam[] = "param";   // the target's parameter

inline constexpr const char *kMemberAttributes[] = {kMemberId};
inline constexpr const char *kRedirectionAttributes[] = {kRedirectionId, kRedirectionDevice, kRedirectionParam};

} // namespace vrex::complextype_format

#endif
