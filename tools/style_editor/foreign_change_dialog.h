// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Asked before a save would write over changes another program saved: which
// styles differ, theirs and yours, and what saving would keep.
#ifndef STYLE_EDITOR_FOREIGN_CHANGE_DIALOG_H
#define STYLE_EDITOR_FOREIGN_CHANGE_DIALOG_H

#include "style_document.h"

#include <QtWidgets/QDialog>

QT_BEGIN_NAMESPACE
class QTableWidget;
QT_END_NAMESPACE

namespace styleeditor {

class ForeignChangeDialog : public QDialog
{
    Q_OBJECT
public:
    enum Choice { Cancel, Overwrite, Reload };

    ForeignChangeDialog(const QString &path, const QVector<StyleDifference> &differences, QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }
    Choice choice() const { return m_choice; }
    // Clicks the button of choice, as the user would.
    void choose(Choice choice);

private:
    QTableWidget *m_table;
    Choice m_choice = Cancel;
};

} // namespace styleeditor

#endif
