// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The style registry of an installation: loading it from the stylesheet
// file, handing a style to a widget, and writing it back. The library's
// class works on its process-wide registry with these, an Installation and
// the editor on their own.
#ifndef VREX_STYLESHEET_STYLE_REGISTRY_H
#define VREX_STYLESHEET_STYLE_REGISTRY_H

#include "installation/config_file_load.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace vrex {

using StyleRegistry = QMap<QString, styleentry>;

// Merges the stylesheet at path into registry; a malformed file leaves it
// as it was (and the message says where an interrupted save kept what the
// file held), a file with another root element is still read. When the
// file is taken, loaded (if given) becomes what it holds: the styles a
// save tells this process's changes from other programs' by.
xml::Status loadStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context,
                           StyleRegistry *loaded = nullptr);

// Hands each setting of style name, in order, to widget when it is a
// vrex_style_receiver; a style that is not registered does nothing.
void applyStyle(const StyleRegistry &registry, const QString &name, QWidget *widget, DiagnosticSink *sink);

enum class SaveOutcome {
    Saved,     // written, and registry reloaded from what was written
    NoFile,    // no stylesheet at path: none is ever created
    Failed,    // nothing written; registry and file as they were
};

// Writes registry to the existing stylesheet at path, keeping its owner,
// group, mode, ACL and extended attributes, then reloads registry and
// loaded from that same file.
//
// Under the stylesheet lock it reads the file as it is now and refuses
// (Failed, nothing written) when that is not a well-formed stylesheet.
// Otherwise it writes the merge of the file now with what this process
// changed since loaded (mergeStyleChanges): what another program saved
// meanwhile is kept, except where both changed a style, which this
// process's version wins and a message names.
SaveOutcome saveStylesheet(StyleRegistry &registry, StyleRegistry &loaded, const QString &path,
                           const LoadContext &context);

} // namespace vrex

#endif
