#include "instance_lookup/devicetype_parser.h"

#include "frame/decimal_value.h"
#include "frame/parse_findings.h"

#include <QtCore/QXmlStreamAttributes>

#include <optional>

namespace vrex {

namespace {

// Names are compared by qualifiedName(): name() drops a prefix even with
// namespace processing off.

// The words installations write; the load looks at the first letter only.
void checkDriverWord(ParseReport &report, QStringView word)
{
    const QStringList known{QStringLiteral("generic"), QStringLiteral("router"), QStringLiteral("serial")};
    if (!word.isEmpty() && !known.contains(word.toString(), Qt::CaseInsensitive)) {
        report.report({ParseFinding::UnknownWord, QStringLiteral("device_description"),
                       QStringLiteral("drivertype"), word.toString(), known,
                       report.attributeValue(u"drivertype", 0), {}});
    }
}

void readRootAttributes(const QXmlStreamReader &reader, DeviceTypeDocument &document,
                        ParseReport *report)
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
    if (report) {
        report->element(reader);
        report->checkAttributes(reader, QStringLiteral("device_description"), {u"drivertype", u"slotspacing"});
        checkDriverWord(*report, drivertype);
        if (!slotspacing.isNull())
            report->checkNumber(QStringLiteral("device_description"), u"slotspacing", slotspacing,
                                report->attributeValue(u"slotspacing", 0));
    }
}

// Fills record from the parameter element the reader is on and leaves the
// reader on its end tag.
void readParam(QXmlStreamReader &reader, ParamRecord &record, ParseReport *report)
{
    record.line = reader.lineNumber();
    if (report) {
        const SourcePosition at = report->element(reader);
        record.line = at.line;
        record.column = at.column;
        report->checkAttributes(reader, QStringLiteral("parameter"), {u"name", u"slot"});
    }
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        if (matches(name, u"name")) {
            record.name = attribute.value().toString();
        } else if (matches(name, u"slot")) {
            record.slot = decimalValue(attribute.value());
            if (report)
                report->checkNumber(QStringLiteral("parameter"), name, attribute.value(),
                                    report->attributeValue(u"slot", 0));
        }
    }
    reader.skipCurrentElement();
}

} // namespace

DeviceTypeDocument parseDeviceType(const QByteArray &data, ParseObserver *observer)
{
    DeviceTypeDocument document;
    DocumentReader reader(data);
    std::optional<ParseReport> report;
    if (observer)
        report.emplace(*observer, data);

    if (!readRootElement(reader)) {
        document.status = ParseStatus::NotWellFormed;
    } else if (reader.qualifiedName() == QLatin1String("device_description")) {
        readRootAttributes(reader, document, report ? &*report : nullptr);
        while (reader.readNextStartElement()) {
            document.params.emplace_back();
            readParam(reader, document.params.back(), report ? &*report : nullptr);
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
