// The device-type file format: bytes -> driver type, slot spacing and
// parameter records.
#ifndef VREX_INSTANCE_LOOKUP_DEVICETYPE_PARSER_H
#define VREX_INSTANCE_LOOKUP_DEVICETYPE_PARSER_H

#include "frame/xml_stream.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QByteArray>
#include <QtCore/QStringView>
#include <QtCore/QVector>

namespace vrex {

struct ParamRecord
{
    QString name;
    int slot = 0;
    qint64 line = 0;   // of the start tag (its last, its first when observed)
    qint64 column = 0; // of its '<', only when observed
};

struct DeviceTypeDocument
{
    ParseStatus status = ParseStatus::Ok;
    ParseError error;
    int drivertype = 0;  // 1, 2 or 3 when Ok
    int slotspacing = 0;
    QVector<ParamRecord> params; // document order
};

class ParseObserver;

// Parses a whole device-type file. Root must be "device_description". An
// observer hears of what the records cannot show (see parse_findings.h).
DeviceTypeDocument parseDeviceType(const QByteArray &data, ParseObserver *observer = nullptr);

// "drivertype" attribute -> code: first letter g/G 2, r/R 3, anything else
// (or empty) 1.
int driverTypeCode(QStringView value);

// Merges a parsed document into info: drivertype and slotspacing replaced,
// parameters added or their slots replaced, other parameters kept.
void applyDeviceType(deviceTypeInfo &info, const DeviceTypeDocument &document);

} // namespace vrex

#endif
