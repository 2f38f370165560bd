// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl graph [NAME...]: the redirection chains, complex types and
// composite groups as a picture, in DOT or drawn by Graphviz.
#include "commands/commands.h"

#include "checks/name_suggestion.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "graph/dot_writer.h"
#include "graph/graphviz.h"
#include "graph/installation_graph.h"
#include "output/console_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"

namespace vrexctl {

int runGraph(const Invocation &invocation, vrex::Installation &installation)
{
    // What a lookup reads; the styles are no part of it.
    installation.loadInstances();
    installation.loadDeviceTypes();
    installation.loadComplexTypes();
    for (const QString &name : invocation.arguments) {
        if (!installation.instances().contains(name)) {
            return reportUnknownName(invocation, QStringLiteral("instance"), name,
                                     suggestKeys(name, installation.instances()), {});
        }
    }

    const QByteArray dot = toDot(buildGraph(installation.catalogue(), invocation.arguments, invocation.depth));
    const QString format = invocation.format.isEmpty() ? QStringLiteral("dot") : invocation.format;
    if (format == QLatin1StringView("dot")) {
        writeOut(dot);
        return ExitOk;
    }
    const Drawing drawing = drawWithGraphviz(dot, format);
    if (!drawing.error.isEmpty()) {
        reportError(drawing.error);
        return ExitProblem;
    }
    writeOut(drawing.bytes);
    return ExitOk;
}

} // namespace vrexctl
