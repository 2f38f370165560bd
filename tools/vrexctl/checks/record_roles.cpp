// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/record_roles.h"

#include "instance_lookup/complextype_format.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "stylesheet/stylesheet_format.h"

namespace vrexctl {

namespace {
using vrex::RecordRole;
namespace instances = vrex::instances_format;
namespace devicetype = vrex::devicetype_format;
namespace complextype = vrex::complextype_format;
namespace stylesheet = vrex::stylesheet_format;
} // namespace

QString roleElementName(RecordRole role)
{
    switch (role) {
    case RecordRole::Instance: return QLatin1String(instances::kInstance);
    case RecordRole::Group: return QLatin1String(instances::kGroup);
    case RecordRole::DeviceTypeRoot: return QLatin1String(devicetype::kRoot);
    case RecordRole::Parameter: return QStringLiteral("parameter");
    case RecordRole::ComplexTypeRoot: return QStringLiteral("complex type root");
    case RecordRole::Member: return QLatin1String(complextype::kMember);
    case RecordRole::Redirection: return QStringLiteral("redirection");
    case RecordRole::StylesheetRoot: return QLatin1String(stylesheet::kRoot);
    case RecordRole::Style: return QLatin1String(stylesheet::kStyle);
    case RecordRole::Setting: return QLatin1String(stylesheet::kSetting);
    }
    return QStringLiteral("element");
}

QStringList roleAttributes(RecordRole role)
{
    switch (role) {
    case RecordRole::Instance: return wordList(instances::kInstanceAttributes);
    case RecordRole::Group: return wordList(instances::kGroupAttributes);
    case RecordRole::DeviceTypeRoot: return wordList(devicetype::kRootAttributes);
    case RecordRole::Parameter: return wordList(devicetype::kParamAttributes);
    case RecordRole::Member: return wordList(complextype::kMemberAttributes);
    case RecordRole::Redirection: return wordList(complextype::kRedirectionAttributes);
    case RecordRole::Style: return wordList(stylesheet::kStyleAttributes);
    case RecordRole::Setting: return wordList(stylesheet::kSettingAttributes);
    case RecordRole::ComplexTypeRoot:
    case RecordRole::StylesheetRoot: break;
    }
    return {};
}

const char *roleNameAttribute(RecordRole role)
{
    switch (role) {
    case RecordRole::Instance: return instances::kId;
    case RecordRole::Group: return instances::kGroupId;
    case RecordRole::Parameter: return devicetype::kParamName;
    case RecordRole::Member: return complextype::kMemberId;
    case RecordRole::Redirection: return complextype::kRedirectionId;
    case RecordRole::Style: return stylesheet::kName;
    default: return nullptr;
    }
}

} // namespace vrexctl
