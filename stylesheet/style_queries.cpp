#include "frame/diagnostics.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtWidgets/QWidget>

namespace {

QString describeWidget(const QWidget *widget)
{
    const QString className = QString::fromLatin1(widget->metaObject()->className());
    const QString objectName = widget->objectName();
    return objectName.isEmpty() ? className
                                : objectName + QLatin1String(" (") + className + QLatin1Char(')');
}

} // namespace

void vrex_stylesheet::getStyle(QString &name, QWidget *widget)
{
    if (!widget)
        return;
    const auto it = styles.constFind(name);
    if (it == styles.cend())
        return;

    auto *receiver = dynamic_cast<vrex_style_receiver *>(widget);
    if (!receiver) {
        vrex::qtMessage(QStringLiteral("vrex_stylesheet: widget %1 cannot take style %2")
                                .arg(describeWidget(widget), name));
        return;
    }
    // The receiver gets the registry's own strings; it must not edit the
    // registry while they are handed out.
    const QStringList &settings = it->settings;
    for (const QString &setting : settings)
        receiver->applyStyleSetting(setting);
}

void vrex_stylesheet::get(QString &name, QWidget *widget)
{
    getStyle(name, widget);
}

styleentry *vrex_stylesheet::getStyleEntry(QString name)
{
    return &styles[name];
}

void vrex_stylesheet::set(QString &name, styleentry &entry)
{
    styles[name] = entry;
}

const QMap<QString, styleentry> vrex_stylesheet::stylelist()
{
    // A copy with nodes of its own rather than a shared one: while the
    // registry's nodes were shared, the next insertion would detach the
    // registry and leave the pointers of getStyleEntry() in the caller's
    // copy, so edits made through them would never reach the registry.
    return QMap<QString, styleentry>(styles.toStdMap());
}

const QStringList vrex_stylesheet::settingslist(QString &name)
{
    const auto it = styles.constFind(name);
    return it == styles.cend() ? QStringList() : it->settings;
}

bool vrex_stylesheet::styleExist(QString name)
{
    return styles.contains(name);
}
