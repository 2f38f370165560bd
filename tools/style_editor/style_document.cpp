#include "style_document.h"

#include "installation/installation_layout.h"
#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QFileInfo>

namespace styleeditor {

namespace {

// What the file gives back of an entry: empty settings are not written and
// a type without a word comes back as none.
styleentry asReadBack(styleentry entry)
{
    entry.settings.removeAll(QString());
    if (vrex::styleTypeWord(entry.type).isEmpty())
        entry.type = styleentry().type;
    return entry;
}

} // namespace

bool sameStyle(const styleentry &a, const styleentry &b)
{
    return a.settings == b.settings && a.suitablefor == b.suitablefor
            && a.description == b.description && a.type == b.type;
}

bool sameStyles(const StyleMap &a, const StyleMap &b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(), other = b.cbegin(); it != a.cend(); ++it, ++other) {
        if (it.key() != other.key() || !sameStyle(it.value(), other.value()))
            return false;
    }
    return true;
}

StyleDocument::StyleDocument(const vrex::Installation &installation, QObject *parent)
    : QObject(parent), m_file(installation)
{
    readFile();
    m_styles = m_file.styles();
}

QString StyleDocument::stylesheetPath() const
{
    return m_file.path(vrex::layout::kStylesheetFile);
}

void StyleDocument::reload()
{
    readFile();
    takeSaved(true);
}

bool StyleDocument::readFile()
{
    m_file.styles().clear();
    m_file.clearMessages();
    m_file.loadStyles();
    return takeReadResult();
}

// A stylesheet with another root element is still read whole. Any other
// problem leaves styles of the file unread, and a write would lose them.
bool StyleDocument::takeReadResult()
{
    bool taken = true;
    for (const vrex::LoadProblem &problem : m_file.problems())
        taken = taken && problem.result.status == vrex::xml::Status::WrongRoot;
    QStringList said;
    for (const vrex::LoadMessage &message : m_file.messages())
        said << message.text;
    m_readProblem = taken ? QString() : said.join(QLatin1Char('\n'));
    m_file.clearMessages();
    return taken;
}

StyleDocument::WriteOutcome StyleDocument::writeFile()
{
    switch (m_file.saveStyles()) {
    case vrex::SaveOutcome::Saved:
        // Read back from what was written.
        takeReadResult();
        return WriteOutcome::Written;
    case vrex::SaveOutcome::NoFile:
        readFile();
        return WriteOutcome::NoFile;
    case vrex::SaveOutcome::Failed:
        break;
    }
    // The registry still holds what was to be written.
    readFile();
    return WriteOutcome::Failed;
}

void StyleDocument::takeSaved(bool takeAsWorkingCopy)
{
    if (takeAsWorkingCopy) {
        m_styles = m_file.styles();
        Q_EMIT reset();
    }
    if (m_wasModified != isModified()) {
        m_wasModified = isModified();
        Q_EMIT modifiedChanged(m_wasModified);
    }
}

std::optional<UnsavableText> StyleDocument::findUnsavable() const
{
    for (auto it = m_styles.cbegin(); it != m_styles.cend(); ++it) {
        if (!vrex::isXmlText(it.key()))
            return UnsavableText{it.key(), UnsavableText::Name};
        if (!vrex::isXmlText(it->suitablefor))
            return UnsavableText{it.key(), UnsavableText::SuitableFor};
        if (!vrex::isXmlText(it->description))
            return UnsavableText{it.key(), UnsavableText::Description};
        for (qsizetype i = 0; i < it->settings.size(); ++i) {
            if (!vrex::isXmlText(it->settings.at(i)))
                return UnsavableText{it.key(), UnsavableText::Setting, int(i)};
        }
    }
    return std::nullopt;
}

void StyleDocument::setStyle(const QString &name, const std::optional<styleentry> &entry)
{
    if (entry)
        m_styles.insert(name, *entry);
    else
        m_styles.remove(name);
    Q_EMIT styleChanged(name);
    if (m_wasModified != isModified()) {
        m_wasModified = isModified();
        Q_EMIT modifiedChanged(m_wasModified);
    }
}

StyleDocument::WriteOutcome StyleDocument::save(const ConfirmDelete &confirmDelete)
{
    // Over the file as it is now, so that what the working copy lacks is
    // exactly what is to be deleted from it.
    const bool read = readFile();
    takeSaved(false);
    if (!read)
        return QFileInfo::exists(stylesheetPath()) ? WriteOutcome::Unreadable : WriteOutcome::NoFile;

    StyleMap written = m_styles;
    for (auto it = m_file.styles().cbegin(); it != m_file.styles().cend(); ++it) {
        if (!m_styles.contains(it.key()) && !confirmDelete(it.key()))
            written.insert(it.key(), it.value());
    }
    m_file.styles() = written;
    const WriteOutcome outcome = writeFile();

    StyleMap expected;
    for (auto it = m_styles.cbegin(); it != m_styles.cend(); ++it)
        expected.insert(it.key(), asReadBack(it.value()));
    const bool complete = outcome == WriteOutcome::Written && sameStyles(m_file.styles(), expected);
    takeSaved(complete && !sameStyles(m_styles, expected));
    return outcome;
}

StyleDocument::WriteOutcome StyleDocument::removeFromFile(const QString &name, const QString &renamedTo,
                                                          const ConfirmDelete &confirmDelete)
{
    const bool read = readFile();
    takeSaved(false);
    if (!read)
        return QFileInfo::exists(stylesheetPath()) ? WriteOutcome::Unreadable : WriteOutcome::NoFile;
    if (!confirmDelete(name))
        return WriteOutcome::Declined;

    StyleMap &file = m_file.styles();
    const bool inFile = file.remove(name) > 0;
    if (!renamedTo.isEmpty())
        file.insert(renamedTo, m_styles.value(name));
    // A style only the working copy has leaves the file as it is.
    const WriteOutcome outcome = inFile || !renamedTo.isEmpty() ? writeFile() : WriteOutcome::Written;
    takeSaved(false);
    return outcome;
}

void StyleDocument::applyStyle(const QString &name, QWidget *widget) const
{
    // Every sample takes styles, so there is nothing to report.
    vrex::applyStyle(m_styles, name, widget, nullptr);
}

} // namespace styleeditor
