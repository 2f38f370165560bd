// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "style_form.h"

#include "style_list_model.h"
#include "unsavable_mark.h"

#include "stylesheet/stylesheet_format.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

namespace styleeditor {

namespace {

void setTextKeepingCursor(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

StyleForm::StyleForm(QWidget *parent)
    : QWidget(parent), m_name(new QLabel(this)), m_type(new QComboBox(this)),
      m_suitableFor(new QLineEdit(this)), m_description(new QLineEdit(this))
{
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    // No type first, then the types the stylesheet has words for.
    m_type->addItem(typeLabel(styleentry().type), styleentry().type);
    for (const vrex::stylesheet_format::StyleType &type : vrex::stylesheet_format::kStyleTypes)
        m_type->addItem(typeLabel(type.code), type.code);
    m_suitableFor->setPlaceholderText(tr("widget classes, e.g. QLabel QPushButton"));
    m_name->setAccessibleName(tr("Style name"));
    m_name->setAccessibleDescription(tr("The name of the selected style; Rename changes it"));
    m_type->setAccessibleName(tr("Type", "of a style"));
    m_type->setAccessibleDescription(tr("How the style is meant to be used: none, state, style or setting"));
    m_suitableFor->setAccessibleName(tr("Suitable for"));
    m_suitableFor->setAccessibleDescription(tr("The widget classes the style is made for, separated by spaces"));
    m_description->setAccessibleName(tr("Description"));
    m_description->setAccessibleDescription(tr("What the style is for, in words"));
    markUnsavableText(m_suitableFor);
    markUnsavableText(m_description);

    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(tr("Name:", "of the style"), m_name);
    auto addRow = [layout](const QString &label, QWidget *field) {
        auto *buddy = new QLabel(label);
        buddy->setBuddy(field);
        layout->addRow(buddy, field);
    };
    addRow(tr("Ty&pe:", "of a style"), m_type);
    addRow(tr("S&uitable for:"), m_suitableFor);
    addRow(tr("Descr&iption:"), m_description);

    connect(m_type, &QComboBox::activated, this,
            [this](int index) { Q_EMIT typeEdited(m_type->itemData(index).toInt()); });
    connect(m_suitableFor, &QLineEdit::textEdited, this, &StyleForm::suitableForEdited);
    connect(m_description, &QLineEdit::textEdited, this, &StyleForm::descriptionEdited);
    showStyle(QString(), styleentry());
}

void StyleForm::showStyle(const QString &name, const styleentry &entry)
{
    const QSignalBlocker blockType(m_type);
    m_name->setText(name);
    m_type->setCurrentIndex(qMax(0, m_type->findData(entry.type)));
    setTextKeepingCursor(m_suitableFor, entry.suitablefor);
    setTextKeepingCursor(m_description, entry.description);
    for (QWidget *field : {static_cast<QWidget *>(m_type), static_cast<QWidget *>(m_suitableFor),
                           static_cast<QWidget *>(m_description)})
        field->setEnabled(!name.isEmpty());
}

} // namespace styleeditor
