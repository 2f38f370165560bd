// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// How registry records look in vrexctl's output: one table row and one JSON
// object per record, shared by the commands that show them. Headers and
// JSON keys are vrexctl's own output, kept when a file format renames a
// word; words that stand for values in the files come from the formats.
#ifndef VREXCTL_OUTPUT_REGISTRY_FORMAT_H
#define VREXCTL_OUTPUT_REGISTRY_FORMAT_H

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QJsonObject>
#include <QtCore/QStringList>

namespace vrexctl {

// The stylesheet's word for a style type code, or "" for no type.
QString styleTypeWord(int type);

QStringList instanceHeaders();
QStringList instanceRow(const QString &name, const instanceInfo &info);
QJsonObject instanceJson(const QString &name, const instanceInfo &info);

QStringList deviceTypeHeaders();
QStringList deviceTypeRow(const QString &key, const deviceTypeInfo &info);
QJsonObject deviceTypeJson(const QString &key, const deviceTypeInfo &info);

// One row per redirection; a type or member without any still gets a row.
QStringList complexTypeHeaders();
QList<QStringList> complexTypeRows(const QString &name, const complexType &type);
QJsonObject complexTypeJson(const QString &name, const complexType &type);

QStringList styleHeaders();      // listing: name, type, suitablefor, count
QStringList styleRow(const QString &name, const styleentry &entry);
QStringList styleDumpHeaders();  // dump: the listing plus the description
QStringList styleDumpRow(const QString &name, const styleentry &entry);
QJsonObject styleJson(const QString &name, const styleentry &entry); // in full

} // namespace vrexctl

#endif
