// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The editor's own translation for a locale, built into the program, and
// Qt's, so that standard buttons and shortcut names speak the same language.
#ifndef STYLE_EDITOR_TRANSLATORS_H
#define STYLE_EDITOR_TRANSLATORS_H

#include <QtCore/QTranslator>

QT_BEGIN_NAMESPACE
class QLocale;
QT_END_NAMESPACE

namespace styleeditor {

class Translators
{
public:
    // Installs what there is for the locale's languages, in order of
    // preference; English, the source language, needs nothing. Removed
    // again when this object goes.
    explicit Translators(const QLocale &locale);
    ~Translators();
    Translators(const Translators &) = delete;
    Translators &operator=(const Translators &) = delete;

    bool editorLoaded() const { return !m_editor.isEmpty(); }
    bool qtLoaded() const { return !m_qt.isEmpty(); }

private:
    QTranslator m_editor;
    QTranslator m_qt;
};

} // namespace styleeditor

#endif
