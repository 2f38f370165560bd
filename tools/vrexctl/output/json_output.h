// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// JSON output for scripts: one document per run on stdout.
#ifndef VREXCTL_OUTPUT_JSON_OUTPUT_H
#define VREXCTL_OUTPUT_JSON_OUTPUT_H

#include <QtCore/QJsonArray>
#include <QtCore/QJsonObject>
#include <QtCore/QMap>
#include <QtCore/QStringList>

namespace vrexctl {

// Every JSON answer is one object that begins {"schema": kJsonSchema,
// "command": COMMAND}; the schema number changes when a key changes its
// meaning or type.
inline constexpr int kJsonSchema = 2;
QJsonObject jsonEnvelope(const QString &command);
// The indented text of object, "schema" and "command" first, the rest in
// key order.
QByteArray jsonText(const QJsonObject &object);

void writeJson(const QJsonObject &object);
void writeJson(const QJsonArray &array);

QJsonArray toJsonArray(const QStringList &strings);
QJsonObject toJsonObject(const QMap<QString, QString> &map);

} // namespace vrexctl

#endif
