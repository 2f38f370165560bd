// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "style_commands.h"

namespace styleeditor {

namespace {

constexpr int kFieldEditId = 0x5e17;

} // namespace

StyleChangeCommand::StyleChangeCommand(StyleDocument *document, const QString &text,
                                       const QVector<StyleChange> &changes, int mergeKey)
    : QUndoCommand(text), m_document(document), m_changes(changes), m_mergeKey(mergeKey)
{
}

void StyleChangeCommand::redo()
{
    for (const StyleChange &change : std::as_const(m_changes))
        m_document->setStyle(change.name, change.after);
}

void StyleChangeCommand::undo()
{
    for (auto it = m_changes.crbegin(); it != m_changes.crend(); ++it)
        m_document->setStyle(it->name, it->before);
}

int StyleChangeCommand::id() const
{
    return m_mergeKey >= 0 ? kFieldEditId : -1;
}

bool StyleChangeCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const StyleChangeCommand *>(other);
    if (next->m_mergeKey != m_mergeKey || next->m_changes.size() != 1 || m_changes.size() != 1
        || next->m_changes.first().name != m_changes.first().name)
        return false;
    m_changes.first().after = next->m_changes.first().after;
    return true;
}

StyleChange changeOf(const StyleDocument &document, const QString &name, const std::optional<styleentry> &after)
{
    const auto it = document.styles().constFind(name);
    std::optional<styleentry> before;
    if (it != document.styles().cend())
        before = it.value();
    return StyleChange{name, before, after};
}

} // namespace styleeditor
