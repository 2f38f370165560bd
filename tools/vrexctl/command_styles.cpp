// vrexctl styles [NAME]
#include "commands.h"

#include "console_output.h"
#include "exit_codes.h"
#include "invocation.h"
#include "json_output.h"
#include "registry_format.h"
#include "table_output.h"

namespace vrexctl {

namespace {

int listStyles(const Invocation &invocation, const QMap<QString, styleentry> &styles)
{
    if (invocation.json) {
        QJsonArray array;
        for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
            QJsonObject object = styleJson(it.key(), it.value());
            object.remove(QStringLiteral("description"));
            object.insert(QStringLiteral("settings"), it.value().settings.size());
            array.append(object);
        }
        writeJson(array);
        return ExitOk;
    }
    Table table(styleHeaders());
    for (auto it = styles.cbegin(); it != styles.cend(); ++it)
        table.addRow(styleRow(it.key(), it.value()));
    writeOut(table.toText());
    return ExitOk;
}

int showStyle(const Invocation &invocation, const QString &name,
              const QMap<QString, styleentry> &styles)
{
    const auto entry = styles.constFind(name);
    if (entry == styles.constEnd()) {
        reportError(QStringLiteral("no style \"%1\"").arg(name));
        return ExitProblem;
    }
    if (invocation.json) {
        writeJson(styleJson(name, *entry));
        return ExitOk;
    }
    Table fields;
    fields.addRow({QStringLiteral("name"), name});
    fields.addRow({QStringLiteral("type"), styleTypeWord(entry->type)});
    fields.addRow({QStringLiteral("suitablefor"), entry->suitablefor});
    fields.addRow({QStringLiteral("description"), entry->description});
    QString text = fields.toText() + QStringLiteral("settings:\n");
    for (const QString &setting : entry->settings)
        text += QStringLiteral("  ") + setting + QLatin1Char('\n');
    writeOut(text);
    return ExitOk;
}

} // namespace

int runStyles(const Invocation &invocation)
{
    vrex_stylesheet stylesheet;
    const QMap<QString, styleentry> styles = stylesheet.stylelist();
    if (invocation.arguments.isEmpty())
        return listStyles(invocation, styles);
    return showStyle(invocation, invocation.arguments.constFirst(), styles);
}

} // namespace vrexctl
