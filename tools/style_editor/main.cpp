// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// vrex-style-editor: opens the installation its command line names and
// shows its styles in the editor window.
#include "command_line.h"
#include "main_window.h"
#include "translators.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_replace.h"

#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <cstdio>
#include <cstdlib>

using namespace styleeditor;

namespace {

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// While the application object starts: Qt aborts when its platform plugin
// finds no display, after several lines of its own. One line instead, and
// exit status 1.
QtMessageHandler g_qtHandler = nullptr;
QString g_platformSaid;

void startupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        QString why = g_platformSaid.isEmpty() ? message.section(QLatin1Char('.'), 0, 0) : g_platformSaid;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            why += QStringLiteral(" (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        writeTo(stderr, QStringLiteral("vrex-style-editor: no display to show the window on: %1\n").arg(why));
        std::_Exit(1);
    }
    if (QByteArrayView(context.category).startsWith("qt.qpa")) {
        if (g_platformSaid.isEmpty())
            g_platformSaid = message.trimmed();
        return;
    }
    g_qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    // Parsed before the application object exists: help, version and usage
    // errors need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = parseCommandLine(arguments);
    switch (commandLine.outcome) {
    case CommandLine::ShowHelp:
    case CommandLine::ShowVersion:
        writeTo(stdout, commandLine.text);
        return 0;
    case CommandLine::UsageError:
        writeTo(stderr, QStringLiteral("vrex-style-editor: %1\n"
                                       "Try 'vrex-style-editor --help' for more information.\n")
                                .arg(commandLine.text));
        return 2;
    case CommandLine::Run:
        break;
    }

    g_qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_qtHandler);
    QApplication::setApplicationName(QStringLiteral("vrex-style-editor"));
    QApplication::setApplicationVersion(QStringLiteral(VREX_STYLE_EDITOR_VERSION));
    // The window speaks the user's language (LANGUAGE, LC_ALL, LC_MESSAGES,
    // LANG); what is written before the application exists stays English,
    // as the man page is.
    const Translators translators(QLocale().uiLanguages());

    vrex::Installation installation(
            commandLine.rootSet ? commandLine.root : qEnvironmentVariable("ZT_ROOT"),
            commandLine.systemSet ? commandLine.system : qEnvironmentVariable("ZT_SYSTEM"));
    installation.setRecoveryDirectory(vrex::defaultRecoveryDirectory());
    const QString path = installation.path(vrex::layout::kStylesheetFile);
    if (!QFileInfo(path).isFile()) {
        // A save only ever rewrites an existing stylesheet.
        QMessageBox::critical(nullptr, QCoreApplication::translate("main", "Style Editor"),
                              QCoreApplication::translate("main", "There is no stylesheet at %1.\n"
                                                                  "Choose an installation with --root and --system.")
                                      .arg(path));
        return 1;
    }
    MainWindow window(installation);
    window.show();
    return app.exec();
}
