// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Where an installation keeps its files, relative to its configuration root
// (the root directory followed by the system name). The one place these
// names are written; the library, the tools and the tests build paths here.
#ifndef VREX_INSTALLATION_INSTALLATION_LAYOUT_H
#define VREX_INSTALLATION_INSTALLATION_LAYOUT_H

#include <QtCore/QLatin1StringView>
#include <QtCore/QString>

namespace vrex::layout {

inline constexpr QLatin1StringView kConfigDir{"config"};
inline constexpr QLatin1StringView kInstancesFile{"config/instances.xml"};
inline constexpr QLatin1StringView kDeviceTypesDir{"config/devicetypes"};
inline constexpr QLatin1StringView kComplexTypesDir{"config/complex_instances"};
inline constexpr QLatin1StringView kStylesheetDir{"config/stylesheet"};
inline constexpr QLatin1StringView kStylesheetName{"vrex_style.xml"};
inline constexpr QLatin1StringView kStylesheetFile{"config/stylesheet/vrex_style.xml"};
// The extension every device-type and complex-type file carries, matched
// ignoring case when a directory is listed.
inline constexpr QLatin1StringView kXmlSuffix{".xml"};
inline constexpr QLatin1StringView kXmlPattern{"*.xml"};

// root + '/' + system: nothing is added or removed at either end, so an
// empty system gives "root/".
inline QString configRoot(const QString &root, const QString &system)
{
    return root + QLatin1Char('/') + system;
}

// A path below the configuration root, by plain concatenation.
inline QString path(const QString &configRoot, QLatin1StringView relative)
{
    return configRoot + QLatin1Char('/') + relative;
}

// The file a device-type or complex-type name is read from, in its
// directory: the name followed by ".xml".
inline QString xmlFileName(const QString &name)
{
    return name + kXmlSuffix;
}

} // namespace vrex::layout

#endif
