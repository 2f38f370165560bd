// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Undoable changes to the working copy. One command may change several
// styles (a rename removes one and adds another in one step).
#ifndef STYLE_EDITOR_STYLE_COMMANDS_H
#define STYLE_EDITOR_STYLE_COMMANDS_H

#include "style_document.h"

#include <QtCore/QVector>
#include <QtGui/QUndoCommand>

#include <optional>

namespace styleeditor {

struct StyleChange
{
    QString name;
    std::optional<styleentry> before; // nullopt: the style did not exist
    std::optional<styleentry> after;  // nullopt: the style is removed
};

class StyleChangeCommand : public QUndoCommand
{
public:
    // Successive edits of the same field of the same style (typing) merge
    // into one step when they share a non-negative mergeKey.
    StyleChangeCommand(StyleDocument *document, const QString &text, const QVector<StyleChange> &changes,
                       int mergeKey = -1);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    StyleDocument *m_document;
    QVector<StyleChange> m_changes;
    int m_mergeKey;
};

// The change of one style from what the document holds now to after.
StyleChange changeOf(const StyleDocument &document, const QString &name, const std::optional<styleentry> &after);

} // namespace styleeditor

#endif
