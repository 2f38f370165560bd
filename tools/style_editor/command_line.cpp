// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "command_line.h"

#include <QtCore/QCommandLineParser>

namespace styleeditor {

namespace {

// The options every Qt application takes, which QApplication removes from
// the command line: these with a value...
const char *const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                                       "geometry", "qwindowgeometry", "qwindowicon", "qwindowtitle", "title",
                                       "icon", "name", "session", "style", "stylesheet", "qmljsdebugger"};
// ...and these without.
const char *const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString qtOptionsHelp()
{
    QStringList words;
    for (const char *name : kQtValueOptions)
        words << QStringLiteral("-%1 <value>").arg(QLatin1String(name));
    for (const char *name : kQtFlagOptions)
        words << QStringLiteral("-") + QLatin1String(name);
    return QStringLiteral("\nQt's own options, taken by Qt before the editor starts:\n  ") + words.join(QStringLiteral(", "))
            + QLatin1Char('\n');
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt spells its options with one dash: -platform is one option, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
            "Shows, edits, saves and deletes an installation's styles, with a live\n"
            "preview of each style on sample widgets.\n"
            "\n"
            "Exit status: 0 ok, 1 the stylesheet could not be opened or there is no\n"
            "display to show the window on, 2 usage error."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Installation root (instead of ZT_ROOT)."),
                                        QStringLiteral("dir"));
    const QCommandLineOption systemOption(QStringLiteral("system"),
                                          QStringLiteral("System name (instead of ZT_SYSTEM)."),
                                          QStringLiteral("name"));
    parser.addOptions({versionOption, rootOption, systemOption});
    // Known here so that they are no usage error, and their values no
    // stray arguments; QApplication acts on them.
    for (const char *name : kQtValueOptions) {
        QCommandLineOption option(QLatin1String(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : kQtFlagOptions) {
        QCommandLineOption option{QLatin1String(name), QString()};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.outcome = CommandLine::UsageError;
        result.text = parser.errorText();
        return result;
    }
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (parser.isSet(helpOption) || helpAll) {
        result.outcome = CommandLine::ShowHelp;
        result.text = parser.helpText();
        // Without an application object Qt cannot name the program.
        const qsizetype usageEnd = result.text.indexOf(QLatin1Char('\n'));
        const QString usage = result.text.left(usageEnd);
        const QString named = QString(usage).replace(QStringLiteral("<executable_name>"),
                                                     QStringLiteral("vrex-style-editor"));
        result.text.replace(0, usage.size(), named);
        if (helpAll)
            result.text += qtOptionsHelp();
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.outcome = CommandLine::ShowVersion;
        result.text = QStringLiteral("vrex-style-editor " VREX_STYLE_EDITOR_VERSION "\n");
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.outcome = CommandLine::UsageError;
        result.text = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return result;
    }
    result.rootSet = parser.isSet(rootOption);
    result.root = parser.value(rootOption);
    result.systemSet = parser.isSet(systemOption);
    result.system = parser.value(systemOption);
    return result;
}

} // namespace styleeditor
