// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/git_tree.h"

#include "installation/installation_layout.h"

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>

namespace vrexctl {

namespace {

struct GitRun
{
    bool ran = false; // started and exited normally
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

GitRun runGit(const QString &git, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Reading objects must not even refresh the index of the work tree.
    environment.insert(QStringLiteral("GIT_OPTIONAL_LOCKS"), QStringLiteral("0"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(git, arguments);
    GitRun run;
    if (!process.waitForStarted(-1))
        return run;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    run.ran = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The object name stands for, or empty.
QByteArray objectName(const QString &git, const QString &name)
{
    const GitRun run = runGit(git, {QStringLiteral("rev-parse"), QStringLiteral("--verify"), QStringLiteral("--quiet"),
                                    QStringLiteral("--end-of-options"), name});
    return run.ran && run.exitCode == 0 ? run.out.trimmed() : QByteArray();
}

bool isTree(const QString &git, const QByteArray &object)
{
    const GitRun run = runGit(git, {QStringLiteral("cat-file"), QStringLiteral("-t"), QString::fromLatin1(object)});
    return run.ran && run.exitCode == 0 && run.out.trimmed() == "tree";
}

QString firstLine(const QByteArray &text)
{
    return QString::fromUtf8(text.left(text.indexOf('\n'))).trimmed();
}

struct TreeEntry
{
    QByteArray mode;
    QByteArray object;
};

// A link's target as a path below the listed tree, or empty when it
// leaves it.
QString linkTarget(const QString &link, const QByteArray &target)
{
    const QString text = QString::fromUtf8(target);
    if (text.startsWith(QLatin1Char('/')))
        return QString();
    const qsizetype slash = link.lastIndexOf(QLatin1Char('/'));
    const QString joined = QDir::cleanPath(slash < 0 ? text : link.left(slash + 1) + text);
    return joined.startsWith(QLatin1String("../")) || joined == QLatin1String("..") ? QString() : joined;
}

} // namespace

GitInstallation readGitInstallation(const QString &revision, const QString &system)
{
    GitInstallation installation;
    const QString git = QStandardPaths::findExecutable(QStringLiteral("git"));
    if (git.isEmpty()) {
        installation.error = QStringLiteral("git is not installed, so no revision can be read");
        return installation;
    }
    if (revision.startsWith(QLatin1Char('-')))
        return installation;
    // A revision alone stands for the current directory as it was then.
    const QString treeName = revision.contains(QLatin1Char(':')) ? revision : revision + QStringLiteral(":./");
    const QByteArray tree = objectName(git, treeName);
    if (tree.isEmpty()) {
        const GitRun inside = runGit(git, {QStringLiteral("rev-parse"), QStringLiteral("--git-dir")});
        if (!inside.ran || inside.exitCode != 0)
            installation.error = QStringLiteral("the current directory is in no git repository");
        return installation;
    }
    installation.isRevision = true;
    if (!isTree(git, tree)) {
        installation.error = QStringLiteral("'%1' is a file at that revision, not a directory").arg(treeName);
        return installation;
    }

    const QString config = vrex::layout::kConfigDir;
    QByteArray configTree = objectName(git, QString::fromLatin1(tree) + QLatin1Char(':') + config);
    if ((configTree.isEmpty() || !isTree(git, configTree)) && !system.isEmpty())
        configTree = objectName(git, QString::fromLatin1(tree) + QLatin1Char(':') + system + QLatin1Char('/') + config);
    if (configTree.isEmpty() || !isTree(git, configTree)) {
        installation.error = system.isEmpty()
                ? QStringLiteral("'%1' holds no config directory").arg(treeName)
                : QStringLiteral("'%1' holds no config directory, nor does its %2").arg(treeName, system);
        return installation;
    }

    const GitRun listing =
            runGit(git, {QStringLiteral("ls-tree"), QStringLiteral("-r"), QStringLiteral("-z"), QStringLiteral("--full-tree"),
                          QString::fromLatin1(configTree)});
    if (!listing.ran || listing.exitCode != 0) {
        installation.error = QStringLiteral("git ls-tree failed: ") + firstLine(listing.err);
        return installation;
    }
    // "<mode> <type> <object>\t<path>" per entry, paths below config (not
    // below the current directory: --full-tree); submodules (commits) have
    // no contents here.
    QHash<QString, TreeEntry> entries;
    QByteArray wanted;
    for (const QByteArray &record : listing.out.split('\0')) {
        const qsizetype tab = record.indexOf('\t');
        const QList<QByteArray> fields = record.left(tab).split(' ');
        if (tab < 0 || fields.size() != 3 || fields.at(1) != "blob")
            continue;
        entries.insert(QString::fromUtf8(record.mid(tab + 1)), {fields.at(0), fields.at(2)});
        wanted += fields.at(2) + '\n';
    }

    const GitRun batch = runGit(git, {QStringLiteral("cat-file"), QStringLiteral("--batch")}, wanted);
    if (!batch.ran || batch.exitCode != 0) {
        installation.error = QStringLiteral("git cat-file failed: ") + firstLine(batch.err);
        return installation;
    }
    // "<object> <type> <size>\n<contents>\n" per object asked for.
    QHash<QByteArray, QByteArray> blobs;
    for (qsizetype at = 0; at < batch.out.size();) {
        const qsizetype lineEnd = batch.out.indexOf('\n', at);
        if (lineEnd < 0)
            break;
        const QList<QByteArray> header = batch.out.mid(at, lineEnd - at).split(' ');
        at = lineEnd + 1;
        if (header.size() != 3)
            continue; // "<object> missing"
        const qsizetype size = header.at(2).toLongLong();
        blobs.insert(header.at(0), batch.out.mid(at, size));
        at += size + 1;
    }

    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        QString path = it.key();
        TreeEntry entry = it.value();
        // A link is read as its target, a few links deep at most.
        for (int depth = 0; entry.mode == "120000" && depth < 8; ++depth) {
            path = linkTarget(path, blobs.value(entry.object));
            entry = entries.value(path);
        }
        if (entry.object.isEmpty() || entry.mode == "120000")
            continue; // left out: read as a missing file
        installation.files.insert(config + QLatin1Char('/') + it.key(), blobs.value(entry.object));
    }
    return installation;
}

} // namespace vrexctl
