#include "hostile_rows.h"

#include "support/capture.h"

#include <QtCore/QFile>

#include <cstdio>

namespace vrextest {

namespace {

const QString kName = QStringLiteral("Rack");
const QString kLoopPartner = QStringLiteral("Loop");

// Declarations that would show in a registry if the reader fetched them.
const QByteArray kSecret = "<!ENTITY leak \"LEAKED\">\n";

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

} // namespace

void RowSite::writeDocument(const QByteArray &records, const QByteArray &prolog) const
{
    write(format.document(name, records, prolog));
}

HostileRow &HostileRow::bounded(int addressSpaceMB, unsigned watchdogSeconds)
{
    bounds.addressSpaceMB = addressSpaceMB;
    bounds.watchdogSeconds = watchdogSeconds;
    return *this;
}

HostileRow &HostileRow::withBlankRecord()
{
    blankRecord = true;
    return *this;
}

namespace {

HostileRow row(const char *label, std::function<void(const RowSite &)> arrange, Outcome outcome)
{
    HostileRow row;
    row.label = label;
    row.arrange = std::move(arrange);
    row.outcome = outcome;
    return row;
}

} // namespace

HostileRow loads(const char *label, std::function<void(const RowSite &)> arrange, const QString &text)
{
    HostileRow loading = row(label, std::move(arrange), Outcome::Loads);
    loading.text = text;
    return loading;
}

HostileRow notWellFormed(const char *label, std::function<void(const RowSite &)> arrange,
                         const QString &reason)
{
    HostileRow rejected = row(label, std::move(arrange), Outcome::NotWellFormed);
    rejected.reason = reason;
    return rejected;
}

HostileRow unopenable(const char *label, std::function<void(const RowSite &)> arrange)
{
    return row(label, std::move(arrange), Outcome::Unopenable);
}

Problems runRow(const HostileRow &row, FormatId id)
{
    Problems problems;
    const ConfigFormat &format = configFormat(id);
    clearRegistries();
    FixtureTree tree;
    tree.write(QStringLiteral("secret.dtd"), kSecret);
    const RowSite site{tree, format, kName, tree.path(QStringLiteral("secret.dtd"))};
    row.arrange(site);
    const bool inChild = row.bounds.addressSpaceMB > 0;
    if (inChild)
        limitThisProcess(row.bounds);

    if (row.outcome == Outcome::NotWellFormed) {
        // The pure parser says why, also for formats whose message does not.
        const QString why = format.parseError(readFileBytes(site.path()), kName);
        problems.check(why.startsWith(row.reason),
                       QStringLiteral("reader's message %1 does not start with %2")
                               .arg(describe(why), describe(row.reason)));
    }

    format.insertSentinel();
    QStringList expectedLines = format.snapshot();
    QStringList expectedMessages;
    switch (row.outcome) {
    case Outcome::Loads:
        expectedLines << format.loadedLines(kName, row.text);
        if (row.blankRecord)
            expectedLines << format.blankRecordLines(kName);
        break;
    case Outcome::NotWellFormed:
        expectedLines << format.rejectedLines(kName);
        expectedMessages << format.notWellFormedMessage(kName, site.path());
        break;
    case Outcome::Unopenable:
        expectedLines << format.rejectedLines(kName);
        expectedMessages << format.cannotOpenMessage(kName, site.path());
        if (!row.loopPartner.isEmpty() && format.isListed()) {
            expectedLines << format.rejectedLines(kLoopPartner);
            expectedMessages << format.cannotOpenMessage(kLoopPartner, QString());
        }
        break;
    }

    QStringList debugLines;
    QStringList qtLines;
    {
        DebugOutputCapture debug;
        QtMessageCapture qt;
        format.load();
        debugLines = debug.messages();
        qtLines = qt.messages();
    }
    if (inChild)
        std::printf("[ bounded  ] %s/%s: address space peaked at %lld MB\n", format.label(), row.label,
                    peakAddressSpaceMB());

    problems.equal(QStringLiteral("registry"), format.snapshot(), sorted(expectedLines));
    const QStringList &messages = format.usesDebugOutput() ? debugLines : qtLines;
    const QStringList &otherChannel = format.usesDebugOutput() ? qtLines : debugLines;
    problems.equal(QStringLiteral("messages on the other channel"), otherChannel, QStringList());

    // The stylesheet's not-well-formed message ends in the reader's text.
    if (row.outcome == Outcome::NotWellFormed && format.reportsReaderMessage() && messages.size() == 1) {
        problems.check(messages[0].startsWith(expectedMessages[0] + row.reason),
                       QStringLiteral("message %1 does not start with %2")
                               .arg(describe(messages[0]), describe(expectedMessages[0] + row.reason)));
    } else {
        problems.equal(QStringLiteral("messages"), sorted(messages), sorted(expectedMessages));
    }
    return problems;
}

void writeRepeated(QIODevice &out, const QByteArray &piece, qint64 count)
{
    constexpr qint64 kChunk = 1 << 16;
    const qint64 perChunk = qMax<qint64>(1, kChunk / qMax<qint64>(1, piece.size()));
    const QByteArray chunk = piece.repeated(int(qMin(perChunk, count)));
    qint64 left = count;
    while (left >= perChunk) {
        out.write(chunk);
        left -= perChunk;
    }
    out.write(piece.repeated(int(left)));
}

} // namespace vrextest
