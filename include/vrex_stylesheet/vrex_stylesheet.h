// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
/*!
 * \file vrex_stylesheet.h
 * \brief The installation's named widget styles: load, apply, edit, save,
 * delete.
 */
#ifndef VREX_STYLESHEET_H
#define VREX_STYLESHEET_H

#include <vrex_stylesheet/vrex_global.h>

#include <QtCore/QMap>
#include <QtCore/QString>
#include <QtCore/QStringList>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

/*!
 * \brief One style: its setting strings and what the stylesheet says
 * about it.
 *
 * A plain value record; the style registry holds one per style name (the
 * name is the key, not a field). Copies share their list and strings until
 * either side is written.
 */
class VREX_STYLESHEET_EXPORT styleentry
{
public:
    //! No settings, empty texts, #type 0 (no type).
    styleentry();
    //! Member-wise copy.
    styleentry(const styleentry &other);
    //! Member-wise assignment, all four fields; returns this record.
    styleentry &operator=(const styleentry &other);
    //! Releases the list and the strings. Not virtual: the class has no
    //! virtual functions.
    ~styleentry();

    //! The style's setting strings in file order: the `value` attributes of
    //! the style element's children. What one means is up to the widget
    //! that receives it (vrex_style_receiver).
    QStringList settings;
    //! Free text from the `suitablefor` attribute, by convention the widget
    //! classes the style is meant for, separated by blanks.
    QString suitablefor;
    //! Free text from the `description` attribute.
    QString description;
    //! 1 `state`, 2 `style`, 3 `setting`; any other value means the style
    //! has no type (saved as an empty `type` attribute).
    int type;
};

/*!
 * \brief Implemented by an application's widget classes that can take
 * styles.
 *
 * vrex_stylesheet::getStyle() hands each setting string of a style to
 * applyStyleSetting(), in order. A widget that does not implement this
 * interface gets no call.
 */
class VREX_STYLESHEET_EXPORT vrex_style_receiver
{
public:
    //! Does nothing; virtual, so receivers are destroyed through either base.
    virtual ~vrex_style_receiver();

    /*!
     * \brief Applies one setting string of a style to this widget.
     *
     * \a setting refers to the registry's own string: copy it to keep it.
     * Must not call the members that change the style registry
     * (vrex_stylesheet::set(), vrex_stylesheet::reLoad(),
     * vrex_stylesheet::save(), vrex_stylesheet::deleteStyle()): the list
     * being handed out may go with the entry.
     */
    virtual void applyStyleSetting(const QString &setting) = 0;
};

/*!
 * \brief False when \a text holds a character that XML cannot carry.
 *
 * vrex_stylesheet::save() refuses a registry in which a name, suitablefor,
 * description or setting fails this test; editors use it to flag text as it
 * is typed. Linear in the length of \a text; no side effects.
 */
VREX_STYLESHEET_EXPORT bool vrex_style_text_savable(const QString &text);

/*!
 * \brief The installation's style registry, and what a host does with it.
 *
 * The registry is one process-wide map from style name to styleentry,
 * filled from `config/stylesheet/vrex_style.xml` while the library is
 * loaded. Names are matched exactly, letter case included. Objects of this
 * class carry nothing: the non-static members work on the same registry,
 * and any object will do.
 *
 * Only save() and deleteStyle() talk to the user, with modal message boxes
 * without a parent; they do so only in a `QApplication` on its GUI thread,
 * and otherwise write to the Qt message channel (`qDebug`) instead.
 *
 * \par Threads
 * Nothing is synchronised: call these members from one thread at a time,
 * the GUI thread since save() and deleteStyle() may show message boxes.
 * While a box is open the event loop runs, so a slot may call in again.
 *
 * \par Cost
 * count(), getStyleEntry(), styleExist(), settingslist() and set() are one
 * map search each (logarithmic in the number of styles); getStyle() adds
 * one call per setting. stylelist() copies the whole registry. load(),
 * reLoad() and save() read or write the whole file.
 */
class VREX_STYLESHEET_EXPORT vrex_stylesheet
{
public:
    //! Does nothing: all state is static.
    vrex_stylesheet();
    //! Does nothing. Not virtual.
    ~vrex_stylesheet();
    //! Does nothing; returns this object.
    vrex_stylesheet &operator=(const vrex_stylesheet &other);

    /*!
     * \brief The number of styles in the registry. Constant time.
     */
    static int count();

    /*!
     * \brief Reads the stylesheet file into the registry, merging.
     *
     * The file is `config/stylesheet/vrex_style.xml` below `$ZT_ROOT/$ZT_SYSTEM`
     * as the environment has them now; its path is kept as the one save()
     * writes to, also when the file is missing. Every child element of the
     * root is a style (`name`, `suitablefor`, `description`, `type`), every
     * child of a style a setting (`value`). A style read again gets its
     * settings, suitablefor and description replaced, and its type only by
     * a recognised type word; styles the file does not name stay.
     *
     * Reports on the Qt message channel, never in a box: a file that cannot
     * be opened (`Could not find the Stylesheet file:` and the path) or is
     * not well-formed XML (`Error in Stylesheet file:`, the path and the
     * parser's reason) leaves the registry as it was; a root other than
     * `stylesheet` is reported (`... is not valid`) and its children are
     * read all the same.
     *
     * \return false, always, also after a complete load.
     */
    static bool load();

