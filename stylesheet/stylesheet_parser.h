// The stylesheet file format: bytes -> style records.
#ifndef VREX_STYLESHEET_STYLESHEET_PARSER_H
#define VREX_STYLESHEET_STYLESHEET_PARSER_H

#include "frame/xml_stream.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QByteArray>
#include <QtCore/QVector>

namespace vrex {

struct StyleRecord
{
    QString name;
    QStringList settings; // "value" of each child element, in order
    QString suitablefor;
    QString description;
    int type = 0;         // 1..3 for a recognised type word, 0 otherwise
    qint64 line = 0;      // of the start tag (its last, its first when observed)
    qint64 column = 0;    // of its '<', only when observed
};

struct StylesheetDocument
{
    // Ok or NotWellFormed. A root other than "stylesheet" is reported
    // through wrongRoot, and the styles are still read.
    ParseStatus status = ParseStatus::Ok;
    ParseError error;
    bool wrongRoot = false;
    QString root; // the root's tag
    QVector<StyleRecord> styles; // document order
};

class ParseObserver;

// An observer hears of what the records cannot show (see parse_findings.h).
StylesheetDocument parseStylesheet(const QByteArray &data, ParseObserver *observer = nullptr);

// "state" 1, "style" 2, "setting" 3 (case-sensitive), anything else 0.
int styleTypeCode(QStringView word);

// Merges into the registry: settings, suitablefor and description replaced,
// type replaced only by a recognised word.
void mergeStyles(QMap<QString, styleentry> &registry, const QVector<StyleRecord> &records);

} // namespace vrex

#endif
