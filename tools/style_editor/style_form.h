// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The selected style's own fields: name, type, suitable-for, description.
#ifndef STYLE_EDITOR_STYLE_FORM_H
#define STYLE_EDITOR_STYLE_FORM_H

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtWidgets/QWidget>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

namespace styleeditor {

class StyleForm : public QWidget
{
    Q_OBJECT
public:
    explicit StyleForm(QWidget *parent = nullptr);

    // Shows a style without emitting the edit signals; an empty name
    // disables the form. Text that did not change keeps its cursor.
    void showStyle(const QString &name, const styleentry &entry);

    QComboBox *typeBox() const { return m_type; }
    QLineEdit *suitableForEdit() const { return m_suitableFor; }
    QLineEdit *descriptionEdit() const { return m_description; }

Q_SIGNALS:
    void typeEdited(int type);
    void suitableForEdited(const QString &text);
    void descriptionEdited(const QString &text);

private:
    QLabel *m_name;
    QComboBox *m_type;
    QLineEdit *m_suitableFor;
    QLineEdit *m_description;
};

} // namespace styleeditor

#endif
