// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "support/fixture_tree.h"

#include "installation/installation_layout.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cstdlib>

namespace vrextest {

namespace {
void setOrUnset(const char *name, const char *value)
{
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}
} // namespace

EnvGuard::EnvGuard(const char *name, const char *value) : m_name(name)
{
    if (const char *previous = std::getenv(name))
        m_previous = previous;
    setOrUnset(name, value);
}

EnvGuard::~EnvGuard() { setOrUnset(m_name.c_str(), m_previous ? m_previous->c_str() : nullptr); }

FixtureTree::FixtureTree(const QString &system) : m_system(system)
{
    QDir().mkpath(configDir());
}

vrex::Installation FixtureTree::installation() const
{
    return vrex::Installation(root(), m_system);
}

vrex::LoadContext loadContext(const FixtureTree &tree, vrex::DiagnosticSink *sink, const vrex::FileSource &files)
{
    vrex::LoadContext context;
    context.configRoot = vrex::layout::configRoot(tree.root(), tree.system());
    context.files = &files;
    context.sink = sink;
    return context;
}

FixtureTree::~FixtureTree() = default;

QString FixtureTree::root() const { return m_dir.path(); }

QString FixtureTree::configDir() const { return m_dir.path() + QLatin1Char('/') + m_system + QStringLiteral("/config"); }
QString FixtureTree::path(const QString &relative) const { return configDir() + QLatin1Char('/') + relative; }

void FixtureTree::write(const QString &relative, const QByteArray &contents) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture %s", qPrintable(target));
    file.write(contents);
}

void FixtureTree::makeDirectory(const QString &relative) const { QDir().mkpath(path(relative)); }

void FixtureTree::remove(const QString &relative) const
{
    const QString target = path(relative);
    if (QFileInfo(target).isDir())
        QDir(target).removeRecursively();
    else
        QFile::remove(target);
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vrextest
