// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The stylesheet file format: bytes -> style records.
#ifndef VREX_STYLESHEET_STYLESHEET_PARSER_H
#define VREX_STYLESHEET_STYLESHEET_PARSER_H

#include "xml/document_reader.h"
#include "xml/format_observer.h"
#include "xml/parse_options.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QByteArrayView>
#include <QtCore/QVector>

namespace vrex {

struct StyleRecord
{
    QString name;
    QStringList settings; // "value" of each child element, in order
    QString suitablefor;
    QString description;
    int type = 0;         // 1..3 for a recognised type word, 0 otherwise
    xml::Position at;
    QVector<xml::Position> settingsAt; // when positions are kept
};

struct StylesheetDocument
{
    // Ok, NotWellFormed, or WrongRoot: a root other than "stylesheet" is
    // reported, and its styles are still read.
    xml::Result result;
    QVector<StyleRecord> styles; // document order; empty when NotWellFormed
};

StylesheetDocument parseStylesheet(const xml::Source &source, const ParseOptions &options = {});

// "state" 1, "style" 2, "setting" 3 (case-sensitive, UTF-8), anything else 0.
int styleTypeCode(const char *word);

// Merges into the registry: settings, suitablefor and description replaced,
// type replaced only by a recognised word.
void mergeStyles(QMap<QString, styleentry> &registry, const QVector<StyleRecord> &records);

} // namespace vrex

#endif
