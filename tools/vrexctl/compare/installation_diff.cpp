// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/installation_diff.h"

#include "output/json_output.h"
#include "output/table_output.h"
#include "output/quoting.h"

#include <QtCore/QJsonArray>

namespace vrexctl {

namespace {

using Change = StructuralChange;

QString colored(const QString &text, const char *sgr, bool color)
{
    return color ? QStringLiteral("\x1b[%1m").arg(QLatin1String(sgr)) + text + QStringLiteral("\x1b[0m") : text;
}

QString plural(qsizetype count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

bool sameFailures(const QList<FileFailure> &a, const QList<FileFailure> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).file != b.at(i).file || a.at(i).reason != b.at(i).reason)
            return false;
    }
    return true;
}

QString answerText(const ResolvedAddress &answer, const QString &failure)
{
    if (!answer.resolves)
        return failure == QLatin1StringView("no instance") ? failure : QStringLiteral("does not resolve: ") + failure;
    QString text = QStringLiteral("device=%1 offset=%2").arg(answer.device).arg(answer.offset);
    if (answer.hasSlot)
        text += QStringLiteral(" slot=%1 drivertype=%2").arg(answer.slot).arg(answer.drivertype);
    return text + QStringLiteral(" alt_id=") + answer.altId;
}

// The fields that differ when both resolve, else both answers whole.
QString answerChange(const ChangedAnswer &answer)
{
    const ResolvedAddress &b = answer.before;
    const ResolvedAddress &a = answer.after;
    if (!b.resolves || !a.resolves || b.hasSlot != a.hasSlot)
        return answerText(b, answer.failureBefore) + QStringLiteral(" -> ") + answerText(a, answer.failureAfter);
    QStringList fields;
    const auto number = [&fields](const char *name, int before, int after) {
        if (before != after)
            fields.append(QStringLiteral("%1 %2 -> %3").arg(QLatin1String(name)).arg(before).arg(after));
    };
    number("device", b.device, a.device);
    number("offset", b.offset, a.offset);
    number("slot", b.slot, a.slot);
    number("drivertype", b.drivertype, a.drivertype);
    if (b.altId != a.altId)
        fields.append(QStringLiteral("alt_id %1 -> %2").arg(doubleQuoted(b.altId), doubleQuoted(a.altId)));
    return fields.join(QStringLiteral(", "));
}

QJsonObject answerJson(const ResolvedAddress &answer, const QString &failure)
{
    if (!answer.resolves)
        return {{QStringLiteral("resolves"), false}, {QStringLiteral("error"), failure}};
    QJsonObject object{{QStringLiteral("resolves"), true},
                       {QStringLiteral("device"), answer.device},
                       {QStringLiteral("offset"), answer.offset},
                       {QStringLiteral("alt_id"), answer.altId}};
    if (answer.hasSlot) {
        object.insert(QStringLiteral("slot"), answer.slot);
        object.insert(QStringLiteral("drivertype"), answer.drivertype);
    }
    return object;
}

QString valueText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String: return doubleQuoted(value.toString());
    case QJsonValue::Double: return QString::number(value.toInteger());
    case QJsonValue::Bool: return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
    case QJsonValue::Array: {
        QStringList items;
        for (const QJsonValue &item : value.toArray())
            items.append(valueText(item));
        return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case QJsonValue::Object: {
        // A summary's fields in the order the files give them.
        static const char *const order[] = {"type", "device", "offset", "complex", "drivertype", "slotspacing",
                                            "parameters", "slot", "members", "redirections", "settings"};
        QStringList fields;
        const QJsonObject object = value.toObject();
        for (const char *key : order) {
            const QJsonValue field = object.value(QLatin1String(key));
            if (!field.isUndefined())
                fields.append(QLatin1String(key) + QLatin1Char(' ') + valueText(field));
        }
        return fields.join(QStringLiteral(", "));
    }
    default: return QString();
    }
}

