// Where the library reads and writes the stylesheet of the installation
// named by ZT_ROOT and ZT_SYSTEM. The library keeps that path to itself; the
// editor needs it for its title and to watch the file.
#ifndef STYLE_EDITOR_STYLESHEET_LOCATION_H
#define STYLE_EDITOR_STYLESHEET_LOCATION_H

#include <QtCore/QString>

#include <cstdlib>

namespace styleeditor {

inline QString stylesheetPath()
{
    const char *root = std::getenv("ZT_ROOT");
    const char *system = std::getenv("ZT_SYSTEM");
    return QString::fromLocal8Bit(root ? root : "") + QLatin1Char('/')
            + QString::fromLocal8Bit(system ? system : "")
            + QStringLiteral("/config/stylesheet/vrex_style.xml");
}

} // namespace styleeditor

#endif
