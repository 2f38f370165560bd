// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Sample widgets of the classes a style is suitable for, styled from the
// working copy the way a host's widgets are styled from its installation,
// on a light or a dark backdrop: a style made for dark panels shows light
// text that a light backdrop would hide.
#ifndef STYLE_EDITOR_STYLE_PREVIEW_H
#define STYLE_EDITOR_STYLE_PREVIEW_H

#include <QtCore/QStringList>
#include <QtCore/QVector>
#include <QtWidgets/QWidget>

QT_BEGIN_NAMESPACE
class QToolButton;
QT_END_NAMESPACE

namespace styleeditor {

class StyleDocument;

class StylePreview : public QWidget
{
    Q_OBJECT
public:
    explicit StylePreview(StyleDocument *document, QWidget *parent = nullptr);

    // Shows the working copy's style name; an unknown name empties the
    // preview. A newly shown style whose text colour would not show on the
    // backdrop switches it.
    void showStyle(const QString &name);
    // The samples shown now, one per suitable class.
    const QVector<QWidget *> &samples() const { return m_samples; }
    // What the samples stand on.
    QWidget *backdrop() const { return m_area; }
    QToolButton *lightBackdropButton() const { return m_light; }
    QToolButton *darkBackdropButton() const { return m_dark; }
    void setDarkBackdrop(bool dark);

private:
    void rebuild(const QStringList &classes);

    StyleDocument *m_document;
    QWidget *m_area;
    QToolButton *m_light;
    QToolButton *m_dark;
    QStringList m_classes;
    QString m_shown;
    QVector<QWidget *> m_samples;
};

} // namespace styleeditor

#endif
