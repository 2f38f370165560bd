#include "instance_lookup/devicetype_parser.h"

#include "frame/decimal_value.h"

#include <QtCore/QXmlStreamAttributes>

namespace vrex {

namespace {

// Names are compared by qualifiedName(): name() drops a prefix even with
// namespace processing off.

void readRootAttributes(const QXmlStreamReader &reader, DeviceTypeDocument &document)
{
    QStringView drivertype;
    QStringView slotspacing;
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        if (matches(name, u"drivertype"))
            drivertype = attribute.value();
        else if (matches(name, u"slotspacing"))
            slotspacing = attribute.value();
    }
    document.drivertype = driverTypeCode(drivertype);
    document.slotspacing = decimalValue(slotspacing);
}

// Fills record from the parameter element the reader is on and leaves the
// reader on its end tag.
void readParam(QXmlStreamReader &reader, ParamRecord &record)
{
    record.line = reader.lineNumber();
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        if (matches(name, u"name"))
            record.name = attribute.value().toString();
        else if (matches(name, u"slot"))
            record.slot = decimalValue(attribute.value());
    }
    reader.skipCurrentElement();
}

} // namespace

DeviceTypeDocument parseDeviceType(const QByteArray &data)
{
    DeviceTypeDocument document;
    DocumentReader reader(data);

    if (!readRootElement(reader)) {
        document.status = ParseStatus::NotWellFormed;
    } else if (reader.qualifiedName() == QLatin1String("device_description")) {
        readRootAttributes(reader, document);
        while (reader.readNextStartElement()) {
            document.params.emplace_back();
            readParam(reader, document.params.back());
        }
    } else {
        document.status = ParseStatus::WrongRoot;
    }

    document.status = finishParse(reader, document.status, document.error);
    if (document.status != ParseStatus::Ok) {
        document.drivertype = 0;
        document.slotspacing = 0;
        document.params.clear();
    }
    return document;
}

int driverTypeCode(QStringView value)
{
    // Only the first letter counts, whatever its case.
    if (value.isEmpty())
        return 1;
    switch (value.front().unicode()) {
    case u'g':
    case u'G':
        return 2;
    case u'r':
    case u'R':
        return 3;
    default:
        return 1;
    }
}

void applyDeviceType(deviceTypeInfo &info, const DeviceTypeDocument &document)
{
    info.drivertype = document.drivertype;
    info.slotspacing = document.slotspacing;
    for (const ParamRecord &param : document.params)
        info.params[param.name].slot = param.slot;
}

} // namespace vrex
