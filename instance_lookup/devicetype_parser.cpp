#include "instance_lookup/devicetype_parser.h"

#include "xml/attribute_text.h"

#include <QtCore/QByteArray>

namespace vrex {

using xml::matches;

namespace {

class DeviceTypeHandler final : public xml::ElementHandler
{
public:
    DeviceTypeHandler(DeviceTypeDocument &document, const ParseOptions &options)
        : m_document(document), m_options(options)
    {
    }

    void startElement(const xml::Element &element) override
    {
        if (element.depth() == 0)
            readRoot(element);
        else
            readParam(element, m_document.params.emplace_back());
    }

private:
    void readRoot(const xml::Element &element)
    {
        if (m_options.positions)
            m_document.at = element.position();
        if (m_options.observer)
            m_options.observer->element(RecordRole::DeviceTypeRoot, element);
        const char *drivertype = "";
        const char *slotspacing = "";
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            bool known = true;
            if (matches(name, "drivertype"))
                drivertype = attribute.value();
            else if (matches(name, "slotspacing"))
                slotspacing = attribute.value();
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::DeviceTypeRoot, element, name,
                                              attribute.value(), known);
        }
        m_document.drivertype = driverTypeCode(drivertype);
        m_document.slotspacing = decimalValue(slotspacing);
        if (m_options.observer)
            noticeRoot(element, drivertype, slotspacing);
    }

    void noticeRoot(const xml::Element &element, const char *drivertype, const char *slotspacing)
    {
        using Notice = FormatObserver::Notice;
        // Only the first letter counts: any word but the known ones
        // reads as something the file does not say.
        if (*drivertype && qstricmp(drivertype, "generic") != 0 && qstricmp(drivertype, "router") != 0
            && qstricmp(drivertype, "serial") != 0)
            m_options.observer->notice(RecordRole::DeviceTypeRoot, element, Notice::UnknownWord,
                                       "drivertype", drivertype);
        if (*slotspacing && !decimalConverts(slotspacing))
            m_options.observer->notice(RecordRole::DeviceTypeRoot, element, Notice::NotANumber,
                                       "slotspacing", slotspacing);
    }

    void readParam(const xml::Element &element, ParamRecord &record)
    {
        if (m_options.positions)
            record.at = element.position();
        if (m_options.observer)
            m_options.observer->element(RecordRole::Parameter, element);
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            bool known = true;
            if (matches(name, "name"))
                record.name = attributeText(attribute.value());
            else if (matches(name, "slot"))
            {
                record.slot = decimalValue(attribute.value());
                if (m_options.observer && !decimalConverts(attribute.value()))
                    m_options.observer->notice(RecordRole::Parameter, element,
                                               FormatObserver::Notice::NotANumber, "slot",
                                               attribute.value());
            }
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Parameter, element, name, attribute.value(),
                                              known);
        }
    }

    DeviceTypeDocument &m_document;
    const ParseOptions &m_options;
};

} // namespace

DeviceTypeDocument parseDeviceType(const xml::Source &source, const ParseOptions &options)
{
    DeviceTypeDocument document;
    DeviceTypeHandler handler(document, options);
    document.result = xml::readDocument(source, {"device_description", false, 1}, handler);
    if (document.result.status != xml::Status::Ok) {
        document.drivertype = 0;
        document.slotspacing = 0;
        document.params.clear();
    }
    return document;
}

int driverTypeCode(QByteArrayView value)
{
    // Only the first letter counts, whatever its case.
    if (value.isEmpty())
        return 1;
    switch (value.front()) {
    case 'g':
    case 'G':
        return 2;
    case 'r':
    case 'R':
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
