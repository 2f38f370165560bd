// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the server answers about an installation: diagnostics from the
// check's findings, quick fixes from their suggestions, hover texts,
// definitions, references and completions at a place in an open document.
// Positions come from the format's parser (document_outline.h), names and
// numbers from the check's installation and definition index, chains from
// the lookup step the library resolves with.
#ifndef VREXCTL_LSP_FEATURES_H
#define VREXCTL_LSP_FEATURES_H

#include "lsp/document_outline.h"
#include "lsp/text_document.h"
#include "lsp/workspace_check.h"

#include "checks/finding.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonObject>

#include <optional>

namespace vrexctl::lsp {

// A document the client has open.
struct OpenDocument
{
    QString path;
    QString uri;
    WorkspaceCheck::FileKind kind = WorkspaceCheck::FileKind::Other;
    QString entry;
    TextDocument text;

    // Read from the text on first use after each change.
    const DocumentOutline &outline() const;
    void changed() { m_outline.reset(); }

private:
    mutable std::optional<DocumentOutline> m_outline;
};

QString uriOf(const QString &path);

// The findings of one file as diagnostics; document: the file's open
// document, if it is open (ranges then cover the element's name, in the
// client's units). docs: where each code is explained (the code follows
// as the fragment).
QJsonArray diagnostics(const QList<Finding> &findings, const OpenDocument *document, const QString &docs);

// The quick fixes of the findings in document that have a suggestion and
// touch range.
QJsonArray codeActions(const QList<Finding> &findings, const OpenDocument &document, const Range &range,
                       const QString &docs);

QJsonValue hover(const WorkspaceCheck &check, const OpenDocument &document, Position position);
QJsonValue definition(const WorkspaceCheck &check, const OpenDocument &document, Position position);
QJsonArray references(const WorkspaceCheck &check, const OpenDocument &document, Position position,
                      bool withDeclaration);
QJsonObject completion(const WorkspaceCheck &check, const OpenDocument &document, Position position);

} // namespace vrexctl::lsp

#endif
