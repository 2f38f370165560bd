// A throw-away installation: ZT_ROOT/ZT_SYSTEM point into a temporary
// directory for the lifetime of the object.
#ifndef VREX_TESTS_FIXTURE_TREE_H
#define VREX_TESTS_FIXTURE_TREE_H

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

    QString root() const;      // ZT_ROOT
    QString configDir() const; // root/system/config
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
    EnvGuard m_root;
    EnvGuard m_systemEnv;
};

// Contents of path; empty when it cannot be read.
QByteArray readFileBytes(const QString &path);

// Empties all four registries (the style registry through reLoad from a
// root that has no stylesheet, with its message swallowed).
void clearRegistries();

} // namespace vrextest

#endif
