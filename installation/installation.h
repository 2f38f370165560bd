// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An installation as a value: the four registries of one configuration
// root, loaded by the same loaders the library's process-wide registries
// use, and every question a host can ask of them. Any number can live side
// by side in one process; nothing here reads the environment.
#ifndef VREX_INSTALLATION_INSTALLATION_H
#define VREX_INSTALLATION_INSTALLATION_H

#include "installation/config_file_load.h"
#include "installation/diagnostic_sink.h"
#include "installation/file_source.h"
#include "instance_lookup/catalogue.h"
#include "stylesheet/style_registry.h"

#include <QtCore/QList>

namespace vrex {

// A configuration file that was not taken whole, and why.
struct LoadProblem
{
    QString path;
    xml::Result result;
};

// A message as the library would have written it on one of its channels.
struct LoadMessage
{
    Channel channel;
    QString text;
};

class Installation
{
public:
    // No files: empty registries.
    Installation() = default;
    // The installation below root/system (its configuration root), read
    // from files, where texts set in files take the place of files on disk.
    Installation(const QString &root, const QString &system, const FileSource &files = FileSource());
    // The installation whose "config" directory is below configRoot.
    static Installation atConfigRoot(const QString &configRoot, const FileSource &files = FileSource());

    const QString &configRoot() const { return m_configRoot; }
    // A path below the configuration root, e.g. path(layout::kInstancesFile).
    QString path(QLatin1StringView relative) const;

    const FileSource &files() const { return m_files; }
    // Replace or add unsaved texts, then load() again.
    FileSource &files() { return m_files; }

    // Where an in-place save of the stylesheet keeps the old bytes until the
    // new ones are whole (stylesheet_replace.h); without one such a save is
    // refused. Tools pass defaultRecoveryDirectory().
    void setRecoveryDirectory(const QString &dir) { m_recoveryDir = dir; }

    // An observer that sees every element the parsers read (with positions
    // when asked), for tools that judge the files as they are loaded.
    void setObserver(FormatObserver *observer, bool positions = true);

    // Empties the registries and loads all four, in the order the library
    // attaches: styles, instances, device types, complex types. Each file
    // is read once.
    void load();
    void clear();

    // The four loaders, each merging into its registry as the library's do.
    void loadStyles();
    void loadInstances();
    void loadDeviceTypes();
    void loadComplexTypes();

    // Reads one file again after its text changed, in place of what the
    // last load() took from it, so that an editor's change to one file of a
    // large installation does not cost a whole load. The instances file
    // replaces its registry (the stylesheet: reloadStyles()); a device-type
    // or complex-type entry of its directory (as listed, e.g. "Servo.xml")
    // replaces the registry entry it gives, which is what load() would
    // give when no other entry of the directory has the same key.
    void reloadInstances();
    void reloadDeviceType(const QString &entry);
    void reloadComplexType(const QString &entry);

    const InstanceRegistry &instances() const { return m_instances; }
    const DeviceTypeRegistry &deviceTypes() const { return m_deviceTypes; }
    const ComplexTypeRegistry &complexTypes() const { return m_complexTypes; }
    const StyleRegistry &styles() const { return m_styles; }
    // The styles as an editor changes them; saveStyles() writes them back.
    StyleRegistry &styles() { return m_styles; }
    // The styles as the stylesheet held them when last loaded or saved:
    // what saveStyles() tells this installation's changes by.
    const StyleRegistry &loadedStyles() const { return m_loadedStyles; }
    // Empties the styles and loads them again, as the library's reLoad().
    void reloadStyles();
    Catalogue catalogue() const { return {m_instances, m_deviceTypes, m_complexTypes}; }

    // Files that were not taken whole by the last loads, in load order, and
    // every message the loads and queries would have written.
    const QList<LoadProblem> &problems() const { return m_report.problems; }
    const QList<LoadMessage> &messages() const { return m_report.messages; }
    void clearMessages();

    // The host's queries, answered from this installation's registries.
    bool lookupComposite(const QString &name, bool &composite, QMap<QString, QString> &groups) const;
    bool lookupComposite(const QString &name, const QString &id, QString &instance) const;
    bool lookupType(const QString &name, QString &type) const;
    bool lookup(const QString &name, QString &alt_id, int *device, int *offset, char *drivertype) const;
    bool lookup(const QString &name, QString &alt_id, QString &location, QString &type, QString &ref,
                bool &composite) const;
    bool lookup(const QString &name, const QString &param, QString &alt_id, int *device, int *offset, int *slot,
                char *drivertype) const;
    bool lookupComplex(const QString &complexName, const QString &member, const QString &param, QString &alt_id,
                       int *device, int *offset, int *slot, char *drivertype) const;
    void applyStyle(const QString &name, QWidget *widget) const;

    // Writes the styles to this installation's stylesheet, merged with what
    // other programs saved there since loadedStyles() (saveStylesheet), then
    // reloads them from it.
    SaveOutcome saveStyles();

private:
    class Report final : public DiagnosticSink
    {
    public:
        void write(Channel channel, const QString &text) override { messages.append({channel, text}); }
        void fileFailed(const QString &path, const xml::Result &result) override { problems.append({path, result}); }

        QList<LoadProblem> problems;
        QList<LoadMessage> messages;
    };

    LoadContext context() const;

    QString m_configRoot;
    FileSource m_files;
    FormatObserver *m_observer = nullptr;
    bool m_positions = false;
    InstanceRegistry m_instances;
    DeviceTypeRegistry m_deviceTypes;
    ComplexTypeRegistry m_complexTypes;
    StyleRegistry m_styles;
    StyleRegistry m_loadedStyles;
    QString m_recoveryDir;
    // Queries are const but report what they could not find.
    mutable Report m_report;
};

} // namespace vrex

#endif
