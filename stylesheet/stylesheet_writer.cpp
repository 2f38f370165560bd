// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_writer.h"

#include "stylesheet/stylesheet_format.h"

#include <QtCore/QXmlStreamWriter>

namespace vrex {

namespace fmt = stylesheet_format;

bool isXmlText(QStringView text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (c < 0x20) {
            if (c != u'\t' && c != u'\n' && c != u'\r')
                return false;
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 == size || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
            return false;
        }
    }
    return true;
}

QMap<QString, styleentry>::const_iterator findUnwritableStyle(const QMap<QString, styleentry> &registry)
{
    for (auto it = registry.cbegin(); it != registry.cend(); ++it) {
        const styleentry &entry = it.value();
        if (!isXmlText(it.key()) || !isXmlText(entry.suitablefor) || !isXmlText(entry.description))
            return it;
        for (const QString &setting : entry.settings) {
            if (!isXmlText(setting))
                return it;
        }
    }
    return registry.cend();
}

QString styleTypeWord(int type)
{
    for (const fmt::StyleType &known : fmt::kStyleTypes) {
        if (known.code == type)
            return QString::fromLatin1(known.word);
    }
    return QString();
}

QByteArray writeStylesheet(const QMap<QString, styleentry> &registry)
{
    QByteArray document;
    QXmlStreamWriter writer(&document);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);

    // Tabs, line feeds and carriage returns in attribute values come out as
    // character references, which survive the reader's attribute-value
    // normalisation.
    writer.writeDTD(QLatin1StringView(fmt::kDocumentType));
    writer.writeStartElement(QLatin1StringView(fmt::kRoot));
    for (auto it = registry.cbegin(); it != registry.cend(); ++it) {
        const styleentry &entry = it.value();
        writer.writeStartElement(QLatin1StringView(fmt::kStyle));
        writer.writeAttribute(QLatin1StringView(fmt::kSuitableFor), entry.suitablefor);
        writer.writeAttribute(QLatin1StringView(fmt::kDescription), entry.description);
        writer.writeAttribute(QLatin1StringView(fmt::kName), it.key());
        writer.writeAttribute(QLatin1StringView(fmt::kType), styleTypeWord(entry.type));
        for (const QString &setting : entry.settings) {
            if (setting.isEmpty())
                continue;
            writer.writeEmptyElement(QLatin1StringView(fmt::kSetting));
            writer.writeAttribute(QLatin1StringView(fmt::kValue), setting);
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    if (writer.hasError())
        return QByteArray();

    // Auto-formatting starts the output with a line break; the file starts
    // with the document type declaration.
    if (document.startsWith('\n'))
        document.remove(0, 1);
    return document;
}

} // namespace vrex
