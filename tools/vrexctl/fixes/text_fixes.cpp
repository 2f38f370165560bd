// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "fixes/text_fixes.h"

#include "checks/file_lint.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMap>
#include <QtCore/QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace vrexctl {

namespace {

using Edit = TextEdit;

struct TagAttribute
{
    qint64 name = 0;
    qint64 nameLength = 0;
    qint64 value = 0;
    qint64 valueLength = 0;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The attributes of the start tag <element ...> at offset, as written; none
// when the bytes there are not that tag in UTF-8 (another encoding, or a
// file that changed).
std::optional<QList<TagAttribute>> scanStartTag(const QByteArray &bytes, qint64 offset, const QByteArray &element)
{
    const qint64 size = bytes.size();
    qint64 at = offset + 1 + element.size();
    if (offset < 0 || at >= size || bytes.at(offset) != '<' || bytes.mid(offset + 1, element.size()) != element)
        return std::nullopt;
    QList<TagAttribute> attributes;
    for (;;) {
        if (at >= size || !(isBlank(bytes.at(at)) || bytes.at(at) == '/' || bytes.at(at) == '>'))
            return std::nullopt;
        while (at < size && isBlank(bytes.at(at)))
            ++at;
        if (at >= size)
            return std::nullopt;
        if (bytes.at(at) == '/' || bytes.at(at) == '>')
            return attributes;
        TagAttribute attribute;
        attribute.name = at;
        while (at < size && !isBlank(bytes.at(at)) && bytes.at(at) != '=')
            ++at;
        attribute.nameLength = at - attribute.name;
        while (at < size && isBlank(bytes.at(at)))
            ++at;
        if (at >= size || bytes.at(at) != '=')
            return std::nullopt;
        ++at;
        while (at < size && isBlank(bytes.at(at)))
            ++at;
        if (at >= size || (bytes.at(at) != '"' && bytes.at(at) != '\''))
            return std::nullopt;
        const char quote = bytes.at(at++);
        attribute.value = at;
        while (at < size && bytes.at(at) != quote)
            ++at;
        if (at >= size)
            return std::nullopt;
        attribute.valueLength = at++ - attribute.value;
        attributes.append(attribute);
    }
}

QByteArray nameOf(const QByteArray &bytes, const TagAttribute &attribute)
{
    return bytes.mid(attribute.name, attribute.nameLength);
}

const TagAttribute *findAttribute(const QByteArray &bytes, const QList<TagAttribute> &attributes,
                                  const QByteArray &name)
{
    for (const TagAttribute &attribute : attributes) {
        if (nameOf(bytes, attribute) == name)
            return &attribute;
    }
    return nullptr;
}

// The keys of a ref value as the library splits it (pieces between commas,
// the key before the first '='): offset and length of each within value.
QList<std::pair<qint64, qint64>> refKeys(QByteArrayView value)
{
    QList<std::pair<qint64, qint64>> keys;
    qint64 at = 0;
    while (at < value.size()) {
        while (at < value.size() && value[at] == ',')
            ++at;
        qint64 end = at;
        while (end < value.size() && value[end] != ',')
            ++end;
        qint64 key = at;
        while (key < end && value[key] == '=')
            ++key;
        qint64 keyEnd = key;
        while (keyEnd < end && value[keyEnd] != '=')
            ++keyEnd;
        if (end > at)
            keys.append({key, keyEnd - key});
        at = end;
    }
    return keys;
}

// Where the candidate's change goes in bytes, if it is certain there.
std::optional<Edit> locate(const QByteArray &bytes, const FixCandidate &fix)
{
    const auto attributes = scanStartTag(bytes, fix.tagOffset, fix.element);
    if (!attributes)
        return std::nullopt;
    if (fix.kind == FixCandidate::RenameAttribute) {
        const TagAttribute *from = findAttribute(bytes, *attributes, fix.from);
        if (!from || findAttribute(bytes, *attributes, fix.to))
            return std::nullopt;
        return Edit{from->name, from->nameLength, fix.to};
    }
    const TagAttribute *attribute = findAttribute(bytes, *attributes, fix.attribute);
    if (!attribute)
        return std::nullopt;
    const QByteArray value = bytes.mid(attribute->value, attribute->valueLength);
    // Written as the parser read it: no reference, no blank that the
    // reader normalises.
    for (const char c : {'&', '\t', '\r', '\n'}) {
        if (value.contains(c))
            return std::nullopt;
    }
    if (fix.kind == FixCandidate::ReplaceValue) {
        if (value != fix.from)
            return std::nullopt;
        return Edit{attribute->value, attribute->valueLength, fix.to};
    }
    std::optional<Edit> edit;
    for (const auto &[offset, length] : refKeys(value)) {
        const QByteArrayView key = QByteArrayView(value).sliced(offset, length);
        if (key == fix.to)
            return std::nullopt; // the ref has that key already
        if (key == fix.from) {
            if (edit)
                return std::nullopt; // two pieces with that key: which one is meant?
            edit = Edit{attribute->value + offset, length, fix.to};
        }
    }
    return edit;
}

QByteArray applyEdits(const QByteArray &before, const QList<Edit> &edits)
{
    QByteArray after;
    qint64 at = 0;
    for (const Edit &edit : edits) {
        after += before.mid(at, edit.offset - at) + edit.replacement;
        at = edit.offset + edit.length;
    }
    return after + before.mid(at);
}

// Lines with their line feeds.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', at);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        lines.append(bytes.mid(at, next - at));
        at = next;
    }
    return lines;
}

