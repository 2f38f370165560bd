// Loading one configuration file: a regular file only, parsed whole by its
// format, reported with the format's own messages, merged only when the
// document is accepted. Every loader goes through here.
#ifndef VREX_XML_CONFIG_FILE_LOAD_H
#define VREX_XML_CONFIG_FILE_LOAD_H

#include "xml/document_reader.h"

#include <QtCore/QString>

#include <utility>

namespace vrex {

// A loader's messages. Each is written as it stands, never as a format.
struct ConfigFileMessages
{
    enum Channel { DebugOutput, QtMessages };
    Channel channel = QtMessages;
    QString cannotOpen;
    QString notWellFormed;
    bool withReason = false; // the reader's reason follows notWellFormed
    QString wrongRoot;
    bool wrongRootRejects = true; // otherwise reported, and the file still merged
};

// Writes the message the result calls for; true when the document is to be
// merged.
bool reportConfigFile(const xml::Result &result, const ConfigFileMessages &messages);

// parse(xml::Source) gives a document with a `result`; merge takes it.
// Returns the reader's status.
template<typename Parse, typename Merge>
xml::Status loadConfigFile(const QString &path, const ConfigFileMessages &messages, Parse parse,
                           Merge merge)
{
    auto document = parse(xml::Source::file(path));
    const xml::Status status = document.result.status;
    if (reportConfigFile(document.result, messages))
        merge(std::move(document));
    return status;
}

} // namespace vrex

#endif
