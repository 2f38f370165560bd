// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Following a parameter through complex-type redirections, hop by hop, with
// the library's own lookup step and trail. Unlike the library, the walk
// keeps every hop and says where a chain breaks; like it, it stops at the
// first repeated step.
#ifndef VREXCTL_CHECKS_REDIRECTION_CHAIN_H
#define VREXCTL_CHECKS_REDIRECTION_CHAIN_H

#include "instance_lookup/catalogue.h"

#include <QtCore/QString>
#include <QtCore/QVector>

namespace vrexctl {

struct ParameterRef
{
    QString instance;
    QString parameter;

    QString toString() const { return instance + QLatin1Char('.') + parameter; }
    bool operator==(const ParameterRef &other) const
    {
        return instance == other.instance && parameter == other.parameter;
    }
};

struct RedirectionChain
{
    enum Outcome {
        Resolved, // the last step is where the library takes its numbers
        Broken,   // a step names something that is not registered
        Cycle,    // the last step repeats an earlier one
    };
    enum Break {
        NoBreak,
        UnknownInstance,
        UnknownDeviceType,
        UnknownParameter,
        UnknownComplexType,
        UnknownMember,
        NoRedirection,
    };

    Outcome outcome = Resolved;
    Break breakKind = NoBreak;
    QVector<ParameterRef> steps; // the start, then each redirection target
    QStringList complexes;       // the complex type of each hop's start
    QString reason;              // for Broken and Cycle, a sentence

    // "a.p -> b.q" for each hop.
    QStringList hopTexts() const;
};

// Walks from instance.parameter over an installation's registries.
RedirectionChain followRedirections(const vrex::Catalogue &catalogue, const QString &instance,
                                    const QString &parameter);

} // namespace vrexctl

#endif
