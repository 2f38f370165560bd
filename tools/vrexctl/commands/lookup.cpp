// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrexctl lookup INSTANCE [PARAMETER]: the answers a host gets from the
// library's lookups, with the redirection hops that lead to them.
#include "commands/commands.h"

#include "checks/name_suggestion.h"
#include "checks/redirection_chain.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "output/console_output.h"
#include "output/json_output.h"
#include "output/table_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"
#include "instance_lookup/device_type_key.h"

#include <QtCore/QJsonObject>

namespace vrexctl {

namespace {

// The fields of one answer, in display order; text and JSON come from the
// same list so they cannot drift apart.
class Answer
{
public:
    void add(const QString &field, const QJsonValue &value) { m_fields.append({field, value}); }

    QJsonObject toJson() const
    {
        QJsonObject object;
        for (const auto &field : m_fields)
            object.insert(field.first, field.second);
        return object;
    }

    QString toText() const
    {
        Table table;
        for (const auto &field : m_fields)
            table.addRow({field.first, textOf(field.second)});
        return table.toText();
    }

private:
    static QString textOf(const QJsonValue &value)
    {
        switch (value.type()) {
        case QJsonValue::Bool: return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
        case QJsonValue::Double: return QString::number(value.toInteger());
        case QJsonValue::Object: {
            QStringList pairs;
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it)
                pairs.append(it.key() + QLatin1Char('=') + it.value().toString());
            return pairs.join(QLatin1Char(' '));
        }
        default: return value.toString();
        }
    }

    QList<QPair<QString, QJsonValue>> m_fields;
};

int lookupInstance(const Invocation &invocation, const vrex::Installation &installation, const QString &name)
{
    QString altId, location, type, ref;
    bool composite = false;
    if (!installation.lookup(name, altId, location, type, ref, composite)) {
        return reportUnknownName(invocation, QStringLiteral("instance"), name,
                                 suggestKey(name, installation.instances()),
                                 {{QStringLiteral("instance"), name}, {QStringLiteral("resolved"), false}});
    }
    int device = 0;
    int offset = 0;
    char drivertype = 0;
    QString ignoredAltId;
    installation.lookup(name, ignoredAltId, &device, &offset, &drivertype);
    QMap<QString, QString> groups;
    installation.lookupComposite(name, composite, groups);

    Answer answer;
    answer.add(QStringLiteral("instance"), name);
    answer.add(QStringLiteral("device"), device);
    answer.add(QStringLiteral("offset"), offset);
    answer.add(QStringLiteral("alt_id"), altId);
    answer.add(QStringLiteral("location"), location);
    answer.add(QStringLiteral("type"), type);
    answer.add(QStringLiteral("drivertype"), vrex::driverTypeNumber(drivertype));
    // No query hands out the complex type; hosts read it from the registry.
    answer.add(QStringLiteral("complex"), installation.instances().value(name).complex);
    answer.add(QStringLiteral("composite"), composite);
    if (composite)
        answer.add(QStringLiteral("groups"), toJsonObject(groups));

    if (invocation.json)
        writeJson(answer.toJson());
    else
        writeOut(answer.toText());
    return ExitOk;
}

int lookupParameter(const Invocation &invocation, const vrex::Installation &installation, const QString &name,
                    const QString &parameter)
{
    const RedirectionChain chain = followRedirections(installation.catalogue(), name, parameter);
    const QStringList hops = chain.hopTexts();
    const QString subject = name + QLatin1Char('.') + parameter;

    QString failure;
    Answer answer;
    answer.add(QStringLiteral("instance"), name);
    answer.add(QStringLiteral("parameter"), parameter);
    if (chain.outcome == RedirectionChain::Cycle) {
        // The library would follow it too; it is not asked.
        failure = chain.reason;
    } else if (chain.outcome == RedirectionChain::Broken) {
        failure = chain.steps.size() > 1
                ? QStringLiteral("cannot resolve %1 (at %2): %3")
                          .arg(subject, chain.steps.constLast().toString(), chain.reason)
                : QStringLiteral("cannot resolve %1: %2").arg(subject, chain.reason);
    } else {
        QString altId;
        int device = 0;
        int offset = 0;
        int slot = 0;
        char drivertype = 0;
        if (installation.lookup(name, parameter, altId, &device, &offset, &slot, &drivertype)) {
            answer.add(QStringLiteral("device"), device);
            answer.add(QStringLiteral("offset"), offset);
            answer.add(QStringLiteral("slot"), slot);
            answer.add(QStringLiteral("drivertype"), vrex::driverTypeNumber(drivertype));
            answer.add(QStringLiteral("alt_id"), altId);
        } else {
            failure = QStringLiteral("the library's lookup of %1 failed").arg(subject);
        }
    }

    if (invocation.json) {
        QJsonObject object = answer.toJson();
        object.insert(QStringLiteral("hops"), toJsonArray(hops));
        object.insert(QStringLiteral("resolved"), failure.isEmpty());
        if (!failure.isEmpty())
            object.insert(QStringLiteral("error"), failure);
        writeJson(object);
    } else {
        QString text;
        for (const QString &hop : hops)
            text += hop + QLatin1Char('\n');
        if (failure.isEmpty())
            text += answer.toText();
        writeOut(text);
    }
    if (!failure.isEmpty()) {
        reportError(failure);
        return ExitProblem;
    }
    return ExitOk;
}

} // namespace

int runLookup(const Invocation &invocation, vrex::Installation &installation)
{
    // Everything a lookup reads; the styles are no part of it.
    installation.loadInstances();
    installation.loadDeviceTypes();
    installation.loadComplexTypes();
    const QString &name = invocation.arguments.at(0);
    const QString parameter = invocation.arguments.value(1);
    // An empty parameter name asks the library for the instance's numbers
    // only, which is what the instance lookup shows in full.
    if (parameter.isEmpty())
        return lookupInstance(invocation, installation, name);
    return lookupParameter(invocation, installation, name, parameter);
}

} // namespace vrexctl
