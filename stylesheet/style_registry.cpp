// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/style_registry.h"

#include "stylesheet/save_steps.h"
#include "stylesheet/style_merge.h"
#include "stylesheet/stylesheet_lock.h"
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

void say(const LoadContext &context, const QString &text)
{
    if (context.sink)
        context.sink->write(Channel::QtMessages, text);
}

StyleRegistry stylesOf(const StylesheetDocument &document)
{
    StyleRegistry styles;
    mergeStyles(styles, document.styles);
    return styles;
}

// Composed by concatenation: a "%2" inside a path must not be taken for a
// placeholder.
QString interruptedSaveNote(const QString &path, const LoadContext &context)
{
    const QString copy = interruptedSaveCopy(QFileInfo(path).canonicalFilePath(), context.recoveryDir);
    if (copy.isEmpty())
        return QString();
    return QStringLiteral("vrex_stylesheet: ") + path
            + QStringLiteral(" may be the remains of an interrupted save; what it held before is kept in ") + copy;
}

QString describeFault(const xml::Result &result)
{
    QString text = result.reason;
    if (result.status == xml::Status::WrongRoot)
        text = QStringLiteral("the root element is <") + result.root + QStringLiteral(">, not <stylesheet>");
    else if (result.status == xml::Status::Unreadable && text.isEmpty())
        text = QStringLiteral("it cannot be read");
    if (result.at.line > 0)
        text += QStringLiteral(" (line %1, column %2)").arg(result.at.line).arg(result.at.column);
    return text;
}

} // namespace

xml::Status loadStylesheet(StyleRegistry &registry, const QString &path, const LoadContext &context,
                           StyleRegistry *loaded)
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
    const xml::Status status = loadConfigFile(
            context, path, messages,
            [&context](const xml::Source &source) { return parseStylesheet(source, context.options); },
            [&registry, loaded](const StylesheetDocument &document) {
                // Into an empty registry (a reload) the two are the same,
                // and share their data until either is written.
                const bool fresh = registry.isEmpty();
                mergeStyles(registry, document.styles);
                if (loaded)
                    *loaded = fresh ? registry : stylesOf(document);
            });
    if (status == xml::Status::NotWellFormed) {
        const QString note = interruptedSaveNote(path, context);
        if (!note.isEmpty())
            say(context, note);
    }
    return status;
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

SaveOutcome saveStylesheet(StyleRegistry &registry, StyleRegistry &loaded, const QString &path,
                           const LoadContext &context)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return SaveOutcome::NoFile;

    // Text XML cannot carry would be written as a file the next load
    // rejects, losing every style: refuse before touching the file.
    const auto unwritable = findUnwritableStyle(registry);
    if (unwritable != registry.cend()) {
        say(context, QStringLiteral("vrex_stylesheet: style \"%1\" holds a character that "
                                    "XML cannot carry; the stylesheet was not saved")
                             .arg(unwritable.key()));
        return SaveOutcome::Failed;
    }

    // The lock, the copy and the temporary file go beside the file a
    // symlink leads to, where every installation sharing it looks.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        return SaveOutcome::Failed;
    StylesheetLock lock(target);
    if (!lock.acquire()) {
        say(context, QStringLiteral("vrex_stylesheet: ") + path + QStringLiteral(" was not saved: ") + lock.error());
        return SaveOutcome::Failed;
    }
    internal::reachSaveStep(internal::SaveStep::Locked);

    // The file as it is now: what it holds must survive the write, so a
    // file that cannot be read whole is never written over.
    const StylesheetDocument now = parseStylesheet(xml::Source::file(target));
    if (now.result.status != xml::Status::Ok) {
        // Something other than a file in its place fails as an unwritable
        // file does.
        if (QFileInfo(target).isFile()) {
            say(context, QStringLiteral("vrex_stylesheet: ") + path
                                 + QStringLiteral(" was not saved: it is not a well-formed stylesheet: ")
                                 + describeFault(now.result));
            const QString note = interruptedSaveNote(path, context);
            if (!note.isEmpty())
                say(context, note);
        }
        return SaveOutcome::Failed;
    }
    const StyleMerge merge = mergeStyleChanges(loaded, registry, stylesOf(now));

    QString why;
    const QByteArray document = writeStylesheet(merge.styles);
    if (document.isEmpty() || !replaceFileContents(target, document, context.recoveryDir, &why)) {
        if (!why.isEmpty())
            say(context, QStringLiteral("vrex_stylesheet: ") + path + QStringLiteral(" was not saved: ") + why);
        return SaveOutcome::Failed;
    }
    for (const QString &name : merge.conflicts) {
        say(context, QStringLiteral("vrex_stylesheet: style \"") + name + QStringLiteral("\" was changed in ") + path
                             + QStringLiteral(" by another program since it was loaded, and here; this "
                                              "process's version was saved over it"));
    }

    // From the file just written, whatever the environment says now. The
    // lock keeps other saves out; should a program that takes no lock have
    // broken it since, the registry is what was written, never empty.
    StyleRegistry reloaded, reloadedAsLoaded;
    if (loadStylesheet(reloaded, path, context, &reloadedAsLoaded) != xml::Status::Ok)
        reloaded = reloadedAsLoaded = stylesOf(parseStylesheet(xml::Source(document)));
    registry = reloaded;
    loaded = reloadedAsLoaded;
    return SaveOutcome::Saved;
}

} // namespace vrex
