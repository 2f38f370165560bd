// vrex-style-editor: reads the command line before the library is loaded.
// The library reads the installation while it is being loaded, so the
// editor proper lives in a module of its own that is loaded only once the
// command line is settled: --help and --version load nothing, and
// --root/--system are in the environment when the library reads it, so only
// that installation is shown.
#include "command_line.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

using namespace styleeditor;

namespace {

// Next to the launcher in the build tree, below the library directory when
// installed.
QString findModule()
{
    const QString exeDir = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
    const QString candidates[] = {
        exeDir + QStringLiteral("/" STYLE_EDITOR_MODULE),
        exeDir + QStringLiteral("/" STYLE_EDITOR_INSTALLED_MODULE),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return candidates[1];
}

void writeTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char **argv)
{
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

    if (commandLine.rootSet)
        setenv("ZT_ROOT", QFile::encodeName(commandLine.root).constData(), 1);
    if (commandLine.systemSet)
        setenv("ZT_SYSTEM", QFile::encodeName(commandLine.system).constData(), 1);

    const QString module = findModule();
    void *handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_LOCAL);
    using Run = int (*)(int, char **);
    Run run = handle ? reinterpret_cast<Run>(dlsym(handle, "vrex_style_editor_run")) : nullptr;
    if (!run) {
        writeTo(stderr, QStringLiteral("vrex-style-editor: cannot load %1: %2\n")
                                .arg(module, QString::fromLocal8Bit(dlerror())));
        return 1;
    }
    return run(argc, argv);
}
