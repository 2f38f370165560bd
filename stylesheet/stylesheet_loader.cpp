#include "frame/config_root.h"
#include "stylesheet/stylesheet_parser.h"
#include "xml/config_file_load.h"

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

    // Composed by concatenation: a "%2" inside the path must not be taken
    // for a placeholder.
    vrex::ConfigFileMessages messages;
    messages.cannotOpen = QStringLiteral("Could not find the Stylesheet file:\n\t") + m_sFilename;
    messages.notWellFormed = QStringLiteral("Error in Stylesheet file:\n\t") + m_sFilename + QLatin1Char('\n');
    messages.withReason = true;
    messages.wrongRoot = QStringLiteral("The Stylesheet file:\n\t") + m_sFilename
            + QStringLiteral("\n is not valid\n\nThe top level tag is not <stylesheet>");
    messages.wrongRootRejects = false; // the root's children are read all the same
    vrex::loadConfigFile(
            m_sFilename, messages,
            [](const vrex::xml::Source &source) { return vrex::parseStylesheet(source, vrex::kLoadOptions); },
            [](const vrex::StylesheetDocument &document) { vrex::mergeStyles(styles, document.styles); });
    // Callers learn of a load from the registry, never from the result.
    return false;
}

bool vrex_stylesheet::reLoad()
{
    styles.clear();
    return load();
}