void appendLine(QByteArray &out, char mark, const QByteArray &line)
{
    out += mark + line;
    if (!line.endsWith('\n'))
        out += "\n\\ No newline at end of file\n";
}

// The changed lines as blocks (old first line, old count, new lines),
// edits that share or touch lines in one block.
struct Block
{
    qsizetype first = 0;
    qsizetype count = 0;
    QList<QByteArray> lines;
};

QByteArray fileDiff(const FileFix &fix, const QList<Edit> &edits)
{
    const QList<QByteArray> old = splitLines(fix.before);
    QList<qint64> starts; // of each old line
    qint64 offset = 0;
    for (const QByteArray &line : old)
        starts.append(offset), offset += line.size();
    const auto lineOf = [&](qint64 at) {
        return qsizetype(std::upper_bound(starts.cbegin(), starts.cend(), at) - starts.cbegin()) - 1;
    };
    QList<Block> blocks;
    QList<Edit> pending;
    qsizetype first = 0, last = -1;
    const auto flush = [&] {
        if (pending.isEmpty())
            return;
        const qint64 begin = starts.at(first);
        const qint64 end = last + 1 < starts.size() ? starts.at(last + 1) : fix.before.size();
        QList<Edit> local = pending;
        for (Edit &edit : local)
            edit.offset -= begin;
        blocks.append({first, last - first + 1, splitLines(applyEdits(fix.before.mid(begin, end - begin), local))});
        pending.clear();
    };
    for (const Edit &edit : edits) {
        const qsizetype from = lineOf(edit.offset);
        const qsizetype to = lineOf(qMax(edit.offset, edit.offset + edit.length - 1));
        if (!pending.isEmpty() && from > last)
            flush();
        if (pending.isEmpty())
            first = from;
        last = qMax(last, to);
        pending.append(edit);
    }
    flush();

    constexpr qsizetype kContext = 3;
    QByteArray out = "diff --git a/" + fix.relative.toUtf8() + " b/" + fix.relative.toUtf8() + "\n--- a/"
            + fix.relative.toUtf8() + "\n+++ b/" + fix.relative.toUtf8() + "\n";
    qsizetype shift = 0; // new line number minus old, before the hunk
    for (qsizetype b = 0; b < blocks.size();) {
        // Blocks whose context would overlap share a hunk.
        qsizetype e = b;
        while (e + 1 < blocks.size()
               && blocks.at(e + 1).first - (blocks.at(e).first + blocks.at(e).count) <= 2 * kContext)
            ++e;
        const qsizetype begin = qMax<qsizetype>(0, blocks.at(b).first - kContext);
        const qsizetype end = qMin(old.size(), blocks.at(e).first + blocks.at(e).count + kContext);
        QByteArray body;
        qsizetype oldCount = 0, newCount = 0, line = begin;
        for (qsizetype i = b; i <= e; ++i) {
            const Block &block = blocks.at(i);
            for (; line < block.first; ++line, ++oldCount, ++newCount)
                appendLine(body, ' ', old.at(line));
            for (qsizetype k = 0; k < block.count; ++k, ++line, ++oldCount)
                appendLine(body, '-', old.at(line));
            for (const QByteArray &added : block.lines)
                appendLine(body, '+', added), ++newCount;
        }
        for (; line < end; ++line, ++oldCount, ++newCount)
            appendLine(body, ' ', old.at(line));
        out += "@@ -" + QByteArray::number(begin + 1) + ',' + QByteArray::number(oldCount) + " +"
                + QByteArray::number(begin + 1 + shift) + ',' + QByteArray::number(newCount) + " @@\n" + body;
        shift += newCount - oldCount;
        b = e + 1;
    }
    return out;
}

