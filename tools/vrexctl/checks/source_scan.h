// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Where records are defined, found by reading a file once more. The load
// counts no positions (definition_index.h); a file is read again only when
// a finding is about one of its records, or when it defines a record twice,
// which the scan then reports with both places.
#ifndef VREXCTL_CHECKS_SOURCE_SCAN_H
#define VREXCTL_CHECKS_SOURCE_SCAN_H

#include "checks/definition_index.h"
#include "checks/finding.h"

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QList>

namespace vrex {
class FileSource;
}

namespace vrexctl {

class SourceScan
{
public:
    enum class Format { Instances, DeviceType, ComplexType, Stylesheet };
    struct Position
    {
        qint64 line = 0;
        qint64 column = 0;
    };

    // Reads path for the places of the subjects in wanted that it holds
    // and, with duplicates, adds a finding for every record defined again.
    void scan(const vrex::FileSource &files, const QString &path, Format format, const QList<Subject> &wanted,
              bool duplicates, FindingList &findings);

    // The place of subject in path: the definition the library keeps (the
    // last); path as a whole when it was not found.
    Place placeOf(const Subject &subject, const QString &path) const;

    // The key of a subject's record in its file: its name, or its parent's
    // and its own, with a NUL between.
    static QByteArray keyOf(const Subject &subject);

private:
    QHash<QString, QHash<QByteArray, Position>> m_places; // by path
};

} // namespace vrexctl

#endif
