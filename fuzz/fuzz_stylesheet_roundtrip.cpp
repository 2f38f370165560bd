// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Load, save, load again: the input becomes the stylesheet file of a
// throw-away installation, is loaded with reLoad(), written back with
// save() (which reloads) and the registry must come back as it was, apart
// from what the file format cannot tell apart: empty setting strings are
// not written, an absent text reads as an empty one, and a type outside
// 1..3 is written as no type. A save refuses text that XML cannot carry,
// and any input that is not a well-formed stylesheet (it would be written
// over); then neither the registry nor the file may have changed.
#include "fuzz_support.h"

#include "installation/installation.h"
#include "installation/installation_layout.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <cstdlib>
#include <cstring>

namespace {

QString g_stylesheetPath;

QTemporaryDir &scratchDir()
{
    static QTemporaryDir dir;
    return dir;
}

vrex::Installation &installation()
{
    static vrex::Installation value;
    return value;
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    VREX_FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), path);
    VREX_FUZZ_CHECK(file.write(contents) == contents.size(), path);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    VREX_FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    return file.readAll();
}

// XML 1.0 Char: tab, line feed, carriage return, U+0020..U+D7FF,
// U+E000..U+FFFD and U+10000..U+10FFFF (a well-formed surrogate pair).
bool carriesInXml(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
            || (c >= 0xE000 && c <= 0xFFFD))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

bool registryCarriesInXml(const QMap<QString, styleentry> &registry)
{
    for (auto it = registry.cbegin(); it != registry.cend(); ++it) {
        if (!carriesInXml(it.key()) || !carriesInXml(it->suitablefor)
            || !carriesInXml(it->description))
            return false;
        for (const QString &setting : it->settings) {
            if (!carriesInXml(setting))
                return false;
        }
    }
    return true;
}

bool sameStyle(const styleentry &a, const styleentry &b)
{
    return a.settings == b.settings && a.suitablefor == b.suitablefor
            && a.description == b.description && a.type == b.type;
}

// Compared entry by entry so that a mismatch names the style.
void checkSameRegistry(const QMap<QString, styleentry> &actual,
                       const QMap<QString, styleentry> &expected, const char *what)
{
    VREX_FUZZ_CHECK(actual.keys() == expected.keys(), QString::fromLatin1(what));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        VREX_FUZZ_CHECK(sameStyle(actual.value(it.key()), it.value()),
                        QString::fromLatin1(what) + QLatin1String(": ") + it.key());
}

// What a registry reads back as after being written.
QMap<QString, styleentry> asWritten(QMap<QString, styleentry> registry)
{
    for (styleentry &entry : registry) {
        entry.settings.removeAll(QString());
        if (entry.type < 1 || entry.type > 3)
            entry.type = styleentry().type;
    }
    return registry;
}

// An input that yields no style still exercises the writer: the raw bytes,
// taken as UTF-16 (any code unit, surrogates and controls included), give
// one entry with a name, two texts, '|'-separated settings (some of them
// empty) and a type code that may lie outside 1..3.
void addEntryFromBytes(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, (size / 2) * sizeof(char16_t));

    styleentry entry;
    entry.type = size > 0 ? int(static_cast<signed char>(data[0])) : 0;
    entry.suitablefor = text.mid(4, 4);
    entry.description = text.mid(8, 4);
    entry.settings = text.mid(12).split(QLatin1Char('|'));
    installation().styles()[text.left(4)] = entry;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    vrexfuzz::silenceDiagnostics();
    QTemporaryDir &dir = scratchDir();
    if (!dir.isValid())
        vrexfuzz::fail("temporary installation", dir.errorString());
    const QString stylesheetDir = dir.path() + QStringLiteral("/fuzz/config/stylesheet");
    if (!QDir().mkpath(stylesheetDir))
        vrexfuzz::fail("temporary installation", stylesheetDir);
    installation() = vrex::Installation(dir.path(), QStringLiteral("fuzz"));
    g_stylesheetPath = installation().path(vrex::layout::kStylesheetFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    writeFile(g_stylesheetPath, vrexfuzz::bytesOf(data, size));
    vrex::Installation &sheet = installation();
    sheet.clear();
    sheet.loadStyles();
    const bool readWhole = sheet.problems().isEmpty();
    if (sheet.styles().isEmpty())
        addEntryFromBytes(data, size);

    const QMap<QString, styleentry> before = sheet.styles();
    const QByteArray fileBefore = readFile(g_stylesheetPath);
    const bool saved = sheet.saveStyles() == vrex::SaveOutcome::Saved;
    const QMap<QString, styleentry> after = sheet.styles();

    VREX_FUZZ_CHECK(saved || !readWhole || !registryCarriesInXml(before)); // the only reasons to refuse
    if (!saved) {
        checkSameRegistry(after, before, "registry changed by a refused save");
        VREX_FUZZ_CHECK(readFile(g_stylesheetPath) == fileBefore);
        return 0;
    }
    VREX_FUZZ_CHECK(readWhole && registryCarriesInXml(before)); // over a file not read whole, or text XML cannot carry
    VREX_FUZZ_CHECK(readFile(g_stylesheetPath).startsWith("<!DOCTYPE stylesheet"));
    checkSameRegistry(after, asWritten(before), "registry after save and reload");
    return 0;
}
