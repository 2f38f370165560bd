// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/devicetype_parser.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

using vrex::xml::Status;

// Driver type: the first letter, g/G 2, r/R 3, anything else or nothing 1;
// numbers as toInt reads them; every child element is a parameter. Shown as
// "drivertype slotspacing @line:column", then "name=slot@line:column" each.
TEST(DeviceTypeDocument, GivesDriverTypeSlotSpacingAndParameters)
{
    struct Row { const char *xml; Status status; const char *expected; };
    for (const Row &row : {
             Row{"<device_description drivertype='gpib' slotspacing='16'/>", Status::Ok, "2 16 @1:1"},
             Row{"<device_description drivertype='GPIB' slotspacing='-2'/>", Status::Ok, "2 -2 @1:1"},
             Row{"<device_description drivertype='rs232' slotspacing='abc'/>", Status::Ok, "3 0 @1:1"},
             Row{"<device_description drivertype='Router'/>", Status::Ok, "3 0 @1:1"},
             Row{"<device_description drivertype='x' slotspacing='0x10'/>", Status::Ok, "1 0 @1:1"},
             Row{"<device_description drivertype=' g'/>", Status::Ok, "1 0 @1:1"},
             Row{"<device_description drivertype='' x:drivertype='g'/>", Status::Ok, "1 0 @1:1"},
             Row{"<device_description/>", Status::Ok, "1 0 @1:1"},
             Row{"<?xml version='1.0'?>\n<device_description drivertype='g'>\n"
                 "  <param name='gain' slot='3'/> text\n"
                 "  <param name='gain' slot='5'><deep name='x' slot='9'/></param>\n"
                 "  <anything name='Gain' slot='x'/><bare/>\n</device_description>",
                 Status::Ok, "2 0 @2:1 gain=3@3:3 gain=5@4:3 Gain=0@5:3 =0@5:35"},
             Row{"<Device_description drivertype='g'><p name='a'/></Device_description>", Status::WrongRoot, "0 0 @0:0"},
             Row{"<device_description drivertype='g'><p name='a'></device_description>", Status::NotWellFormed, "0 0 @1:1"}}) {
        const vrex::DeviceTypeDocument document = vrex::parseDeviceType(QByteArray(row.xml));
        EXPECT_EQ(document.result.status, row.status) << row.xml;
        QString seen = QStringLiteral("%1 %2 @%3:%4").arg(document.drivertype).arg(document.slotspacing)
                               .arg(document.at.line).arg(document.at.column);
        for (const vrex::ParamRecord &param : document.params)
            seen += QStringLiteral(" %1=%2@%3:%4").arg(param.name).arg(param.slot).arg(param.at.line).arg(param.at.column);
        EXPECT_EQ(seen, QString::fromUtf8(row.expected)) << row.xml;
    }
}

} // namespace
