// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Every question a host asks of an instance catalogue, over any catalogue:
// the library's class answers them over its process-wide registries, an
// Installation over its own. Lookup failures are written to sink's
// debug-output channel (a null sink drops them); out-arguments are written
// only on the paths each function names.
#ifndef VREX_INSTANCE_LOOKUP_CATALOGUE_QUERIES_H
#define VREX_INSTANCE_LOOKUP_CATALOGUE_QUERIES_H

#include "installation/diagnostic_sink.h"
#include "instance_lookup/catalogue.h"

namespace vrex {

// The composite flag and the groups of instance name.
bool lookupComposite(const Catalogue &catalogue, const QString &name, bool &composite,
                     QMap<QString, QString> &groups);
// The instance group id of instance name stands for.
bool lookupComposite(const Catalogue &catalogue, const QString &name, const QString &id, QString &instance);
// Reversed sense: false when the instance is found (type set), true with an
// empty type when it is not.
bool lookupType(const Catalogue &catalogue, const QString &name, QString &type);
// Device, offset, alternative id and, when drivertype is given, the driver
// type byte of instance name (0 when its device type is not registered).
bool lookupInstance(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name, QString &alt_id,
                    int *device, int *offset, char *drivertype);
// The instance's fields as text; ref in the file's "device=D,offset=O" form.
bool lookupInstance(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name, QString &alt_id,
                    QString &location, QString &type, QString &ref, bool &composite);
// Parameter param of instance name, following redirections to the instance
// that carries it; a cycle ends with a message instead of looping.
bool lookupParameter(const Catalogue &catalogue, DiagnosticSink *sink, const QString &name,
                     const QString &param, QString &alt_id, int *device, int *offset, int *slot,
                     char *drivertype);
// The target of member's redirection of param in complex type complexName,
// looked up as lookupParameter does.
bool lookupComplex(const Catalogue &catalogue, DiagnosticSink *sink, const QString &complexName,
                   const QString &member, const QString &param, QString &alt_id, int *device, int *offset,
                   int *slot, char *drivertype);

} // namespace vrex

#endif
