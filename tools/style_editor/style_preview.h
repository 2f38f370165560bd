// Sample widgets of the classes a style is suitable for, styled from the
// working copy the way a host's widgets are styled from its installation.
#ifndef STYLE_EDITOR_STYLE_PREVIEW_H
#define STYLE_EDITOR_STYLE_PREVIEW_H

#include <QtCore/QStringList>
#include <QtCore/QVector>
#include <QtWidgets/QWidget>

namespace styleeditor {

class StyleDocument;

class StylePreview : public QWidget
{
    Q_OBJECT
public:
    explicit StylePreview(StyleDocument *document, QWidget *parent = nullptr);

    // Shows the working copy's style name; an unknown name empties the
    // preview.
    void showStyle(const QString &name);
    // The samples shown now, one per suitable class.
    const QVector<QWidget *> &samples() const { return m_samples; }

private:
    void rebuild(const QStringList &classes);

    StyleDocument *m_document;
    QWidget *m_area;
    QStringList m_classes;
    QVector<QWidget *> m_samples;
};

} // namespace styleeditor

#endif
