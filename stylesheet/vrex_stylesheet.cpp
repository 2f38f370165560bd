// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The exported class: the core's style loader, queries and writer over the
// process-wide registry, and the two dialogs a host's user sees.
#include "frame/diagnostics.h"
#include "frame/host_context.h"
#include "installation/installation_layout.h"
#include "stylesheet/style_registry.h"
#include "stylesheet/stylesheet_writer.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QThread>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace {

// A message box needs a QApplication and its thread; tools and services
// built on QCoreApplication, and worker threads, have neither.
bool canShowDialogs()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return qobject_cast<const QApplication *>(app) && QThread::currentThread() == app->thread();
}

// The styles as the stylesheet held them when last loaded or saved, which
// save() tells this process's edits by. Not a member: the exported class's
// layout and symbols stay as they are.
QMap<QString, styleentry> &loadedStyles()
{
    static QMap<QString, styleentry> styles;
    return styles;
}

void reportSaveFailed(const QString &path)
{
    const QString text = QStringLiteral("Saving to %1 failed").arg(path);
    if (canShowDialogs())
        QMessageBox::warning(nullptr, QStringLiteral("Save Failed"), text);
    else
        vrex::qtMessage(text);
}

} // namespace

// vrex_stylesheet carries no state: every member works on the statics.
vrex_stylesheet::vrex_stylesheet() = default;
vrex_stylesheet::~vrex_stylesheet() = default;
vrex_stylesheet &vrex_stylesheet::operator=(const vrex_stylesheet &) = default;

bool vrex_style_text_savable(const QString &text)
{
    return vrex::isXmlText(text);
}

int vrex_stylesheet::count()
{
    return int(styles.size());
}

bool vrex_stylesheet::load()
{
    const vrex::LoadContext context = vrex::hostLoadContext();
    // Set before opening: the messages and save() use the path tried.
    m_sFilename = vrex::layout::path(context.configRoot, vrex::layout::kStylesheetFile);
    vrex::loadStylesheet(styles, m_sFilename, context, &loadedStyles());
    // Callers learn of a load from the registry, never from the result.
    return false;
}

bool vrex_stylesheet::reLoad()
{
    styles.clear();
    loadedStyles().clear();
    return load();
}

void vrex_stylesheet::getStyle(QString &name, QWidget *widget)
{
    vrex::applyStyle(styles, name, widget, vrex::hostSink());
}

void vrex_stylesheet::get(QString &name, QWidget *widget)
{
    getStyle(name, widget);
}

styleentry *vrex_stylesheet::getStyleEntry(QString name)
{
    return &styles[name];
}

void vrex_stylesheet::set(QString &name, styleentry &entry)
{
    styles[name] = entry;
}

const QMap<QString, styleentry> vrex_stylesheet::stylelist()
{
    // A copy with nodes of its own rather than a shared one: while the
    // registry's nodes were shared, the next insertion would detach the
    // registry and leave the pointers of getStyleEntry() in the caller's
    // copy, so edits made through them would never reach the registry.
    return QMap<QString, styleentry>(styles.toStdMap());
}

const QStringList vrex_stylesheet::settingslist(QString &name)
{
    const auto it = styles.constFind(name);
    return it == styles.cend() ? QStringList() : it->settings;
}

bool vrex_stylesheet::styleExist(QString name)
{
    return styles.contains(name);
}

bool vrex_stylesheet::save()
{
    // The file this registry was loaded from, also when the environment
    // has changed since: the styles go back where they came from and are
    // reloaded from there.
    vrex::LoadContext context = vrex::hostLoadContext();
    switch (vrex::saveStylesheet(styles, loadedStyles(), m_sFilename, context)) {
    case vrex::SaveOutcome::Saved:
        return true;
    case vrex::SaveOutcome::NoFile:
        return false;
    case vrex::SaveOutcome::Failed:
        reportSaveFailed(m_sFilename);
        return false;
    }
    return false;
}

void vrex_stylesheet::deleteStyle(QString name)
{
    // Deleting without the user's consent is not an option, so without a
    // box nothing is deleted.
    if (!canShowDialogs()) {
        vrex::qtMessage(QStringLiteral("vrex_stylesheet: cannot ask whether to delete the style "
                                       "%1 without a GUI; nothing deleted")
                                .arg(name));
        return;
    }

    const QMessageBox::StandardButton answer = QMessageBox::question(
            nullptr, QStringLiteral("Deleting Style"), QStringLiteral("Are you sure you want to delete the style: %1").arg(name),
            QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || name.isEmpty())
        return;

    styles.remove(name);
    save();
}