// "redirection of "zoom" of member "cam2" in complex type "CameraRig"".
QString subject(const Change &change)
{
    const QStringList &n = change.names;
    const QString own = kindWords(change.kind) + QLatin1Char(' ') + doubleQuoted(n.constLast());
    switch (change.kind) {
    case Change::Group: return own + QStringLiteral(" of instance ") + doubleQuoted(n.at(0));
    case Change::Parameter: return own + QStringLiteral(" of device type ") + doubleQuoted(n.at(0));
    case Change::Member: return own + QStringLiteral(" of complex type ") + doubleQuoted(n.at(0));
    case Change::Redirection:
        return QStringLiteral("redirection of %1 of member %2 in complex type %3")
                .arg(doubleQuoted(n.at(2)), doubleQuoted(n.at(1)), doubleQuoted(n.at(0)));
    default: return own;
    }
}

QString changeLine(const Change &change, bool color)
{
    const char *sgr = "33";
    QString text;
    switch (change.change) {
    case Change::Added:
        sgr = "32";
        text = QStringLiteral("+ ") + subject(change) + QStringLiteral(": ") + valueText(change.after);
        break;
    case Change::Removed:
        sgr = "31";
        text = QStringLiteral("- ") + subject(change) + QStringLiteral(": ") + valueText(change.before);
        break;
    case Change::Changed:
        text = QStringLiteral("~ ") + subject(change) + QStringLiteral(": ") + change.field + QLatin1Char(' ')
                + valueText(change.before) + QStringLiteral(" -> ") + valueText(change.after);
        break;
    }
    return colored(escapeControlCharacters(text), sgr, color);
}

QString changeWord(Change::Change change)
{
    switch (change) {
    case Change::Added: return QStringLiteral("added");
    case Change::Removed: return QStringLiteral("removed");
    case Change::Changed: break;
    }
    return QStringLiteral("changed");
}

QJsonArray failuresJson(const QList<FileFailure> &failures)
{
    QJsonArray array;
    for (const FileFailure &failure : failures)
        array.append(QJsonObject{{QStringLiteral("file"), failure.file}, {QStringLiteral("reason"), failure.reason}});
    return array;
}

} // namespace

bool InstallationDiff::differs() const
{
    return !impact.answers.isEmpty() || !structure.changes.isEmpty() || !sameFailures(failuresBefore, failuresAfter);
}

InstallationDiff compareInstallations(const ComparedInstallation &before, const ComparedInstallation &after)
{
    InstallationDiff diff;
    diff.failuresBefore = before.failures();
    diff.failuresAfter = after.failures();
    diff.impact = compareAddresses(before, after);
    diff.structure = compareStructures(before, after);
    return diff;
}

QString diffText(const InstallationDiff &diff, bool color)
{
    QString text;
    const auto line = [&text](const QString &content) { text += escapeControlCharacters(content) + QLatin1Char('\n'); };
    const auto heading = [&](const QString &title) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += colored(title, "1", color) + QLatin1Char('\n');
    };

    if (!diff.failuresBefore.isEmpty() || !diff.failuresAfter.isEmpty()) {
        heading(QStringLiteral("Files not taken (what follows is partial):"));
        for (const FileFailure &failure : diff.failuresBefore)
            line(QStringLiteral("  old (%1): %2: %3").arg(diff.beforeLabel, failure.file, failure.reason));
        for (const FileFailure &failure : diff.failuresAfter)
            line(QStringLiteral("  new (%1): %2: %3").arg(diff.afterLabel, failure.file, failure.reason));
    }

    const AddressImpact &impact = diff.impact;
    if (!impact.answers.isEmpty()) {
        heading(QStringLiteral("Address impact: %1").arg(plural(impact.answers.size(), "answer changes", "answers change")));
        // Answers by cause, causes in the order they first occur.
        QList<QList<qsizetype>> byCause(impact.causes.size() + 1);
        for (qsizetype i = 0; i < impact.answers.size(); ++i)
            byCause[impact.answers.at(i).cause + 1].append(i);
        for (qsizetype cause = 0; cause < byCause.size(); ++cause) {
            if (byCause.at(cause).isEmpty())
                continue;
            text += QLatin1Char('\n');
            if (cause == 0) {
                line(QStringLiteral("(no single place: both sides say the same along the whole chain)"));
            } else {
                for (const Reason &reason : impact.causes.at(cause - 1))
                    text += colored(escapeControlCharacters(reason.file + QStringLiteral(": ") + reason.text), "1", color)
                            + QLatin1Char('\n');
            }
            Table table;
            for (qsizetype index : byCause.at(cause)) {
                const ChangedAnswer &answer = impact.answers.at(index);
                table.addRow({QStringLiteral("  ") + answer.instance + QLatin1Char('.') + answer.parameter,
                              answerChange(answer)});
            }
            text += table.toText();
        }
    }

    const QList<Change> &changes = diff.structure.changes;
    if (!changes.isEmpty()) {
        heading(QStringLiteral("Structural changes: %1").arg(changes.size()));
        QString file;
        for (const Change &change : changes) {
            if (change.file != file || &change == &changes.constFirst()) {
                file = change.file;
                line(file);
            }
            text += QStringLiteral("  ") + changeLine(change, color) + QLatin1Char('\n');
        }
    }

    if (!diff.structure.renames.isEmpty()) {
        heading(QStringLiteral("Files renamed (nothing changes; device types are found ignoring case):"));
        for (const FileRename &rename : diff.structure.renames) {
            line(QStringLiteral("  device type %1: %2 -> %3").arg(doubleQuoted(rename.deviceType), rename.before, rename.after));
        }
    }
    return text;
}

