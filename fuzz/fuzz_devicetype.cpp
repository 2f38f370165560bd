// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A device-type file: parser and merge into a record, checked against a
// plain reading of the same document.
#include "fuzz_support.h"

#include "instance_lookup/devicetype_parser.h"

namespace {

// The driver type code as the file format defines it: the first character
// of the lower-cased value decides.
int expectedDriverType(const QString &value)
{
    const QString lower = value.toLower();
    if (lower.startsWith(QLatin1Char('g')))
        return 2;
    if (lower.startsWith(QLatin1Char('r')))
        return 3;
    return 1;
}

int integerOf(const QString &value)
{
    return value.toInt(nullptr, 10);
}

void checkApply(const vrex::DeviceTypeDocument &document)
{
    // Parameters the document does not name stay; named ones take the slot
    // of their last element.
    const QString untouchable = QStringLiteral("\u0001kept");
    deviceTypeInfo info;
    info.drivertype = 99;
    info.slotspacing = 99;
    info.params[untouchable].slot = 77;
    if (!document.params.isEmpty())
        info.params[document.params.first().name].slot = 77;

    vrex::applyDeviceType(info, document);

    VREX_FUZZ_CHECK(info.drivertype == document.drivertype);
    VREX_FUZZ_CHECK(info.slotspacing == document.slotspacing);
    QMap<QString, int> lastSlot;
    for (const vrex::ParamRecord &param : document.params)
        lastSlot.insert(param.name, param.slot);
    VREX_FUZZ_CHECK(info.params.size() == lastSlot.size() + 1);
    VREX_FUZZ_CHECK(info.params.value(untouchable).slot == 77);
    for (auto it = lastSlot.cbegin(); it != lastSlot.cend(); ++it) {
        VREX_FUZZ_CHECK(info.params.contains(it.key()), it.key());
        VREX_FUZZ_CHECK(info.params.value(it.key()).slot == it.value(), it.key());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    vrexfuzz::silenceDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vrexfuzz::bytesOf(data, size);
    const vrex::DeviceTypeDocument document = vrex::parseDeviceType(bytes);
    const vrexfuzz::XmlOutline outline = vrexfuzz::outlineOf(bytes, 1);

    const vrex::xml::Status expected = vrexfuzz::expectedStatus(outline, u"device_description");
    VREX_FUZZ_CHECK(document.result.status == expected);
    if (document.result.status != vrex::xml::Status::Ok)
        return 0;

    const QString drivertype = outline.root.attribute(QLatin1String("drivertype"));
    VREX_FUZZ_CHECK(document.drivertype == expectedDriverType(drivertype), drivertype);
    VREX_FUZZ_CHECK(vrex::driverTypeCode(drivertype.toUtf8()) == document.drivertype, drivertype);
    VREX_FUZZ_CHECK(document.slotspacing
                    == integerOf(outline.root.attribute(QLatin1String("slotspacing"))));

    VREX_FUZZ_CHECK(document.params.size() == outline.root.children.size());
    for (qsizetype i = 0; i < document.params.size(); ++i) {
        const vrex::ParamRecord &param = document.params.at(i);
        const vrexfuzz::OutlineElement &element = outline.root.children.at(i);
        VREX_FUZZ_CHECK(param.name == element.attribute(QLatin1String("name")), param.name);
        VREX_FUZZ_CHECK(param.slot == integerOf(element.attribute(QLatin1String("slot"))), param.name);
        VREX_FUZZ_CHECK(param.at.line >= 1);
    }
    checkApply(document);
    return 0;
}
