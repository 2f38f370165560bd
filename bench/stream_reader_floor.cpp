// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stream_reader_floor.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QXmlStreamReader>

namespace vrexbench {

void streamReaderCount(const QByteArray &data, XmlTally &tally)
{
    QBuffer source;
    source.setData(data);
    source.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&source);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            ++tally.elements;
            tally.attributes += reader.attributes().size();
        }
    }
    if (reader.hasError())
        tally.wellFormed = false;
    ++tally.files;
    tally.bytes += data.size();
}

XmlTally streamReaderPassOverSite(const QString &configRoot)
{
    return passOverSite(configRoot, &streamReaderCount);
}

} // namespace vrexbench