QList<Edit> editsOf(QList<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.offset < b.offset; });
    // Two fixes of one range are one fix when they agree, none when not.
    QList<Edit> kept;
    for (const Edit &edit : edits) {
        if (!kept.isEmpty() && kept.constLast().offset + kept.constLast().length > edit.offset) {
            const Edit &previous = kept.constLast();
            if (previous.offset == edit.offset && previous.length == edit.length
                && previous.replacement == edit.replacement)
                continue;
            kept.removeLast();
            continue;
        }
        kept.append(edit);
    }
    return kept;
}

} // namespace

QList<FileFix> planFixes(const CheckRun &run)
{
    QMap<QString, QList<Edit>> edits; // by file, in path order
    QHash<QString, QByteArray> bytes;
    QHash<QString, QString> relative;
    for (const ReportEntry &entry : run.entries) {
        const Finding &finding = entry.finding;
        if (entry.state == ReportEntry::SuppressedByComment || finding.suggestions.size() != 1
            || run.facts.unparsed.contains(finding.place.file))
            continue;
        const auto candidates = run.facts.fixes.constFind(keyOf(finding.place));
        if (candidates == run.facts.fixes.constEnd())
            continue;
        const FixCandidate *only = nullptr;
        int matching = 0;
        for (const FixCandidate &candidate : *candidates) {
            if (candidate.code == finding.code && candidate.suggestion == finding.suggestions.constFirst())
                only = &candidate, ++matching;
        }
        if (matching != 1)
            continue;
        const QString &path = finding.place.file;
        if (!bytes.contains(path)) {
            QFile file(path);
            bytes.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
            relative.insert(path, entry.file);
        }
        if (const auto edit = locate(bytes.value(path), *only))
            edits[path].append(*edit);
    }
    QList<FileFix> fixes;
    for (auto it = edits.cbegin(); it != edits.cend(); ++it) {
        FileFix fix{it.key(), relative.value(it.key()), bytes.value(it.key()), {}, editsOf(it.value())};
        if (fix.edits.isEmpty())
            continue;
        fix.after = applyEdits(fix.before, fix.edits);
        fixes.append(fix);
    }
    return fixes;
}

QByteArray unifiedDiff(const QList<FileFix> &fixes)
{
    QByteArray out;
    for (const FileFix &fix : fixes)
        out += fileDiff(fix, fix.edits);
    return out;
}

bool writeFixedFile(const FileFix &fix, QString &error)
{
    const QString target = QFileInfo(fix.path).canonicalFilePath();
    struct stat st {};
    if (target.isEmpty() || ::stat(QFile::encodeName(target).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = unreadableReason(fix.path);
        return false;
    }
    if (st.st_nlink > 1) {
        error = QStringLiteral("it has %1 hard links, which a new file in its place would part").arg(st.st_nlink);
        return false;
    }
    QFile current(target);
    if (!current.open(QIODevice::ReadOnly) || current.readAll() != fix.before) {
        error = QStringLiteral("it changed while the check ran");
        return false;
    }
    // Unbuffered: a short write must fail write(), not pass unseen into
    // commit(), which would rename a truncated file into place.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("cannot create a file beside it: ") + file.errorString();
        return false;
    }
    if (::fchown(file.handle(), st.st_uid, st.st_gid) != 0 || ::fchmod(file.handle(), st.st_mode & 07777) != 0) {
        error = QStringLiteral("a new file cannot get its owner, group and mode (%1); run as its owner")
                        .arg(QString::fromLocal8Bit(std::strerror(errno)));
        file.cancelWriting();
        return false;
    }
    if (file.write(fix.after) != fix.after.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace vrexctl
