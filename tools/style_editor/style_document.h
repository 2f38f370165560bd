// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The styles being edited: a working copy of an installation's style
// registry, what its stylesheet file held when it was last read or written
// (the base the working copy's changes are told by), and the writes that
// make the working copy permanent without undoing what others saved.
#ifndef STYLE_EDITOR_STYLE_DOCUMENT_H
#define STYLE_EDITOR_STYLE_DOCUMENT_H

#include "installation/installation.h"

#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QVector>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace styleeditor {

using StyleMap = vrex::StyleRegistry;

bool sameStyles(const StyleMap &a, const StyleMap &b);

// A style field holding a character the stylesheet cannot store.
struct UnsavableText
{
    enum Field { Name, SuitableFor, Description, Setting };
    QString style;
    Field field = Name;
    int setting = -1; // index of the setting, for Setting
};

// Why the stylesheet could not be taken whole, and where.
struct ReadFault
{
    QString messages; // the loader's own, one per line
    QString reason;   // the reader's
    qint64 line = 0;  // 1-based; 0 when the reader gives no position
    qint64 column = 0;
    QString lineText; // that line of the file
};

// How one style differs from the base in the file now and in the working
// copy.
struct StyleDifference
{
    enum Change { None, Added, Changed, Removed };
    QString name;
    Change theirs = None;
    Change yours = None;
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
    // While the file as last read could not be taken whole, the document is
    // read-only: a write would lose what the file holds.
    bool isReadOnly() const { return m_fault.has_value(); }
    const std::optional<ReadFault> &readFault() const { return m_fault; }
    // Why the last read or write found the file unreadable.
    const ReadFault &lastFault() const { return m_lastFault; }

    // Reads the file again; unsaved edits are dropped.
    void reload();
    // The stylesheet as it is on disk now, without touching the working
    // copy; nullopt, with lastFault() saying why, when it cannot be read
    // whole.
    std::optional<StyleMap> readCurrentFile() const;

    const StyleMap &styles() const { return m_styles; }
    const StyleMap &loadedStyles() const { return m_file.loadedStyles(); }
    bool isModified() const { return !sameStyles(m_styles, loadedStyles()); }
    std::optional<UnsavableText> findUnsavable() const;
    // Every style the file now (theirs) or the working copy changed since
    // the base, in name order.
    QVector<StyleDifference> differencesFrom(const StyleMap &theirs) const;

    // Sets one style of the working copy, or removes it with nullopt.
    void setStyle(const QString &name, const std::optional<styleentry> &entry);

    // Writes the working copy's changes into the file as it is now (what
    // others saved meanwhile stays, except styles both changed, which the
    // working copy's version wins). Styles the working copy deleted are
    // deleted from the file where confirmDelete agrees; the others stay,
    // and the document stays modified. The working copy is then what the
    // file gives back.
    WriteOutcome save(const ConfirmDelete &confirmDelete);

    // Deletes name from the file right away, once confirmDelete agrees;
    // with renamedTo, the style is written under that name in the same
    // write. Only the file changes, and the working copy takes in what
    // others saved meanwhile: the caller records the working copy's change
    // of these two names as an undoable step.
    WriteOutcome removeFromFile(const QString &name, const QString &renamedTo, const ConfirmDelete &confirmDelete);

    // Applies the working copy's style to widget the way a host applies its
    // installation's styles.
    void applyStyle(const QString &name, QWidget *widget) const;

Q_SIGNALS:
    void styleChanged(const QString &name); // added, changed or removed
    void reset();                           // everything may have changed
    void modifiedChanged(bool modified);

private:
    std::optional<ReadFault> readInto(vrex::Installation &file) const;
    WriteOutcome write(const StyleMap &request);
    void takeWorkingCopy(const StyleMap &styles);
    void updateModified();

    // Its styles are what the file held when last read or written, except
    // while a write is being put together.
    vrex::Installation m_file;
    StyleMap m_styles;
    std::optional<ReadFault> m_fault;
    mutable ReadFault m_lastFault;
    bool m_wasModified = false;
};

} // namespace styleeditor

#endif
