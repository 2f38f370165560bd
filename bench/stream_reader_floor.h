// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The floor for loading with the project's tokenizer: the same files as the
// expat floor, read once and run through QXmlStreamReader exactly as the
// loaders feed it (a QBuffer over the bytes, namespace processing off),
// counting elements and attributes. No strings are built and nothing is
// stored. The gap between this floor and expat's is the tokenizer's alone.
#ifndef VREX_BENCH_STREAM_READER_FLOOR_H
#define VREX_BENCH_STREAM_READER_FLOOR_H

#include "expat_floor.h"

namespace vrexbench {

// Adds one document's counts to tally.
void streamReaderCount(const QByteArray &data, XmlTally &tally);

// Lists, reads and counts everything siteFiles() names.
XmlTally streamReaderPassOverSite(const QString &configRoot);

} // namespace vrexbench

#endif
