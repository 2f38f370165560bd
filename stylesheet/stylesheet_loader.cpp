#include "frame/config_files.h"
#include "frame/config_root.h"
#include "frame/diagnostics.h"
#include "stylesheet/stylesheet_parser.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

int vrex_stylesheet::count()
{
    return int(styles.size());
}

bool vrex_stylesheet::load()
{
    // Set before opening: the messages and save() use the path tried.
    m_sFilename = vrex::configRoot() + QLatin1String("/config/stylesheet/")
            + QLatin1String("vrex_style.xml");

    QByteArray data;
    if (!vrex::readWholeFile(m_sFilename, &data)) {
        vrex::qtMessage(QStringLiteral("Could not find the Stylesheet file:\n\t%1").arg(m_sFilename));
        return false;
    }

    // The whole document is parsed before the registry is touched, so a
    // file broken anywhere leaves the registry as it was.
    const vrex::StylesheetDocument document = vrex::parseStylesheet(data);
    if (document.status == vrex::ParseStatus::NotWellFormed) {
        // Both placeholders in one arg() call: a "%2" inside the path must
        // not be taken for the parser's message.
        vrex::qtMessage(QStringLiteral("Error in Stylesheet file:\n\t%1\n%2")
                                .arg(m_sFilename, document.error.errorString));
        return false;
    }
    if (document.wrongRoot) {
        vrex::qtMessage(QStringLiteral("The Stylesheet file:\n\t%1\n is not valid\n\n"
                                       "The top level tag is not <stylesheet>")
                                .arg(m_sFilename));
    }

    vrex::mergeStyles(styles, document.styles);
    // Callers learn of a load from the registry, never from the result.
    return false;
}

bool vrex_stylesheet::reLoad()
{
    styles.clear();
    return load();
}
