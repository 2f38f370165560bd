// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The editor's command line: which installation to open.
#ifndef STYLE_EDITOR_COMMAND_LINE_H
#define STYLE_EDITOR_COMMAND_LINE_H

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace styleeditor {

struct CommandLine
{
    enum Outcome { Run, ShowHelp, ShowVersion, UsageError };
    Outcome outcome = Run;
    bool rootSet = false;
    QString root;   // instead of ZT_ROOT when rootSet
    bool systemSet = false;
    QString system; // instead of ZT_SYSTEM when systemSet
    QString text;   // help or version text, or the usage error
};

// Parses arguments (argv[0] first). Needs no application object and loads
// nothing.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace styleeditor

#endif
