// The styles being edited: a working copy of the style registry, what the
// stylesheet file held when it was last read or written, and the round trips
// through the library that make the working copy permanent.
#ifndef STYLE_EDITOR_STYLE_DOCUMENT_H
#define STYLE_EDITOR_STYLE_DOCUMENT_H

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QMap>
#include <QtCore/QObject>

#include <optional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace styleeditor {

using StyleMap = QMap<QString, styleentry>;

bool sameStyle(const styleentry &a, const styleentry &b);
bool sameStyles(const StyleMap &a, const StyleMap &b);

// A style field holding a character the stylesheet cannot store.
struct UnsavableText
{
    QString style;
    QString field; // "name", "suitable for", "description" or "setting N"
};

class StyleDocument : public QObject
{
    Q_OBJECT
public:
    explicit StyleDocument(QObject *parent = nullptr);

    // Takes the registry as the library holds it now (no file access).
    void takeRegistry();
    // Reads the file again through the library; unsaved edits are dropped.
    void reload();

    const StyleMap &styles() const { return m_styles; }
    bool isModified() const { return !sameStyles(m_styles, m_saved); }
    std::optional<UnsavableText> findUnsavable() const;

    // Sets one style of the working copy, or removes it with nullopt.
    void setStyle(const QString &name, const std::optional<styleentry> &entry);

    // Writes the working copy through the library. Styles the file holds
    // and the working copy does not are removed with the library's
    // deleteStyle, which asks the user for each. True when the file now
    // holds exactly the working copy.
    bool save();

    // Removes name from the file right away through deleteStyle (the
    // library asks and saves). With renamedTo, the style is written under
    // that name in the same save. The working copy is not changed: the
    // caller records the change as an undoable step. False when the user
    // declined or the library could not save.
    bool removeFromFile(const QString &name, const QString &renamedTo = QString());

    // Applies the working copy's style to widget the way a host does, with
    // vrex_stylesheet::getStyle.
    void applyStyle(const QString &name, QWidget *widget) const;

Q_SIGNALS:
    void styleChanged(const QString &name); // added, changed or removed
    void reset();                           // everything may have changed
    void modifiedChanged(bool modified);

private:
    void takeSaved(bool takeAsWorkingCopy);

    StyleMap m_styles;
    StyleMap m_saved;
    bool m_wasModified = false;
};

} // namespace styleeditor

#endif
