#include "command_line.h"

#include <QtCore/QCommandLineParser>

namespace styleeditor {

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Shows, edits, saves and deletes an installation's styles, with a live\n"
            "preview of each style on sample widgets.\n"
            "\n"
            "Exit status: 0 ok, 1 the stylesheet could not be opened, 2 usage error."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Installation root (instead of ZT_ROOT)."),
                                        QStringLiteral("dir"));
    const QCommandLineOption systemOption(QStringLiteral("system"),
                                          QStringLiteral("System name (instead of ZT_SYSTEM)."),
                                          QStringLiteral("name"));
    parser.addOptions({versionOption, rootOption, systemOption});

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.outcome = CommandLine::UsageError;
        result.text = parser.errorText();
        return result;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        result.outcome = CommandLine::ShowHelp;
        result.text = parser.helpText();
        // Without an application object Qt cannot name the program.
        const qsizetype usageEnd = result.text.indexOf(QLatin1Char('\n'));
        const QString usage = result.text.left(usageEnd);
        const QString named = QString(usage).replace(QStringLiteral("<executable_name>"),
                                                     QStringLiteral("vrex-style-editor"));
        result.text.replace(0, usage.size(), named);
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
