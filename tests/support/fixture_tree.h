// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A throw-away installation in a temporary directory, opened as a value;
// tests of the exported classes point the environment at it with HostRoot.
#ifndef VREX_TESTS_FIXTURE_TREE_H
#define VREX_TESTS_FIXTURE_TREE_H

#include "installation/installation.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

#include <optional>
#include <string>

namespace vrextest {

// Sets (or, with nullptr, unsets) one environment variable and restores the
// previous state on destruction.
class EnvGuard
{
public:
    EnvGuard(const char *name, const char *value);
    ~EnvGuard();
    EnvGuard(const EnvGuard &) = delete;
    EnvGuard &operator=(const EnvGuard &) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

class FixtureTree
{
public:
    explicit FixtureTree(const QString &system = QStringLiteral("demo"));
    ~FixtureTree();

    QString root() const;      // the installation root
    QString system() const { return m_system; }
    QString configDir() const; // root/system/config
    // The installation below this tree, not loaded yet.
    vrex::Installation installation() const;
    // Absolute path of a path relative to the config directory.
    QString path(const QString &relative) const;

    // Writes a file below the config directory, creating its directories.
    void write(const QString &relative, const QByteArray &contents) const;
    // Creates a directory below the config directory (for instance in place
    // of a file, to make that file unopenable even for root).
    void makeDirectory(const QString &relative) const;
    void remove(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    QString m_system;
};

// A diagnostic sink that keeps what it is told, channel by channel.
class RecordingSink final : public vrex::DiagnosticSink
{
public:
    void write(vrex::Channel channel, const QString &text) override
    {
        (channel == vrex::Channel::DebugOutput ? debugOutput : qtMessages).append(text);
    }
    QStringList debugOutput;
    QStringList qtMessages;
};

// A load context reading the tree from the file system into sink.
vrex::LoadContext loadContext(const FixtureTree &tree, vrex::DiagnosticSink *sink,
                              const vrex::FileSource &files);

// Contents of path; empty when it cannot be read.
QByteArray readFileBytes(const QString &path);


} // namespace vrextest

#endif
