#include "style_document.h"

namespace styleeditor {

namespace {

// What the file gives back of an entry: empty settings are not written and
// a type outside 1..3 comes back as none.
styleentry asReadBack(styleentry entry)
{
    entry.settings.removeAll(QString());
    if (entry.type < 1 || entry.type > 3)
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

StyleDocument::StyleDocument(QObject *parent) : QObject(parent) { }

void StyleDocument::takeRegistry()
{
    takeSaved(true);
}

void StyleDocument::reload()
{
    vrex_stylesheet::reLoad();
    takeSaved(true);
}

void StyleDocument::takeSaved(bool takeAsWorkingCopy)
{
    m_saved = vrex_stylesheet().stylelist();
    if (takeAsWorkingCopy) {
        m_styles = m_saved;
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
        if (!vrex_style_text_savable(it.key()))
            return UnsavableText{it.key(), QStringLiteral("name")};
        if (!vrex_style_text_savable(it->suitablefor))
            return UnsavableText{it.key(), QStringLiteral("suitable for")};
        if (!vrex_style_text_savable(it->description))
            return UnsavableText{it.key(), QStringLiteral("description")};
        for (qsizetype i = 0; i < it->settings.size(); ++i) {
            if (!vrex_style_text_savable(it->settings.at(i)))
                return UnsavableText{it.key(), QStringLiteral("setting %1").arg(i + 1)};
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

bool StyleDocument::save()
{
    vrex_stylesheet library;
    // Start from the file as it is, so that what the working copy lacks is
    // exactly what must be deleted from it.
    vrex_stylesheet::reLoad();
    for (auto it = m_styles.cbegin(); it != m_styles.cend(); ++it) {
        QString name = it.key();
        styleentry entry = it.value();
        library.set(name, entry);
    }
    bool written = false;
    const QStringList inFile = library.stylelist().keys();
    for (const QString &name : inFile) {
        if (m_styles.contains(name))
            continue;
        library.deleteStyle(name);
        written = written || !library.styleExist(name);
    }
    if (!written)
        library.save();

    vrex_stylesheet::reLoad();
    StyleMap expected;
    for (auto it = m_styles.cbegin(); it != m_styles.cend(); ++it)
        expected.insert(it.key(), asReadBack(it.value()));
    const bool complete = sameStyles(library.stylelist(), expected);
    takeSaved(complete && !sameStyles(m_styles, expected));
    return complete;
}

bool StyleDocument::removeFromFile(const QString &name, const QString &renamedTo)
{
    vrex_stylesheet library;
    vrex_stylesheet::reLoad();
    const bool inFile = library.styleExist(name);
    styleentry entry = m_styles.value(name);
    if (!renamedTo.isEmpty()) {
        QString newName = renamedTo;
        library.set(newName, entry);
    }
    // A style only the working copy has is added first, so that the
    // registry tells whether the user agreed.
    if (!inFile) {
        QString key = name;
        library.set(key, entry);
    }
    library.deleteStyle(name);
    const bool agreed = !library.styleExist(name);
    vrex_stylesheet::reLoad();
    // A failed save leaves the style in the file; the library has said so.
    const bool removed = agreed && !(inFile && library.styleExist(name));
    takeSaved(false);
    return removed;
}

void StyleDocument::applyStyle(const QString &name, QWidget *widget) const
{
    const auto it = m_styles.constFind(name);
    if (it == m_styles.cend())
        return;
    vrex_stylesheet library;
    QString key = name;
    styleentry entry = it.value();
    library.set(key, entry);
    vrex_stylesheet::getStyle(key, widget);
}

} // namespace styleeditor
