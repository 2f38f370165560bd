#include "style_preview.h"

#include "style_document.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QRegularExpression>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSlider>
#include <QtWidgets/QVBoxLayout>

#include <functional>

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

struct SampleKind
{
    const char *className;
    std::function<QWidget *()> make;
};

template<typename Widget>
Sample<Widget> *sample(const char *className)
{
    return new Sample<Widget>(QStringLiteral("preview_") + QLatin1String(className));
}

const SampleKind kSamples[] = {
    {"QLabel", [] { auto *w = sample<QLabel>("QLabel"); w->setText(QStringLiteral("Label 12.5 dB")); return w; }},
    {"QPushButton", [] { auto *w = sample<QPushButton>("QPushButton"); w->setText(QStringLiteral("CAM 1")); return w; }},
    {"QSlider", [] {
         auto *w = sample<QSlider>("QSlider");
         w->setOrientation(Qt::Vertical);
         w->setValue(60);
         w->setMinimumHeight(90);
         return w;
     }},
    {"QFrame", [] {
         auto *w = sample<QFrame>("QFrame");
         w->setFrameShape(QFrame::StyledPanel);
         w->setMinimumSize(110, 60);
         (new QVBoxLayout(w))->addWidget(new QLabel(QStringLiteral("in a frame")));
         return w;
     }},
    {"QLineEdit", [] { auto *w = sample<QLineEdit>("QLineEdit"); w->setText(QStringLiteral("Studio A")); return w; }},
    {"QCheckBox", [] { auto *w = sample<QCheckBox>("QCheckBox"); w->setText(QStringLiteral("Tally")); return w; }},
    {"QComboBox", [] {
         auto *w = sample<QComboBox>("QComboBox");
         w->addItems({QStringLiteral("Source 1"), QStringLiteral("Source 2")});
         return w;
     }},
    {"QProgressBar", [] { auto *w = sample<QProgressBar>("QProgressBar"); w->setValue(70); return w; }},
};

// A plain widget stands for every class without a sample of its own.
QWidget *plainSample()
{
    auto *w = sample<QWidget>("QWidget");
    w->setMinimumSize(110, 60);
    (new QVBoxLayout(w))->addWidget(new QLabel(QStringLiteral("Widget")));
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

} // namespace

StylePreview::StylePreview(StyleDocument *document, QWidget *parent)
    : QWidget(parent), m_document(document), m_area(new QWidget(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_area);
    layout->addStretch();
    new QHBoxLayout(m_area);
}

void StylePreview::showStyle(const QString &name)
{
    const auto it = m_document->styles().constFind(name);
    rebuild(it == m_document->styles().cend() ? QStringList() : sampleClasses(it->suitablefor));
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
        static_cast<QHBoxLayout *>(m_area->layout())->addWidget(widget, 0, Qt::AlignVCenter);
        m_samples << widget;
    }
}

} // namespace styleeditor
