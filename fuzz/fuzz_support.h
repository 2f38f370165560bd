// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Shared by the fuzz targets: quiet diagnostics, the input as the loaders
// see it, and an independent outline of the document to check parsers
// against.
#ifndef VREX_FUZZ_SUPPORT_H
#define VREX_FUZZ_SUPPORT_H

#include "xml/document_reader.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QVector>
#include <QtCore/QPair>

#include <cstddef>
#include <cstdint>

namespace vrexfuzz {

// Routes Qt messages into nothing: libFuzzer's own output must stay
// readable. The targets load through the core, whose reports stay in the
// installation value.
void silenceDiagnostics();

// The input as an owned array, like the file contents the parsers read.
QByteArray bytesOf(const uint8_t *data, size_t size);

// Reports a broken invariant and aborts, which libFuzzer records as a crash
// with the input that caused it.
[[noreturn]] void fail(const char *what, const QString &detail = QString());

// Names are qualified names as written: with namespace processing off a
// prefix is part of the name.
struct OutlineElement
{
    QString name;
    QVector<QPair<QString, QString>> attributes; // name, value; in document order
    QVector<OutlineElement> children; // element children, up to the outline's depth

    QString attribute(QLatin1StringView attributeName) const;
};

// What a plain reading of the whole document finds: whether it is
// well-formed and, if so, its root element with element children down to
// `depth` levels below the root. A plain expat reading with the limits the
// library promises (no external entities or DTDs, amplification at most
// 100 times past 8 MiB, single-byte encodings Qt knows); it shares no code
// with the reader and the parsers under test.
struct XmlOutline
{
    bool wellFormed = false;
    OutlineElement root;
};

XmlOutline outlineOf(const QByteArray &data, int depth);

// The status a parser that wants root element rootName must give for a
// document with this outline.
vrex::xml::Status expectedStatus(const XmlOutline &outline, QStringView rootName);

} // namespace vrexfuzz

#define VREX_FUZZ_CHECK(condition, ...)                                                            \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::vrexfuzz::fail(#condition, ##__VA_ARGS__);                                           \
    } while (false)

#endif
