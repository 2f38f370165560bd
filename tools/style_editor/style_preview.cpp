// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "style_preview.h"

#include "style_document.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QRegularExpression>
#include <QtGui/QPainter>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStyleOption>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <functional>
#include <optional>

namespace styleeditor {

namespace {

class SampleReceiver : public vrex_style_receiver
{
public:
    virtual void clearStyle() = 0;
};

// One Qt style-sheet declaration per setting, as the README recommends for
// host widgets. A setting that is a whole rule ("QSlider::groove { ... }")
// is kept as a rule; declarations apply to this widget only.
template<typename Widget>
class Sample : public Widget, public SampleReceiver
{
public:
    explicit Sample(const QString &objectName)
    {
        this->setObjectName(objectName);
        this->setAttribute(Qt::WA_StyledBackground);
    }

    void applyStyleSetting(const QString &setting) override
    {
        (setting.contains(QLatin1Char('{')) ? m_rules : m_declarations) << setting;
        QString sheet = m_rules.join(QLatin1Char('\n'));
        if (!m_declarations.isEmpty()) {
            sheet += QStringLiteral("\n#%1 { %2; }")
                             .arg(this->objectName(), m_declarations.join(QStringLiteral("; ")));
        }
        this->setStyleSheet(sheet);
    }

    void clearStyle() override
    {
        m_rules.clear();
        m_declarations.clear();
        this->setStyleSheet(QString());
    }

private:
    QStringList m_rules;
    QStringList m_declarations;
};

// A plain widget that shows its own text, so that a style's text colour on
// it shows too (a child label would keep its own).
class TextWidget : public QWidget
{
public:
    void setText(const QString &text) { m_text = text; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(contentsRect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
};

struct SampleKind
{
    const char *className;
    std::function<QWidget *()> make;
};

// The samples are a picture of the style, not controls: Tab passes them by.
template<typename Widget>
Sample<Widget> *sample(const char *className)
{
    auto *widget = new Sample<Widget>(QStringLiteral("preview_") + QLatin1String(className));
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

const SampleKind kSamples[] = {
    {"QLabel", [] {
         auto *w = sample<QLabel>("QLabel");
         w->setText(StylePreview::tr("Label 12.5 dB", "sample label: a level"));
         return w;
     }},
    {"QPushButton", [] {
         auto *w = sample<QPushButton>("QPushButton");
         w->setText(StylePreview::tr("CAM 1", "sample button: camera 1"));
         return w;
     }},
    {"QSlider", [] {
         auto *w = sample<QSlider>("QSlider");
         w->setOrientation(Qt::Vertical);
         w->setValue(60);
         w->setMinimumHeight(90);
         return w;
     }},
    // A label is a frame that shows its own text.
    {"QFrame", [] {
         auto *w = sample<QLabel>("QFrame");
         w->setFrameShape(QFrame::StyledPanel);
         w->setMinimumSize(110, 60);
         w->setAlignment(Qt::AlignCenter);
         w->setText(StylePreview::tr("Panel", "sample frame"));
         return w;
     }},
    {"QLineEdit", [] {
         auto *w = sample<QLineEdit>("QLineEdit");
         w->setText(StylePreview::tr("Studio A", "sample line edit: a room"));
         return w;
     }},
    {"QCheckBox", [] {
         auto *w = sample<QCheckBox>("QCheckBox");
         w->setText(StylePreview::tr("Tally", "sample check box: the on-air light"));
         return w;
     }},
    {"QComboBox", [] {
         auto *w = sample<QComboBox>("QComboBox");
         w->addItems({StylePreview::tr("Source 1", "sample combo box: a video source"),
                       StylePreview::tr("Source 2", "sample combo box: a video source")});
         return w;
     }},
    {"QProgressBar", [] { auto *w = sample<QProgressBar>("QProgressBar"); w->setValue(70); return w; }},
};

// A plain widget stands for every class without a sample of its own.
QWidget *plainSample()
{
    auto *w = sample<TextWidget>("QWidget");
    w->setMinimumSize(110, 60);
    w->setText(StylePreview::tr("Widget", "sample of a widget of any other class"));
    return w;
}

QStringList sampleClasses(const QString &suitableFor)
{
    QStringList classes;
    bool plain = false;
    for (const QString &word : suitableFor.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        bool known = false;
        for (const SampleKind &kind : kSamples) {
            if (word == QLatin1String(kind.className)) {
                known = true;
                if (!classes.contains(word))
                    classes << word;
            }
        }
        plain = plain || !known;
    }
    if (plain || classes.isEmpty())
        classes << QStringLiteral("QWidget");
    return classes;
}

// Light text without a background of its own is shown on the dark
// backdrop, dark text on the light one; nullopt when the style says
// neither.
std::optional<bool> wantsDarkBackdrop(const QStringList &settings)
{
    std::optional<bool> dark;
    for (const QString &setting : settings) {
        if (setting.contains(QLatin1Char('{')))
            continue;
        const QString property = setting.section(QLatin1Char(':'), 0, 0).trimmed();
        if (property.startsWith(QLatin1String("background")))
            return std::nullopt;
        const QColor color(setting.section(QLatin1Char(':'), 1).trimmed());
        if (property == QLatin1String("color") && color.isValid())
            dark = color.lightnessF() > 0.6;
    }
    return dark;
}

} // namespace

StylePreview::StylePreview(StyleDocument *document, QWidget *parent)
    : QWidget(parent), m_document(document), m_area(new QWidget(this)), m_light(new QToolButton(this)),
      m_dark(new QToolButton(this))
{
    auto *choice = new QHBoxLayout;
    auto *backdropLabel = new QLabel(tr("Backdrop:"));
    choice->addWidget(backdropLabel);
    auto *group = new QButtonGroup(this);
    for (QToolButton *button : {m_light, m_dark}) {
        button->setCheckable(true);
        button->setAutoRaise(true);
        group->addButton(button);
        choice->addWidget(button);
    }
    m_light->setText(tr("&Light", "backdrop"));
    m_dark->setText(tr("Dar&k", "backdrop"));
    m_light->setAccessibleName(tr("Light backdrop"));
    m_light->setAccessibleDescription(tr("Shows the samples on a light background"));
    m_dark->setAccessibleName(tr("Dark backdrop"));
    m_dark->setAccessibleDescription(tr("Shows the samples on a dark background"));
    m_area->setAccessibleName(tr("Samples"));
    m_area->setAccessibleDescription(tr("Sample widgets of the classes the style is suitable for, styled by it"));
    choice->addStretch();
    connect(m_dark, &QToolButton::toggled, this, &StylePreview::setDarkBackdrop);

    m_area->setAutoFillBackground(true);
    (new QHBoxLayout(m_area))->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(m_area, 1);
    setDarkBackdrop(false);
}

void StylePreview::setDarkBackdrop(bool dark)
{
    (dark ? m_dark : m_light)->setChecked(true);
    // Unstyled text stays readable on either.
    QPalette palette = m_area->palette();
    palette.setColor(QPalette::Window, dark ? QColor(0x2b, 0x2b, 0x2b) : QColor(0xf4, 0xf4, 0xf4));
    palette.setColor(QPalette::WindowText, dark ? QColor(0xe8, 0xe8, 0xe8) : QColor(0x20, 0x20, 0x20));
    m_area->setPalette(palette);
}

void StylePreview::showStyle(const QString &name)
{
    const auto it = m_document->styles().constFind(name);
    const bool exists = it != m_document->styles().cend();
    rebuild(exists ? sampleClasses(it->suitablefor) : QStringList());
    // On choosing a style, not on each edit of it: the user's own choice of
    // backdrop stands while editing.
    if (exists && name != m_shown) {
        if (const std::optional<bool> dark = wantsDarkBackdrop(it->settings))
            setDarkBackdrop(*dark);
    }
    m_shown = name;
    // Every edit starts each sample over, as a host restyling a widget does.
    for (QWidget *widget : std::as_const(m_samples)) {
        dynamic_cast<SampleReceiver *>(widget)->clearStyle();
        m_document->applyStyle(name, widget);
    }
}

void StylePreview::rebuild(const QStringList &classes)
{
    if (classes == m_classes && !m_samples.isEmpty())
        return;
    qDeleteAll(m_samples);
    m_samples.clear();
    m_classes = classes;
    for (const QString &className : classes) {
        QWidget *widget = nullptr;
        for (const SampleKind &kind : kSamples) {
            if (className == QLatin1String(kind.className))
                widget = kind.make();
        }
        if (!widget)
            widget = plainSample();
        // Natural size, as on a panel, rather than stretched to the preview.
        auto *row = static_cast<QHBoxLayout *>(m_area->layout());
        row->insertWidget(row->count() - 1, widget, 0, Qt::AlignVCenter);
        m_samples << widget;
    }
}

} // namespace styleeditor
