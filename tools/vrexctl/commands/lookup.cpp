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
#include "output/load_failures.h"
#include "output/table_output.h"
#include "output/unknown_name.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"
#include "instance_lookup/device_type_key.h"

#include <QtCore/QJsonObject>
#include <QtCore/QSet>

namespace vrexctl {

namespace {

// The fields of one answer, in display order; text and JSON come from the
// same list so they cannot drift apart.
class Answer
{
public:
    void add(const QString &field, const QJsonValue &value) { m_fields.append({field, value}); }

    void addTo(QJsonObject &object) const
    {
        for (const auto &field : m_fields)
            object.insert(field.first, field.second);
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

// Which failed files an answer about these instances depends on: the
// instances file, and the type files of the instances' device types and
// complex types.
class Dependencies
{
public:
    explicit Dependencies(const vrex::Installation &installation) : m_installation(installation) { }

    void addInstance(const QString &name)
    {
        const instanceInfo info = m_installation.instances().value(name);
        m_deviceTypes.insert(vrex::deviceTypeKey(info.type));
        m_complexTypes.insert(info.complex);
    }

    bool operator()(const QString &path) const
    {
        if (path == m_installation.path(vrex::layout::kInstancesFile))
            return true;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString directory = path.left(slash);
        const QString base = path.mid(slash + 1).chopped(vrex::layout::kXmlSuffix.size());
        if (directory == m_installation.path(vrex::layout::kDeviceTypesDir))
            return m_deviceTypes.contains(vrex::deviceTypeKey(base));
        return directory == m_installation.path(vrex::layout::kComplexTypesDir) && m_complexTypes.contains(base);
    }

private:
    const vrex::Installation &m_installation;
    QSet<QString> m_deviceTypes;
    QSet<QString> m_complexTypes;
};

QJsonObject refJson(const ParameterRef &ref)
{
    return {{QStringLiteral("instance"), ref.instance}, {QStringLiteral("parameter"), ref.parameter}};
}

int lookupInstance(const Invocation &invocation, const vrex::Installation &installation, const QString &name,
                   QJsonObject answerJson, Dependencies &dependencies)
{
    dependencies.addInstance(name);
    answerJson.insert(QStringLiteral("instance"), name);
    QString altId, location, type, ref;
    bool composite = false;
    if (!installation.lookup(name, altId, location, type, ref, composite)) {
        answerJson.insert(QStringLiteral("found"), false);
        return reportUnknownName(invocation, QStringLiteral("instance"), name,
                                 suggestKeys(name, installation.instances()), answerJson);
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

    if (invocation.json) {
        answerJson.insert(QStringLiteral("found"), true);
        answer.addTo(answerJson);
        writeJson(answerJson);
    } else {
        writeOut(answer.toText());
    }
    return ExitOk;
}

int lookupParameter(const Invocation &invocation, const vrex::Installation &installation, const QString &name,
                    const QString &parameter, QJsonObject answerJson, Dependencies &dependencies)
{
    const RedirectionChain chain = followRedirections(installation.catalogue(), name, parameter);
    for (const ParameterRef &step : chain.steps)
        dependencies.addInstance(step.instance);
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
        answerJson.insert(QStringLiteral("resolved"), failure.isEmpty());
        answer.addTo(answerJson);
        QJsonArray hops;
        for (qsizetype i = 1; i < chain.steps.size(); ++i) {
            hops.append(QJsonObject{{QStringLiteral("from"), refJson(chain.steps.at(i - 1))},
                                    {QStringLiteral("to"), refJson(chain.steps.at(i))},
                                    {QStringLiteral("complex"), chain.complexes.value(i - 1)}});
        }
        answerJson.insert(QStringLiteral("hops"), hops);
        if (!failure.isEmpty())
            answerJson.insert(QStringLiteral("error"), failure);
        writeJson(answerJson);
    } else {
        QString text;
        for (const QString &hop : chain.hopTexts())
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
    const LoadFailures failures(installation);
    failures.report();
    QJsonObject answer = jsonEnvelope(invocation.command);
    failures.addTo(answer);
    Dependencies dependencies(installation);
    const QString &name = invocation.arguments.at(0);
    const QString parameter = invocation.arguments.value(1);
    // An empty parameter name asks the library for the instance's numbers
    // only, which is what the instance lookup shows in full.
    const int code = parameter.isEmpty()
            ? lookupInstance(invocation, installation, name, answer, dependencies)
            : lookupParameter(invocation, installation, name, parameter, answer, dependencies);
    return failures.exitCode(code, dependencies);
}

} // namespace vrexctl
