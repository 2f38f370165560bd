// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The four configuration formats seen from outside, so that one row can be
// run against each loader: where a file goes, a document with one record
// carrying a text, what the loader leaves in its registry and what it says.
#ifndef VREX_TESTS_HOSTILE_CONFIG_FORMATS_H
#define VREX_TESTS_HOSTILE_CONFIG_FORMATS_H

#include "installation/config_file_load.h"
#include "instance_lookup/catalogue.h"
#include "instance_lookup/qt_printers.h"
#include "stylesheet/style_registry.h"

#include <QtCore/QVector>

#include <ostream>

namespace vrextest {

// What the four loaders fill.
struct Registries
{
    vrex::InstanceRegistry instances;
    vrex::DeviceTypeRegistry deviceTypes;
    vrex::ComplexTypeRegistry complexTypes;
    vrex::StyleRegistry styles;
};

struct ConfigFormat
{
    const char *label;
    QString file;     // below config/; "%1" is the base name of a listed file
    bool debugOutput; // messages go to the debug-output channel, not Qt's
    QString cannotOpen; // "%1" the base name, "%2" the path
    // A document named name with one record whose text is text (raw XML).
    QByteArray (*document)(const QString &name, const QByteArray &text);
    void (*load)(Registries &registries, const vrex::LoadContext &context);
    QStringList (*snapshot)(const Registries &registries); // "key=text" per entry, sorted

    bool listed() const { return file.contains(QLatin1String("%1")); }
    QString relativePath(const QString &name) const { return listed() ? file.arg(name) : file; }
    // The snapshot line of a loaded document(name, text); with a null text,
    // that of a listed file that failed.
    QString line(const QString &name, const QString &text) const
    {
        return (!listed() ? QStringLiteral("cam") : file.startsWith(QLatin1String("devicetypes")) ? name.toLower() : name) + QLatin1Char('=') + text;
    }
    QString cannotOpenMessage(const QString &name, const QString &path) const
    {
        return QString(cannotOpen).replace(QLatin1String("%1"), name).replace(QLatin1String("%2"), path);
    }
};

const QVector<ConfigFormat> &configFormats();
inline void PrintTo(const ConfigFormat &format, std::ostream *os) { *os << format.label; }

} // namespace vrextest

#endif
