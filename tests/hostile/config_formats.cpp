// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "config_formats.h"

#include "installation/installation_layout.h"
#include "instance_lookup/catalogue_loaders.h"

namespace vrextest {

namespace {

template<typename Map, typename Text>
QStringList lines(const Map &map, Text text)
{
    QStringList result;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        result << it.key() + QLatin1Char('=') + text(it.value());
    result.sort();
    return result;
}

} // namespace

// Snapshots: instances by location, device types by parameter names (none
// for a failed file, which keeps driver type 0), complex types by target
// devices, styles by description.
const QVector<ConfigFormat> &configFormats()
{
    static const QVector<ConfigFormat> formats{
        {"Instances", QStringLiteral("instances.xml"), true,
         QStringLiteral("vrex_instance_lookup: Could not find the instances"),
         [](const QString &, const QByteArray &text) -> QByteArray {
             return "<instances><instance id=\"cam\" type=\"Camera\" location=\"" + text + "\"/></instances>";
         },
         [](Registries &r, const vrex::LoadContext &context) { vrex::loadInstances(r.instances, context); },
         [](const Registries &r) { return lines(r.instances, [](const instanceInfo &i) { return i.location; }); }},
        {"DeviceTypes", QStringLiteral("devicetypes/%1.xml"), false,
         QStringLiteral("vrex_instance_lookup: Could not find the device description - %1"),
         [](const QString &, const QByteArray &text) -> QByteArray {
             return "<device_description drivertype=\"router\"><param name=\"" + text
                     + "\" slot=\"7\"/></device_description>";
         },
         [](Registries &r, const vrex::LoadContext &context) { vrex::loadDeviceTypes(r.deviceTypes, context); },
         [](const Registries &r) {
             return lines(r.deviceTypes, [](const deviceTypeInfo &type) {
                 return type.drivertype == 0 ? QString() : type.params.keys().join(QLatin1Char(','));
             });
         }},
        {"ComplexTypes", QStringLiteral("complex_instances/%1.xml"), false,
         QStringLiteral("vrex_instance_lookup: Could not find the complex instances - %1"),
         [](const QString &name, const QByteArray &text) -> QByteArray {
             return '<' + name.toUtf8() + "><member id=\"cam\"><r id=\"gain\" device=\"" + text
                     + "\" param=\"iris\"/></member></" + name.toUtf8() + '>';
         },
         [](Registries &r, const vrex::LoadContext &context) { vrex::loadComplexTypes(r.complexTypes, context); },
         [](const Registries &r) {
             return lines(r.complexTypes, [](const complexType &type) {
                 QStringList devices;
                 for (const complexInstance &member : type.members) {
                     for (const complexParam &param : member.params)
                         devices << param.device;
                 }
                 return devices.join(QLatin1Char(','));
             });
         }},
        {"Stylesheet", QStringLiteral("stylesheet/vrex_style.xml"), false,
         QStringLiteral("Could not find the Stylesheet file:\n\t%2"),
         [](const QString &, const QByteArray &text) -> QByteArray {
             return "<stylesheet><style name=\"cam\" description=\"" + text + "\"/></stylesheet>";
         },
         [](Registries &r, const vrex::LoadContext &c) { vrex::loadStylesheet(r.styles, vrex::layout::path(c.configRoot, vrex::layout::kStylesheetFile), c); },
         [](const Registries &r) { return lines(r.styles, [](const styleentry &e) { return e.description; }); }},
    };
    return formats;
}

} // namespace vrextest
