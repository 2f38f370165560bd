// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/check_config.h"

#include "checks/file_lint.h"
#include "checks/name_suggestion.h"
#include "checks/rules.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace vrexctl {

namespace {

const QStringList kSections = {QStringLiteral("check"), QStringLiteral("severity"), QStringLiteral("paths")};
const QStringList kCheckKeys = {QStringLiteral("disable"), QStringLiteral("fail-on"), QStringLiteral("baseline")};
const QStringList kPathKeys = {QStringLiteral("exclude")};
const QStringList kSeverities = {QStringLiteral("error"), QStringLiteral("warning"), QStringLiteral("note"),
                                 QStringLiteral("off")};
const QStringList kFailOn = {QStringLiteral("error"), QStringLiteral("warning")};

struct Item
{
    QString text;
    qsizetype column; // 1-based
};

class ConfigReader
{
public:
    explicit ConfigReader(CheckConfig &config) : m_config(config) { }

    void read(QByteArray bytes)
    {
        if (bytes.startsWith("\xef\xbb\xbf"))
            bytes.remove(0, 3); // a byte-order mark some editors write
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            readLine(QString::fromUtf8(lines.at(i)).remove(QLatin1Char('\r')));
        }
    }

private:
    void problem(qsizetype column, const QString &message, const QString &suggestion = QString())
    {
        Finding finding;
        finding.place = {m_config.file, m_line, column};
        finding.severity = Finding::Warning;
        finding.code = QStringLiteral("bad-config");
        finding.message = message;
        if (!suggestion.isNull())
            finding.suggestions = {suggestion};
        m_config.problems.append(finding);
    }

    // word must be one of words; says so otherwise. True when it is.
    bool expect(const Item &word, const QStringList &words, const QString &what)
    {
        if (words.contains(word.text))
            return true;
        problem(word.column, QStringLiteral("unknown %1 '%2'; the check ignores it").arg(what, word.text),
                suggestName(word.text, words));
        return false;
    }

    void readLine(const QString &line)
    {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            return;
        const qsizetype indent = line.indexOf(trimmed) + 1;
        if (trimmed.startsWith(QLatin1Char('['))) {
            m_section = Unknown; // its keys are not judged one by one
            if (!trimmed.endsWith(QLatin1Char(']'))) {
                problem(indent, QStringLiteral("a section header ends with ']'"));
                return;
            }
            const QString inner = trimmed.mid(1, trimmed.size() - 2);
            const Item name{inner.trimmed(), indent + 1 + inner.indexOf(inner.trimmed())};
            if (expect(name, kSections, QStringLiteral("section")))
                m_section = Section(kSections.indexOf(name.text));
            return;
        }
        const qsizetype assign = line.indexOf(QLatin1Char('='));
        if (assign < 0) {
            problem(indent, QStringLiteral("a line is KEY = VALUE, a [section] or a comment"));
            return;
        }
        const Item key{line.left(assign).trimmed(), indent};
        if (m_section == None)
            problem(indent, QStringLiteral("'%1' stands before any [section]").arg(key.text));
        else if (m_section != Unknown)
            readValue(key, splitValue(line, assign + 1));
    }

    // The value's comma-separated items with their columns; quotes around
    // the whole value, as QSettings writes them, are dropped.
    static QList<Item> splitValue(const QString &line, qsizetype from)
    {
        QString value = line.mid(from);
        qsizetype offset = from;
        while (!value.isEmpty() && value.front().isSpace())
            value.remove(0, 1), ++offset;
        while (!value.isEmpty() && value.back().isSpace())
            value.chop(1);
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2), ++offset;
        QList<Item> items;
        qsizetype start = 0;
        for (const QString &piece : value.split(QLatin1Char(','))) {
            const QString item = piece.trimmed();
            if (!item.isEmpty())
                items.append({item, offset + start + piece.indexOf(item) + 1});
            start += piece.size() + 1;
        }
        return items;
    }

    void readValue(const Item &key, const QList<Item> &items)
    {
        if (m_section == Severity) {
            if (!expect(key, ruleCodes(), QStringLiteral("code")))
                return;
            if (items.size() != 1) {
                problem(key.column, QStringLiteral("'%1' takes one of error, warning, note or off").arg(key.text));
                return;
            }
            if (!expect(items.constFirst(), kSeverities, QStringLiteral("severity")))
                return;
            const QString &level = items.constFirst().text;
            m_config.severities.insert(key.text, level == QLatin1String("off") ? std::nullopt
                                                                                : std::optional(severityOf(level)));
            return;
        }
        if (m_section == Paths) {
            if (!expect(key, kPathKeys, QStringLiteral("key")))
                return;
            for (const Item &pattern : items) {
                const QRegularExpression expression(QRegularExpression::wildcardToRegularExpression(pattern.text));
                if (!expression.isValid()) {
                    problem(pattern.column, QStringLiteral("'%1' is no pattern").arg(pattern.text));
                    continue;
                }
                m_config.excluded.append(expression);
            }
            return;
        }
        if (!expect(key, kCheckKeys, QStringLiteral("key")))
            return;
        if (key.text == QLatin1String("disable")) {
            for (const Item &code : items) {
                if (expect(code, ruleCodes(), QStringLiteral("code")))
                    m_config.disabled.insert(code.text);
            }
            return;
        }
        if (items.size() != 1) {
            problem(key.column, QStringLiteral("'%1' takes one value").arg(key.text));
            return;
        }
        const Item &value = items.constFirst();
        if (key.text == QLatin1String("fail-on")) {
            if (expect(value, kFailOn, QStringLiteral("fail-on value")))
                m_config.failOnErrorOnly = value.text == QLatin1String("error");
        } else {
            m_config.baseline = QFileInfo(m_config.file).dir().filePath(value.text);
        }
    }

    static Finding::Severity severityOf(const QString &word)
    {
        if (word == QLatin1String("error"))
            return Finding::Error;
        return word == QLatin1String("warning") ? Finding::Warning : Finding::Note;
    }

    // In kSections' order.
    enum Section { Check, Severity, Paths, None, Unknown };

    CheckConfig &m_config;
    qint64 m_line = 0;
    Section m_section = None;
};

} // namespace

std::optional<Finding::Severity> CheckConfig::severity(const QString &code, Finding::Severity reported) const
{
    if (disabled.contains(code))
        return std::nullopt;
    const auto chosen = severities.constFind(code);
    return chosen == severities.constEnd() ? std::optional(reported) : *chosen;
}

bool CheckConfig::isExcluded(const QString &relative) const
{
    for (const QRegularExpression &pattern : excluded) {
        for (qsizetype end = relative.size(); end > 0; end = relative.lastIndexOf(QLatin1Char('/'), end - 1)) {
            if (pattern.match(relative.left(end)).hasMatch())
                return true;
        }
    }
    return false;
}

CheckConfig readCheckConfig(const QString &path, bool required)
{
    CheckConfig config;
    QFile file(path);
    if (!required && !QFileInfo::exists(path))
        return config;
    config.file = path;
    if (!file.open(QIODevice::ReadOnly)) {
        Finding finding;
        finding.place = {path, 0, 0};
        finding.severity = Finding::Warning;
        finding.code = QStringLiteral("bad-config");
        finding.message = QStringLiteral("cannot read the check's configuration: %1").arg(unreadableReason(path));
        config.problems.append(finding);
        return config;
    }
    ConfigReader(config).read(file.readAll());
    return config;
}

} // namespace vrexctl
