// One hostile configuration file (or file-system state) and what each
// format's loader must make of it.
#ifndef VREX_TESTS_HOSTILE_HOSTILE_ROWS_H
#define VREX_TESTS_HOSTILE_HOSTILE_ROWS_H

#include "bounded_child.h"
#include "config_formats.h"
#include "support/fixture_tree.h"

#include <QtCore/QIODevice>

#include <functional>

namespace vrextest {

// Where a row puts its file.
struct RowSite
{
    const FixtureTree &tree;
    const ConfigFormat &format;
    QString name;       // base name for listed formats
    QString secretPath; // a file whose content must never reach a registry

    QString relativePath() const { return format.relativePath(name); }
    QString path() const { return tree.path(relativePath()); }
    void write(const QByteArray &contents) const { tree.write(relativePath(), contents); }
    // The format's document around records, written in one go.
    void writeDocument(const QByteArray &records, const QByteArray &prolog = QByteArray()) const;
};

enum class Outcome {
    Loads,         // the record arrives with its text, no message
    NotWellFormed, // the loader's not-well-formed message, nothing loaded
    Unopenable,    // the loader's cannot-open message, nothing loaded
};

struct HostileRow
{
    const char *label = "";
    std::function<void(const RowSite &)> arrange;
    Outcome outcome = Outcome::Loads;
    QString text;              // Loads: the record's text in the registry
    bool blankRecord = false;  // Loads: plus one record without attributes
    QString reason;            // NotWellFormed: start of the XML reader's message
    QString loopPartner;       // Unopenable: a second listed entry that fails too
    Bounds bounds;             // addressSpaceMB > 0: run in a bounded child

    HostileRow &bounded(int addressSpaceMB, unsigned watchdogSeconds = 300);
    HostileRow &withBlankRecord();
};

HostileRow loads(const char *label, std::function<void(const RowSite &)> arrange, const QString &text);
HostileRow notWellFormed(const char *label, std::function<void(const RowSite &)> arrange,
                         const QString &reason);
HostileRow unopenable(const char *label, std::function<void(const RowSite &)> arrange);

// Arranges the row in a fresh installation, loads the format and compares
// registry and messages with what the row expects.
Problems runRow(const HostileRow &row, FormatId format);

// Writes piece count times, in chunks, without building it in memory.
void writeRepeated(QIODevice &out, const QByteArray &piece, qint64 count);

} // namespace vrextest

#endif
