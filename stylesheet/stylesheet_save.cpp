#include "frame/diagnostics.h"
#include "stylesheet/stylesheet_replace.h"
#include "stylesheet/stylesheet_writer.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QFileInfo>
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

void reportSaveFailed(const QString &path)
{
    const QString text = QStringLiteral("Saving to %1 failed").arg(path);
    if (canShowDialogs())
        QMessageBox::warning(nullptr, QStringLiteral("Save Failed"), text);
    else
        vrex::qtMessage(text);
}

} // namespace

bool vrex_style_text_savable(const QString &text)
{
    return vrex::isXmlText(text);
}

bool vrex_stylesheet::save()
{
    // Only an existing stylesheet is rewritten; none is ever created.
    if (m_sFilename.isEmpty() || !QFileInfo::exists(m_sFilename))
        return false;

    // Text XML cannot carry would be written as a file the next load
    // rejects, losing every style: refuse before touching the file.
    const auto unwritable = vrex::findUnwritableStyle(styles);
    if (unwritable != styles.cend()) {
        vrex::qtMessage(QStringLiteral("vrex_stylesheet: style \"%1\" holds a character that "
                                       "XML cannot carry; the stylesheet was not saved")
                                .arg(unwritable.key()));
        reportSaveFailed(m_sFilename);
        return false;
    }

    const QByteArray document = vrex::writeStylesheet(styles);
    if (document.isEmpty() || !vrex::replaceFileContents(m_sFilename, document)) {
        reportSaveFailed(m_sFilename);
        return false;
    }

    reLoad();
    return true;
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
            nullptr, QStringLiteral("Deleting Style"),
            QStringLiteral("Are you sure you want to delete the style: %1").arg(name),
            QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || name.isEmpty())
        return;

    styles.remove(name);
    save();
}
