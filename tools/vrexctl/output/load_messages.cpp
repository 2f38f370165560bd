// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/load_messages.h"

#include "cli/command_line.h"
#include "output/console_output.h"
#include "output/table_output.h"

#include "installation/installation.h"

namespace vrexctl {

void writeLoadMessages(const Invocation &invocation, vrex::Installation &installation, const QString &label)
{
    if (invocation.verbose && !installation.messages().isEmpty()) {
        const QString prefix = QStringLiteral("vrexctl: load of ")
                + (label.isEmpty() ? installation.configRoot() : label) + QStringLiteral(": ");
        QString lines;
        for (const vrex::LoadMessage &message : installation.messages()) {
            // Debug-output lines carry their own line ends and stylesheet
            // messages span lines: each becomes exactly one line here.
            QString text = message.text;
            while (text.endsWith(QLatin1Char('\n')))
                text.chop(1);
            lines += prefix + escapeControlCharacters(text) + QLatin1Char('\n');
        }
        writeErr(lines);
    }
    installation.clearMessages();
}

} // namespace vrexctl
