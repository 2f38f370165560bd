#include "cli/installation_root.h"

#include "cli/command_line.h"

#include "frame/config_root.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <cstdlib>
#include <string>

namespace vrexctl {

namespace {

// Function-local statics: set before main(), when namespace-scope objects
// of this executable may not be constructed yet.
struct SavedVariable
{
    bool set = false;
    std::string value;
};

SavedVariable &savedRoot()
{
    static SavedVariable saved;
    return saved;
}

SavedVariable &savedSystem()
{
    static SavedVariable saved;
    return saved;
}

void save(const char *name, SavedVariable &saved)
{
    const char *value = std::getenv(name);
    saved.set = value != nullptr;
    saved.value = value ? value : "";
}

void restore(const char *name, const SavedVariable &saved)
{
    if (saved.set)
        setenv(name, saved.value.c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

void setAsideStartupEnvironment()
{
    save("ZT_ROOT", savedRoot());
    save("ZT_SYSTEM", savedSystem());
    // Below a character device nothing can exist: every load finds nothing.
    setenv("ZT_ROOT", "/dev/null", 1);
    setenv("ZT_SYSTEM", "", 1);
}

void applyConfigurationRoot(const Invocation &invocation)
{
    restore("ZT_ROOT", savedRoot());
    restore("ZT_SYSTEM", savedSystem());
    if (invocation.rootSet)
        setenv("ZT_ROOT", QFile::encodeName(invocation.root).constData(), 1);
    if (invocation.systemSet)
        setenv("ZT_SYSTEM", QFile::encodeName(invocation.system).constData(), 1);
}

QString missingInstallation(const Invocation &invocation)
{
    const QString root = QString::fromLocal8Bit(qgetenv("ZT_ROOT"));
    const QString system = QString::fromLocal8Bit(qgetenv("ZT_SYSTEM"));
    const QString rootSource = invocation.rootSet ? QStringLiteral("--root") : QStringLiteral("ZT_ROOT");
    const QString systemSource = invocation.systemSet ? QStringLiteral("--system") : QStringLiteral("ZT_SYSTEM");
    if (root.isEmpty() || system.isEmpty()) {
        return QStringLiteral("no installation given: name it with --root DIR --system NAME, or set "
                              "ZT_ROOT and ZT_SYSTEM");
    }
    if (!QFileInfo(root).isDir()) {
        return QStringLiteral("installation root '%1' (from %2) is no directory; give the right one with "
                              "--root or ZT_ROOT")
                .arg(root, rootSource);
    }
    const QString systemDir = vrex::configRoot();
    if (!QFileInfo(systemDir).isDir()) {
        return QStringLiteral("system directory '%1' (%2 in %3) does not exist; give the right system "
                              "with --system or ZT_SYSTEM")
                .arg(systemDir, system, systemSource);
    }
    const QString configDir = systemDir + QStringLiteral("/config");
    if (!QFileInfo(configDir).isDir()) {
        return QStringLiteral("'%1' has no config directory, so it is no installation; check --root and "
                              "--system, or ZT_ROOT and ZT_SYSTEM")
                .arg(systemDir);
    }
    return QString();
}

void reloadStyles()
{
    vrex_stylesheet::reLoad();
}

void reloadRegistries()
{
    // Loaders merge into their registry; only reLoad empties the styles.
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();

    reloadStyles();
    vrex_instance_lookup::loadInstances();
    vrex_instance_lookup::loadDeviceTypes();
    vrex_instance_lookup::loadComplexTypes();
}

} // namespace vrexctl
