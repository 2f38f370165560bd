// The installation's named widget styles: load, apply, edit, save, delete.
#ifndef VREX_STYLESHEET_H
#define VREX_STYLESHEET_H

#include <vrex_stylesheet/vrex_global.h>

#include <QtCore/QMap>
#include <QtCore/QString>
#include <QtCore/QStringList>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// One style. type: 1 state, 2 style, 3 setting; anything else means no type.
class VREX_STYLESHEET_EXPORT styleentry
{
public:
    styleentry();
    styleentry(const styleentry &other);
    styleentry &operator=(const styleentry &other);
    ~styleentry();

    QStringList settings;
    QString suitablefor;
    QString description;
    int type;
};

// Implemented by an application's widget classes that can take styles:
// getStyle() hands each setting string of a style to applyStyleSetting(),
// in order.
class VREX_STYLESHEET_EXPORT vrex_style_receiver
{
public:
    virtual ~vrex_style_receiver();
    virtual void applyStyleSetting(const QString &setting) = 0;
};

// False when text holds a character XML cannot carry; save() refuses a
// registry with such a name, suitablefor, description or setting. Editors
// use it to flag the text as it is typed.
VREX_STYLESHEET_EXPORT bool vrex_style_text_savable(const QString &text);

class VREX_STYLESHEET_EXPORT vrex_stylesheet
{
public:
    vrex_stylesheet();
    ~vrex_stylesheet();
    vrex_stylesheet &operator=(const vrex_stylesheet &other);

    static int count();
    static bool load();
    static bool reLoad();

    static void getStyle(QString &name, QWidget *widget);
    void get(QString &name, QWidget *widget);
    styleentry *getStyleEntry(QString name);
    void set(QString &name, styleentry &entry);
    const QMap<QString, styleentry> stylelist();
    const QStringList settingslist(QString &name);
    bool styleExist(QString name);

    bool save();
    void deleteStyle(QString name);

private:
    static QMap<QString, styleentry> styles;
    static QString m_sFilename;
};

#endif // VREX_STYLESHEET_H
