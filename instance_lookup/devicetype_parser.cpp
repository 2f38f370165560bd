// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/devicetype_parser.h"

#include "instance_lookup/devicetype_format.h"
#include "xml/attribute_text.h"

#include <QtCore/QByteArray>

namespace vrex {

using xml::matches;
namespace fmt = devicetype_format;

namespace {

// One of the driver type words, in any case.
bool isDriverTypeWord(const char *word)
{
    for (const fmt::DriverType &type : fmt::kDriverTypes) {
        if (qstricmp(word, type.word) == 0)
            return true;
    }
    return false;
}

class DeviceTypeHandler final : public ObservedElementHandler
{
public:
    DeviceTypeHandler(DeviceTypeDocument &document, const ParseOptions &options)
        : ObservedElementHandler(options.observer), m_document(document), m_options(options)
    {
    }

    void startElement(const xml::Element &element) override
    {
        if (element.depth() == 0)
            readRoot(element);
        else if (element.depth() == 1)
            readParam(element, m_document.params.emplace_back());
        else if (element.depth() == 2) // only observed
            m_options.observer->unreadElement(RecordRole::Parameter, element);
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
            if (matches(name, fmt::kDriverType))
                drivertype = attribute.value();
            else if (matches(name, fmt::kSlotSpacing))
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
        if (*drivertype && !isDriverTypeWord(drivertype))
            m_options.observer->notice(RecordRole::DeviceTypeRoot, element, Notice::UnknownWord,
                                       fmt::kDriverType, drivertype);
        if (*slotspacing && !decimalConverts(slotspacing))
            m_options.observer->notice(RecordRole::DeviceTypeRoot, element, Notice::NotANumber,
                                       fmt::kSlotSpacing, slotspacing);
        else if (m_document.slotspacing < 0)
            m_options.observer->notice(RecordRole::DeviceTypeRoot, element, Notice::NegativeNumber,
                                       fmt::kSlotSpacing, slotspacing);
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
            if (matches(name, fmt::kParamName))
                record.name = attributeText(attribute.value());
            else if (matches(name, fmt::kParamSlot))
            {
                record.slot = decimalValue(attribute.value());
                if (m_options.observer && (record.slot < 0 || !decimalConverts(attribute.value())))
                    m_options.observer->notice(RecordRole::Parameter, element,
                                               record.slot < 0 ? FormatObserver::Notice::NegativeNumber
                                                               : FormatObserver::Notice::NotANumber,
                                               fmt::kParamSlot, attribute.value());
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
    document.result = xml::readDocument(source, {fmt::kRoot, false, options.observer ? kObservedDepth : 1}, handler);
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
        return fmt::kDefaultDriverType;
    const char first = (value.front() >= 'A' && value.front() <= 'Z') ? char(value.front() + ('a' - 'A')) : value.front();
    for (const fmt::DriverType &type : fmt::kDriverTypes) {
        if (type.code != fmt::kDefaultDriverType && type.word[0] == first)
            return type.code;
    }
    return fmt::kDefaultDriverType;
}

void applyDeviceType(deviceTypeInfo &info, const DeviceTypeDocument &document)
{
    info.drivertype = document.drivertype;
    info.slotspacing = document.slotspacing;
    for (const ParamRecord &param : document.params)
        info.params[param.name].slot = param.slot;
}

} // namespace vrex
