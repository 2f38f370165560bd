// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Loading one configuration file: parsed whole by its format, reported with
// the format's own messages, merged only when the document is accepted.
// Every loader goes through here.
#ifndef VREX_INSTALLATION_CONFIG_FILE_LOAD_H
#define VREX_INSTALLATION_CONFIG_FILE_LOAD_H

#include "installation/diagnostic_sink.h"
#include "installation/file_source.h"
#include "xml/document_reader.h"
#include "xml/format_observer.h"
#include "xml/parse_options.h"

#include <QtCore/QString>

#include <exception>
#include <utility>

namespace vrex {

// What one load reads from and reports to.
struct LoadContext
{
    QString configRoot; // root + '/' + system
    const FileSource *files = nullptr;
    DiagnosticSink *sink = nullptr; // null: nothing is reported
    ParseOptions options = kLoadOptions;
    // Where in-place saves keep the old bytes until the new ones are whole
    // (stylesheet_replace.h); empty: such a save is refused.
    QString recoveryDir;
};

// A loader's messages. Each is written as it stands, never as a format.
struct ConfigFileMessages
{
    Channel channel = Channel::QtMessages;
    QString cannotOpen;
    QString notWellFormed;
    bool withReason = false; // the reader's reason follows notWellFormed
    QString wrongRoot;
    bool wrongRootRejects = true; // otherwise reported, and the file still merged
};

// Writes the message the result calls for; true when the document is to be
// merged.
bool reportConfigFile(const QString &path, const xml::Result &result, const ConfigFileMessages &messages,
                      DiagnosticSink *sink);

// parse(xml::Source) gives a document with a `result`; merge takes it.
// Returns the reader's status. Nothing a file holds can make this throw:
// running out of memory on it is reported as the file being unreadable.
template<typename Parse, typename Merge>
xml::Status loadConfigFile(const LoadContext &context, const QString &path, const ConfigFileMessages &messages,
                           Parse parse, Merge merge)
{
    // Each file the observer is told of ends once, whatever throws where.
    FormatObserver *observer = context.options.observer;
    if (observer)
        observer->beginFile(path);
    const auto endFile = [&observer, &path](const xml::Result &result) {
        if (observer)
            std::exchange(observer, nullptr)->endFile(path, result);
    };
    xml::Result failure;
    try {
        auto document = parse(context.files->open(path));
        const xml::Status status = document.result.status;
        endFile(document.result);
        if (reportConfigFile(path, document.result, messages, context.sink))
            merge(std::move(document));
        return status;
    } catch (const std::exception &) {
        failure.status = xml::Status::Unreadable;
        failure.reason = QStringLiteral("out of memory while reading it");
    }
    endFile(failure);
    reportConfigFile(path, failure, messages, context.sink);
    return failure.status;
}

} // namespace vrex

#endif