    /*!
     * \brief Empties the registry, then load()s it.
     *
     * Every pointer getStyleEntry() handed out dangles afterwards. When the
     * file is missing or malformed the registry stays empty.
     *
     * \return false, always (load()'s result).
     */
    static bool reLoad();

    /*!
     * \brief Hands each setting of style \a name to \a widget, in order.
     *
     * Does nothing when \a widget is null or the style is not registered.
     * A widget that is not a vrex_style_receiver gets no call, and one line
     * on the Qt message channel says so. Nothing else of the widget is read
     * or set, and the registry is not changed (\a name is not written
     * either, despite the non-const reference).
     */
    static void getStyle(QString &name, QWidget *widget);

    /*!
     * \brief The same as getStyle(\a name, \a widget).
     */
    void get(QString &name, QWidget *widget);

    /*!
     * \brief The registry's own entry for style \a name, created when
     * missing. Never null.
     *
     * A missing name is inserted with an empty, untyped entry, which raises
     * count() and is saved by the next save(). Changes made through the
     * pointer are the registry's. The pointer stays valid across lookups,
     * set() and load() (which overwrites the entry in place) and dangles
     * once the entry is removed: by deleteStyle() of that name, by reLoad(),
     * and by a save() that succeeds, which reloads. Two calls with one name
     * and nothing of the above between them return the same pointer.
     */
    styleentry *getStyleEntry(QString name);

    /*!
     * \brief Stores a copy of \a entry under \a name, all four fields,
     * inserting the name when missing.
     *
     * Pointers from getStyleEntry() for \a name stay valid and see the new
     * values. Neither argument is written, despite the non-const references.
     */
    void set(QString &name, styleentry &entry);

    /*!
     * \brief A copy of the whole registry, in ascending name order.
     *
     * The copy has entries of its own (the registry is not shared with it,
     * so pointers from getStyleEntry() keep pointing into the registry), and
     * later changes to either side do not show in the other. Linear in the
     * number of styles; their lists and strings are shared until written.
     */
    const QMap<QString, styleentry> stylelist();

    /*!
     * \brief The settings of style \a name, or an empty list when it is not
     * registered. Adds no entry; \a name is not written.
     */
    const QStringList settingslist(QString &name);

    /*!
     * \brief True when style \a name is registered. Adds no entry.
     */
    bool styleExist(QString name);

    /*!
     * \brief Writes what this process changed in the registry back to the
     * stylesheet file the last load() read, then reloads the registry from
     * it.
     *
     * Only an existing file is ever written: before any load(), or when the
     * file has been removed since, nothing happens and false is returned,
     * without a message. Several processes may save the one file: under a
     * short lock (a lock file beside it and flock() on it), the file as it
     * is now is merged, style by style, with what this process changed
     * since it last loaded or saved the styles. A style this process did not
     * change is written as the file now has it, its removal included; one it
     * changed, added or removed, as the registry has it. Where both changed
     * a style, this process's version wins and a line on the Qt message
     * channel names it. With no change by others the file is exactly the
     * registry (styles in name order, empty setting strings left out). The
     * file keeps its owner, group, mode, ACL and extended attributes; a
     * failure leaves its old content.
     *
     * When a style's name or text fails vrex_style_text_savable(), the file
     * as it is now is not a well-formed stylesheet (a line names the file
     * and the reader's error: writing would lose what it holds), or the
     * file cannot be written, nothing changes and the user sees a warning
     * box "Save Failed" ("Saving to PATH failed"), which this call waits
     * for; without a `QApplication` on its GUI thread the text goes to the
     * Qt message channel instead.
     *
     * \return true when the file was written and reloaded; every pointer
     *         from getStyleEntry() dangles then. false otherwise, with the
     *         registry as it was.
     */
    bool save();

    /*!
     * \brief Asks the user, then removes style \a name and save()s.
     *
     * Shows the question box "Deleting Style" ("Are you sure you want to
     * delete the style: NAME", OK and Cancel) and waits for the answer, also
     * for a name that is not registered. On Cancel, or for the empty name,
     * nothing changes. Otherwise the entry is removed (pointers to it
     * dangle) and save() runs whether or not there was one, with its own
     * box on failure; then the entry stays removed in memory only.
     *
     * Without a `QApplication` on its GUI thread the user cannot be asked:
     * nothing is deleted, and a line on the Qt message channel says so.
     */
    void deleteStyle(QString name);

private:
    // The style registry; private, reached through the members above.
    static QMap<QString, styleentry> styles;
    // The path the last load() tried: where save() writes.
    static QString m_sFilename;
};

#endif // VREX_STYLESHEET_H
