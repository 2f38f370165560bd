// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The address impact of going from one installation to another: every
// instance and every parameter of its device type, resolved on both sides
// as a host's lookup resolves it, and for each answer that differs the
// first thing along its chain that the two sides say differently.
#ifndef VREXCTL_COMPARE_ADDRESS_IMPACT_H
#define VREXCTL_COMPARE_ADDRESS_IMPACT_H

#include "compare/address_resolver.h"

#include <QtCore/QList>
#include <QtCore/QString>

namespace vrexctl {

class ComparedInstallation;

// One thing a file says differently that an answer depends on.
struct Reason
{
    QString file; // below the configuration root
    QString text; // e.g. member "cam2": redirection of "zoom": lens2.zoom -> lens1.zoom

    friend bool operator==(const Reason &a, const Reason &b) { return a.file == b.file && a.text == b.text; }
};

struct ChangedAnswer
{
    QString instance;
    QString parameter;
    ResolvedAddress before;
    ResolvedAddress after;
    QString failureBefore; // why it does not resolve, in lookup's words
    QString failureAfter;
    qsizetype cause = -1; // into AddressImpact::causes
};

struct AddressImpact
{
    // Each distinct set of reasons once, in the order answers first use it.
    QList<QList<Reason>> causes;
    QList<ChangedAnswer> answers; // by instance, then parameter
};

AddressImpact compareAddresses(const ComparedInstallation &before, const ComparedInstallation &after);

} // namespace vrexctl

#endif
