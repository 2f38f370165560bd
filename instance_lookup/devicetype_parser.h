// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The device-type file format: bytes -> driver type, slot spacing and
// parameter records.
#ifndef VREX_INSTANCE_LOOKUP_DEVICETYPE_PARSER_H
#define VREX_INSTANCE_LOOKUP_DEVICETYPE_PARSER_H

#include "xml/document_reader.h"
#include "xml/format_observer.h"
#include "xml/parse_options.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArrayView>
#include <QtCore/QVector>

namespace vrex {

struct ParamRecord
{
    QString name;
    int slot = 0;
    xml::Position at;
};

struct DeviceTypeDocument
{
    xml::Result result;
    xml::Position at;    // of the root element
    int drivertype = 0;  // 1, 2 or 3 when Ok
    int slotspacing = 0;
    QVector<ParamRecord> params; // document order
};

// Parses a whole device-type file. Root must be "device_description".
DeviceTypeDocument parseDeviceType(const xml::Source &source, const ParseOptions &options = {});

// "drivertype" attribute (UTF-8) -> code: first letter g/G 2, r/R 3,
// anything else (or empty) 1.
int driverTypeCode(QByteArrayView value);

// Merges a parsed document into info: drivertype and slotspacing replaced,
// parameters added or their slots replaced, other parameters kept.
void applyDeviceType(deviceTypeInfo &info, const DeviceTypeDocument &document);

} // namespace vrex

#endif
