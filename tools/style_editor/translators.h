// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The editor's own translation for the user's language, built into the
// program, and Qt's for the same language, so that standard buttons and key
// names speak it too.
#ifndef STYLE_EDITOR_TRANSLATORS_H
#define STYLE_EDITOR_TRANSLATORS_H

#include <QtCore/QLocale>
#include <QtCore/QTranslator>

namespace styleeditor {

class Translators
{
public:
    // Takes the first of languages (as QLocale::uiLanguages() lists them,
    // most wanted first) that the editor speaks: English, the source
    // language, needs nothing and ends the search. Installed while this
    // object lives.
    explicit Translators(const QStringList &languages);
    ~Translators();
    Translators(const Translators &) = delete;
    Translators &operator=(const Translators &) = delete;

    // QLocale::C while the editor speaks English.
    QLocale::Language language() const { return m_language; }
    bool qtLoaded() const { return !m_qt.isEmpty(); }

private:
    QTranslator m_editor;
    QTranslator m_qt;
    QLocale::Language m_language = QLocale::C;
};

} // namespace styleeditor

#endif
