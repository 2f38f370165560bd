// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "foreign_change_dialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

namespace styleeditor {

namespace {

QString describe(StyleDifference::Change change)
{
    switch (change) {
    case StyleDifference::None:
        break;
    case StyleDifference::Added:
        return ForeignChangeDialog::tr("added", "what happened to a style");
    case StyleDifference::Changed:
        return ForeignChangeDialog::tr("changed", "what happened to a style");
    case StyleDifference::Removed:
        return ForeignChangeDialog::tr("deleted", "what happened to a style");
    }
    return QStringLiteral("-");
}

} // namespace

ForeignChangeDialog::ForeignChangeDialog(const QString &path, const QVector<StyleDifference> &differences,
                                         QWidget *parent)
    : QDialog(parent), m_table(new QTableWidget(int(differences.size()), 4, this))
{
    setWindowTitle(tr("Stylesheet Changed"));
    auto *text = new QLabel(tr("Another program saved %1 since you opened it. These styles differ:").arg(path));
    text->setWordWrap(true);
    auto *consequence = new QLabel(tr(
            "Overwrite saves your changes and keeps theirs to every other style; where you both changed "
            "a style, yours replaces theirs. Reload shows their version and drops your unsaved changes."));
    consequence->setWordWrap(true);

    m_table->setHorizontalHeaderLabels({tr("Style", "column: the style's name"), tr("Theirs"), tr("Yours"), tr("Overwrite keeps")});
    m_table->setAccessibleName(tr("Differing styles"));
    m_table->setAccessibleDescription(tr("Each style that differs: what the other program did to it, what you "
                                         "did, and whose version Overwrite keeps"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setTabKeyNavigation(false); // Tab goes on to the buttons
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < differences.size(); ++row) {
        const StyleDifference &d = differences.at(row);
        const bool both = d.theirs != StyleDifference::None && d.yours != StyleDifference::None;
        const QString kept = d.yours != StyleDifference::None ? both ? tr("yours, not theirs") : tr("yours")
                                                              : tr("theirs");
        const QString cells[] = {d.name, describe(d.theirs), describe(d.yours), kept};
        for (int column = 0; column < 4; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (both) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_table->setItem(row, column, item);
        }
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *overwrite = buttons->addButton(tr("&Overwrite"), QDialogButtonBox::AcceptRole);
    QPushButton *reload = buttons->addButton(tr("&Reload"), QDialogButtonBox::ResetRole);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    overwrite->setAccessibleName(tr("Overwrite"));
    overwrite->setAccessibleDescription(tr("Saves your changes and keeps theirs to every other style"));
    reload->setAccessibleName(tr("Reload"));
    reload->setAccessibleDescription(tr("Shows their version and drops your unsaved changes"));
    cancel->setAccessibleName(cancel->text().remove(QLatin1Char('&')));
    cancel->setAccessibleDescription(tr("Writes nothing"));
    overwrite->setObjectName(QStringLiteral("overwrite"));
    reload->setObjectName(QStringLiteral("reload"));
    cancel->setDefault(true);
    connect(overwrite, &QPushButton::clicked, this, [this] { m_choice = Overwrite; accept(); });
    connect(reload, &QPushButton::clicked, this, [this] { m_choice = Reload; accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_table, 1);
    layout->addWidget(consequence);
    layout->addWidget(buttons);
    resize(560, 320);
}

void ForeignChangeDialog::choose(Choice choice)
{
    if (choice == Cancel)
        reject();
    else
        findChild<QPushButton *>(QLatin1String(choice == Overwrite ? "overwrite" : "reload"))->click();
}

} // namespace styleeditor
