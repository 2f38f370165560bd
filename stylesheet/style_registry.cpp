#include "stylesheet/style_registry.h"

#include "stylesheet/stylesheet_parser.h"
#include "stylesheet/stylesheet_replace.h"
#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QWidget>

namespace vrex {

namespace {

QString describeWidget(const QWidget *widget)
{
    const QString className = QString::fromLatin1(widget->metaObject()->className());
    const QString objectName = widget->objectName();
    return objectName.isEmpty() ? className : objectName + QLatin1String(" (") + className + QLatin1Char(')');
}

} // namespace

void loadStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context)
{
    // Composed by concatenation: a "%2" inside the path must not be taken
    // for a placeholder.
    ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("Could not find the Stylesheet file:\n\t") + path;
    messages.notWellFormed = QStringLiteral("Error in Stylesheet file:\n\t") + path + QLatin1Char('\n');
    messages.withReason = true;
    messages.wrongRoot = QStringLiteral("The Stylesheet file:\n\t") + path
            + QStringLiteral("\n is not valid\n\nThe top level tag is not <stylesheet>");
    messages.wrongRootRejects = false; // the root's children are read all the same
    loadConfigFile(
            context, path, messages,
            [&context](const xml::Source &source) { return parseStylesheet(source, context.options); },
            [&registry](const StylesheetDocument &document) { mergeStyles(registry, document.styles); });
}

void applyStyle(const StyleRegistry &registry, const QString &name, QWidget *widget, DiagnosticSink *sink)
{
    if (!widget)
        return;
    const auto it = registry.constFind(name);
    if (it == registry.cend())
        return;

    auto *receiver = dynamic_cast<vrex_style_receiver *>(widget);
    if (!receiver) {
        if (sink) {
            sink->write(Channel::QtMessages,
                        QStringLiteral("vrex_stylesheet: widget %1 cannot take style %2").arg(describeWidget(widget), name));
        }
        return;
    }
    // The receiver gets the registry's own strings; it must not edit the
    // registry while they are handed out.
    const QStringList &settings = it->settings;
    for (const QString &setting : settings)
        receiver->applyStyleSetting(setting);
}

SaveOutcome saveStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return SaveOutcome::NoFile;

    // Text XML cannot carry would be written as a file the next load
    // rejects, losing every style: refuse before touching the file.
    const auto unwritable = findUnwritableStyle(registry);
    if (unwritable != registry.cend()) {
        if (context.sink) {
            context.sink->write(Channel::QtMessages,
                                QStringLiteral("vrex_stylesheet: style \"%1\" holds a character that "
                                               "XML cannot carry; the stylesheet was not saved")
                                        .arg(unwritable.key()));
        }
        return SaveOutcome::Failed;
    }

    const QByteArray document = writeStylesheet(registry);
    if (document.isEmpty() || !replaceFileContents(path, document))
        return SaveOutcome::Failed;

    // From the file just written, whatever the environment says now.
    registry.clear();
    loadStylesheet(registry, path, context);
    return SaveOutcome::Saved;
}

} // namespace vrex
