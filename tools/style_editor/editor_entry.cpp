// The editor proper, entered by the launcher once the library is loaded.
#include "main_window.h"
#include "stylesheet_location.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

extern "C" __attribute__((visibility("default"))) int vrex_style_editor_run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vrex-style-editor"));
    QApplication::setApplicationVersion(QStringLiteral(VREX_STYLE_EDITOR_VERSION));

    const QString path = styleeditor::stylesheetPath();
    if (!QFileInfo(path).isFile()) {
        // The library only ever rewrites an existing stylesheet.
        QMessageBox::critical(nullptr, QStringLiteral("Style Editor"),
                              QStringLiteral("There is no stylesheet at %1.\n"
                                             "Choose an installation with --root and --system.")
                                      .arg(path));
        return 1;
    }
    styleeditor::MainWindow window(path);
    window.show();
    return app.exec();
}
