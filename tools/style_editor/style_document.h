// The styles being edited: a working copy of an installation's style
// registry, what its stylesheet file held when it was last read or written,
// and the writes that make the working copy permanent.
#ifndef STYLE_EDITOR_STYLE_DOCUMENT_H
#define STYLE_EDITOR_STYLE_DOCUMENT_H

#include "installation/installation.h"

#include <QtCore/QMap>
#include <QtCore/QObject>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace styleeditor {

using StyleMap = vrex::StyleRegistry;

bool sameStyle(const styleentry &a, const styleentry &b);
bool sameStyles(const StyleMap &a, const StyleMap &b);

// A style field holding a character the stylesheet cannot store.
struct UnsavableText
{
    enum Field { Name, SuitableFor, Description, Setting };
    QString style;
    Field field = Name;
    int setting = -1; // index of the setting, for Setting
};

class StyleDocument : public QObject
{
    Q_OBJECT
public:
    enum class WriteOutcome {
        Written,    // the file holds what was asked of it
        Declined,   // the user kept the style; nothing written
        Unreadable, // the file could not be read whole; nothing written, so nothing in it is lost
        NoFile,     // there is no stylesheet: none is ever created
        Failed,     // nothing written; the file is as it was
    };
    // Asked before a style is deleted from the file; true lets it go.
    using ConfirmDelete = std::function<bool(const QString &name)>;

    // Reads the stylesheet of installation; its other files are not read.
    explicit StyleDocument(const vrex::Installation &installation, QObject *parent = nullptr);

    QString stylesheetPath() const;
    // What the last read said of a stylesheet it could not take; empty when
    // it took the file.
    const QString &readProblem() const { return m_readProblem; }

    // Reads the file again; unsaved edits are dropped.
    void reload();

    const StyleMap &styles() const { return m_styles; }
    bool isModified() const { return !sameStyles(m_styles, m_file.styles()); }
    std::optional<UnsavableText> findUnsavable() const;

    // Sets one style of the working copy, or removes it with nullopt.
    void setStyle(const QString &name, const std::optional<styleentry> &entry);

    // Writes the working copy over the file as it is now. Styles the file
    // holds and the working copy does not are deleted from it where
    // confirmDelete agrees; the others stay, and the document stays
    // modified. A working copy the file gives back tidied up (empty
    // settings, unknown types) is replaced by what it gives back.
    WriteOutcome save(const ConfirmDelete &confirmDelete);

    // Deletes name from the file right away, once confirmDelete agrees;
    // with renamedTo, the style is written under that name in the same
    // write. Only the file changes: the caller records the working copy's
    // change as an undoable step.
    WriteOutcome removeFromFile(const QString &name, const QString &renamedTo, const ConfirmDelete &confirmDelete);

    // Applies the working copy's style to widget the way a host applies its
    // installation's styles.
    void applyStyle(const QString &name, QWidget *widget) const;

Q_SIGNALS:
    void styleChanged(const QString &name); // added, changed or removed
    void reset();                           // everything may have changed
    void modifiedChanged(bool modified);

private:
    bool readFile();
    bool takeReadResult();
    WriteOutcome writeFile();
    void takeSaved(bool takeAsWorkingCopy);

    // Its styles are what the file held when last read or written, except
    // while a write is being put together.
    vrex::Installation m_file;
    StyleMap m_styles;
    QString m_readProblem;
    bool m_wasModified = false;
};

} // namespace styleeditor

#endif