QJsonObject diffJson(const InstallationDiff &diff)
{
    QJsonArray impact;
    for (const ChangedAnswer &answer : diff.impact.answers) {
        QJsonArray reasons;
        if (answer.cause >= 0) {
            for (const Reason &reason : diff.impact.causes.at(answer.cause))
                reasons.append(QJsonObject{{QStringLiteral("file"), reason.file}, {QStringLiteral("change"), reason.text}});
        }
        impact.append(QJsonObject{{QStringLiteral("instance"), answer.instance},
                                  {QStringLiteral("parameter"), answer.parameter},
                                  {QStringLiteral("old"), answerJson(answer.before, answer.failureBefore)},
                                  {QStringLiteral("new"), answerJson(answer.after, answer.failureAfter)},
                                  {QStringLiteral("reasons"), reasons}});
    }
    QJsonArray changes;
    for (const Change &change : diff.structure.changes) {
        QJsonObject object{{QStringLiteral("change"), changeWord(change.change)},
                           {QStringLiteral("kind"), kindKey(change.kind)},
                           {QStringLiteral("file"), change.file},
                           {QStringLiteral("names"), QJsonArray::fromStringList(change.names)}};
        if (change.change == Change::Changed) {
            object.insert(QStringLiteral("field"), change.field);
            object.insert(QStringLiteral("old"), change.before);
            object.insert(QStringLiteral("new"), change.after);
        } else {
            object.insert(QStringLiteral("value"), change.change == Change::Added ? change.after : change.before);
        }
        changes.append(object);
    }
    QJsonArray renames;
    for (const FileRename &rename : diff.structure.renames) {
        renames.append(QJsonObject{{QStringLiteral("devicetype"), rename.deviceType},
                                   {QStringLiteral("old"), rename.before},
                                   {QStringLiteral("new"), rename.after}});
    }
    return {{QStringLiteral("schema"), kJsonSchema},
            {QStringLiteral("command"), QStringLiteral("diff")},
            {QStringLiteral("old"), QJsonObject{{QStringLiteral("installation"), diff.beforeLabel},
                                                {QStringLiteral("failures"), failuresJson(diff.failuresBefore)}}},
            {QStringLiteral("new"), QJsonObject{{QStringLiteral("installation"), diff.afterLabel},
                                                {QStringLiteral("failures"), failuresJson(diff.failuresAfter)}}},
            {QStringLiteral("differs"), diff.differs()},
            {QStringLiteral("impact"), impact},
            {QStringLiteral("changes"), changes},
            {QStringLiteral("renames"), renames}};
}

QString diffSummary(const InstallationDiff &diff)
{
    if (!diff.differs())
        return QStringLiteral("no differences");
    QString summary = plural(diff.impact.answers.size(), "answer changes", "answers change") + QStringLiteral(", ")
            + plural(diff.structure.changes.size(), "structural change", "structural changes");
    const qsizetype failures = diff.failuresBefore.size() + diff.failuresAfter.size();
    if (failures)
        summary += QStringLiteral(", ") + plural(failures, "file not taken", "files not taken");
    return summary;
}

} // namespace vrexctl
