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
// as it was, a file with another root element is still read.
void loadStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context);

// Hands each setting of style name, in order, to widget when it is a
// vrex_style_receiver; a style that is not registered does nothing.
void applyStyle(const StyleRegistry &registry, const QString &name, QWidget *widget, DiagnosticSink *sink);

enum class SaveOutcome {
    Saved,     // written, and registry reloaded from what was written
    NoFile,    // no stylesheet at path: none is ever created
    Failed,    // nothing written; registry and file as they were
};

// Writes registry to the existing stylesheet at path, keeping its owner,
// group and mode, then reloads registry from that same file.
SaveOutcome saveStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context);

} // namespace vrex

#endif
