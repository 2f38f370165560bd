// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What expat's few words about a file that is not well-formed leave out:
// that a bare '&' must be written "&amp;", that "--" may not stand in a
// comment, that a line is a merge-conflict marker, where the element that
// was never closed was opened. Worked out only for a file that failed, by
// reading it once more.
#ifndef VREXCTL_CHECKS_MALFORMED_HINT_H
#define VREXCTL_CHECKS_MALFORMED_HINT_H

#include "xml/document_reader.h"

#include <QtCore/QString>

namespace vrexctl {

struct MalformedHint
{
    QString text;                   // appended to expat's reason; empty when there is none
    vrex::xml::Position related;    // line 0: no related place
    QString relatedMessage;         // "<param> is opened here"
};

MalformedHint malformedHint(const vrex::xml::Source &source, const vrex::xml::Result &result);

} // namespace vrexctl

#endif
