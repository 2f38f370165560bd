// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using vrex::xml::Status;

// The root must be the type name, "Rack"; tags below it are never looked at.
// Members as "id@line:column: id>device.param@line:column ..."; null shows as "~".
TEST(ComplexTypeDocument, GivesMembersAndRedirections)
{
    struct Row { const char *xml; Status status; std::vector<const char *> members; };
    for (const Row &row : {
             Row{"<Rack>\n text <!-- c -->\n  <member id='cam1' extra='x'>\n"
                 "    <r id='gain' device='amp' param='level'><deeper id='no'/></r>\n"
                 "    <anything/><r id='' param=''/>\n  </member>\n  <other/>\n</Rack>\n",
                 Status::Ok, {"cam1@3:3: gain>amp.level@4:5 ~>~.~@5:5 >~.@5:16", "~@7:3:"}},
             Row{"<?xml version='1.0'?><Rack/>\n<!-- end -->\n", Status::Ok, {}},
             Row{"<rack><m id='a'/></rack>", Status::WrongRoot, {}},
             Row{"<Rack><m id='a'/></Rack><second/>", Status::NotWellFormed, {}}}) {
        const vrex::ComplexTypeDocument document = vrex::parseComplexType(QByteArray(row.xml), QStringLiteral("Rack"));
        EXPECT_EQ(document.result.status, row.status) << row.xml;
        QStringList seen;
        for (const vrex::MemberRecord &member : document.members) {
            QString line = QStringLiteral("%1@%2:%3:").arg(show(member.id)).arg(member.at.line).arg(member.at.column);
            for (const vrex::RedirectionRecord &r : member.redirections)
                line += QStringLiteral(" %1>%2.%3@%4:%5").arg(show(r.id), show(r.device), show(r.param))
                                .arg(r.at.line).arg(r.at.column);
            seen << line;
        }
        EXPECT_EQ(seen, strings(row.members)) << row.xml;
    }
}

} // namespace
