// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "installation/installation.h"

#include "installation/installation_layout.h"
#include "instance_lookup/catalogue_loaders.h"
#include "instance_lookup/catalogue_queries.h"
#include "instance_lookup/device_type_key.h"

namespace vrex {

Installation::Installation(const QString &root, const QString &system, const FileSource &files)
    : m_configRoot(layout::configRoot(root, system)), m_files(files)
{
}

Installation Installation::atConfigRoot(const QString &configRoot, const FileSource &files)
{
    Installation installation;
    installation.m_configRoot = configRoot;
    installation.m_files = files;
    return installation;
}

QString Installation::path(QLatin1StringView relative) const
{
    return layout::path(m_configRoot, relative);
}

void Installation::setObserver(FormatObserver *observer, bool positions)
{
    m_observer = observer;
    m_positions = positions;
}

LoadContext Installation::context() const
{
    LoadContext context;
    context.configRoot = m_configRoot;
    context.files = &m_files;
    context.sink = &m_report;
    context.options.observer = m_observer;
    context.options.positions = m_observer && m_positions;
    context.recoveryDir = m_recoveryDir;
    return context;
}

void Installation::clear()
{
    m_instances.clear();
    m_deviceTypes.clear();
    m_complexTypes.clear();
    m_styles.clear();
    m_loadedStyles.clear();
    m_report = Report();
}

void Installation::load()
{
    clear();
    loadStyles();
    loadInstances();
    loadDeviceTypes();
    loadComplexTypes();
}

void Installation::loadStyles()
{
    loadStylesheet(m_styles, path(layout::kStylesheetFile), context(), &m_loadedStyles);
}

void Installation::reloadStyles()
{
    m_styles.clear();
    m_loadedStyles.clear();
    loadStyles();
}

void Installation::loadInstances()
{
    vrex::loadInstances(m_instances, context());
}

void Installation::loadDeviceTypes()
{
    vrex::loadDeviceTypes(m_deviceTypes, context());
}

void Installation::loadComplexTypes()
{
    vrex::loadComplexTypes(m_complexTypes, context());
}

void Installation::reloadInstances()
{
    m_instances.clear();
    loadInstances();
}

void Installation::reloadDeviceType(const QString &entry)
{
    const LoadContext context = this->context();
    const QString base = entry.chopped(layout::kXmlSuffix.size());
    deviceTypeInfo info;
    loadDeviceType(base, m_files.listXml(path(layout::kDeviceTypesDir)).resolve(layout::xmlFileName(base)), info,
                   context);
    m_deviceTypes.insert(deviceTypeKey(base), info);
}

void Installation::reloadComplexType(const QString &entry)
{
    const LoadContext context = this->context();
    const QString key = entry.chopped(layout::kXmlSuffix.size());
    complexType loaded;
    loadComplexType(key, m_files.listXml(path(layout::kComplexTypesDir)).resolve(layout::xmlFileName(key)), loaded,
                    context);
    m_complexTypes[key].members = std::move(loaded.members);
}

void Installation::clearMessages()
{
    m_report = Report();
}

bool Installation::lookupComposite(const QString &name, bool &composite, QMap<QString, QString> &groups) const
{
    return vrex::lookupComposite(catalogue(), name, composite, groups);
}

bool Installation::lookupComposite(const QString &name, const QString &id, QString &instance) const
{
    return vrex::lookupComposite(catalogue(), name, id, instance);
}

bool Installation::lookupType(const QString &name, QString &type) const
{
    return vrex::lookupType(catalogue(), name, type);
}

bool Installation::lookup(const QString &name, QString &alt_id, int *device, int *offset, char *drivertype) const
{
    return lookupInstance(catalogue(), &m_report, name, alt_id, device, offset, drivertype);
}

bool Installation::lookup(const QString &name, QString &alt_id, QString &location, QString &type, QString &ref,
                          bool &composite) const
{
    return lookupInstance(catalogue(), &m_report, name, alt_id, location, type, ref, composite);
}

bool Installation::lookup(const QString &name, const QString &param, QString &alt_id, int *device, int *offset,
                          int *slot, char *drivertype) const
{
    return lookupParameter(catalogue(), &m_report, name, param, alt_id, device, offset, slot, drivertype);
}

bool Installation::lookupComplex(const QString &complexName, const QString &member, const QString &param,
                                 QString &alt_id, int *device, int *offset, int *slot, char *drivertype) const
{
    return vrex::lookupComplex(catalogue(), &m_report, complexName, member, param, alt_id, device, offset, slot,
                               drivertype);
}

void Installation::applyStyle(const QString &name, QWidget *widget) const
{
    vrex::applyStyle(m_styles, name, widget, &m_report);
}

SaveOutcome Installation::saveStyles()
{
    return saveStylesheet(m_styles, m_loadedStyles, path(layout::kStylesheetFile), context());
}

} // namespace vrex
