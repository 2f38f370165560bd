// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/json_output.h"

#include "output/console_output.h"

#include <QtCore/QJsonDocument>

namespace vrexctl {

void writeJson(const QJsonObject &object)
{
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

void writeJson(const QJsonArray &array)
{
    writeOut(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

QJsonArray toJsonArray(const QStringList &strings)
{
    return QJsonArray::fromStringList(strings);
}

QJsonObject toJsonObject(const QMap<QString, QString> &map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

} // namespace vrexctl
