// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "output/json_output.h"

#include "output/console_output.h"

#include <QtCore/QJsonDocument>

namespace vrexctl {

QJsonObject jsonEnvelope(const QString &command)
{
    return {{QStringLiteral("schema"), kJsonSchema}, {QStringLiteral("command"), command}};
}

QByteArray jsonText(const QJsonObject &object)
{
    QJsonObject rest = object;
    QByteArray head = "{\n";
    for (const char *key : {"schema", "command"}) {
        const QString name = QLatin1String(key);
        if (!rest.contains(name))
            continue;
        const QByteArray value = QJsonDocument(QJsonArray{rest.take(name)}).toJson(QJsonDocument::Compact);
        head += "    \"" + QByteArray(key) + "\": " + value.mid(1, value.size() - 2) + ",\n";
    }
    QByteArray body = QJsonDocument(rest).toJson(QJsonDocument::Indented);
    if (rest.isEmpty()) {
        head.chop(2); // the last comma
        return head + "\n}\n";
    }
    return head + body.mid(2); // without the object's own "{\n"
}

void writeJson(const QJsonObject &object)
{
    writeOut(jsonText(object));
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
