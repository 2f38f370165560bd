// The four configuration formats seen from outside, so that one hostile row
// can be run against each: where a file goes, how a document with one
// record carrying a text is spelled, what the loader leaves in its registry
// and what it says.
#ifndef VREX_TESTS_HOSTILE_CONFIG_FORMATS_H
#define VREX_TESTS_HOSTILE_CONFIG_FORMATS_H

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVector>

#include <ostream>

void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QStringList &list, std::ostream *os);

namespace vrextest {

class ConfigFormat
{
public:
    virtual ~ConfigFormat() = default;

    virtual const char *label() const = 0;
    // One file per "*.xml" entry of a directory (its base name is the key),
    // rather than one fixed file.
    virtual bool isListed() const = 0;
    // The file for name, relative to the config directory. name only
    // matters for listed formats.
    virtual QString relativePath(const QString &name) const = 0;

    // A document is prolog + rootStart + records + rootEnd; a record is
    // recordStart + text + recordMiddle + inner + recordEnd, text being an
    // attribute value that reaches the registry and inner the content of
    // the deepest element the loader reads.
    virtual QByteArray rootTag(const QString &name) const = 0;
    virtual QByteArray rootStart(const QString &name) const;
    virtual QByteArray rootEnd(const QString &name) const;
    virtual QByteArray recordStart() const = 0;
    virtual QByteArray recordMiddle() const = 0;
    virtual QByteArray recordEnd() const = 0;

    QByteArray record(const QByteArray &text, const QByteArray &inner = QByteArray()) const;
    QByteArray document(const QString &name, const QByteArray &records,
                        const QByteArray &prolog = QByteArray()) const;

    // Puts an entry into the registry that no file of a test names, so
    // that a test sees what a load leaves alone.
    virtual void insertSentinel() const = 0;
    // The registry as sorted lines, one per entry and one per nested item.
    virtual QStringList snapshot() const = 0;

    // Lines that a file named name adds when it loads with one record
    // carrying text; blankRecordLines: one more record element without
    // attributes whose first child element has none either.
    virtual QStringList loadedLines(const QString &name, const QString &text) const = 0;
    virtual QStringList blankRecordLines(const QString &name) const = 0;
    // Lines that a file named name adds when it cannot be read or is
    // rejected: listed formats still register it with defaults.
    virtual QStringList rejectedLines(const QString &name) const = 0;

    virtual void load() const = 0;
    // The first message of a failed load; for a not well-formed file the
    // XML reader's own text follows where the format reports it.
    virtual QString cannotOpenMessage(const QString &name, const QString &path) const = 0;
    virtual QString notWellFormedMessage(const QString &name, const QString &path) const = 0;
    virtual bool reportsReaderMessage() const { return false; }
    // Messages of the loader go to the debug-output channel rather than to
    // the Qt message channel.
    virtual bool usesDebugOutput() const { return false; }

    // The pure parser's verdict: empty when the document is accepted,
    // otherwise the XML reader's message (or "wrong root").
    virtual QString parseError(const QByteArray &data, const QString &name) const = 0;
};

enum class FormatId { Instances, DeviceTypes, ComplexTypes, Stylesheet };

const ConfigFormat &configFormat(FormatId id);
void PrintTo(FormatId id, std::ostream *os);
QVector<FormatId> allFormats();
QVector<FormatId> listedFormats();

} // namespace vrextest

#endif
