// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "translators.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QLibraryInfo>

namespace styleeditor {

Translators::Translators(const QStringList &languages)
{
    for (const QString &name : languages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English)
            return;
        if (!m_editor.load(locale, QStringLiteral("vrex-style-editor"), QStringLiteral("_"), QStringLiteral(":/i18n")))
            continue;
        m_language = locale.language();
        // Qt's first: the last installed is asked first, and the editor's
        // own words take precedence.
        if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
        QCoreApplication::installTranslator(&m_editor);
        return;
    }
}

Translators::~Translators()
{
    QCoreApplication::removeTranslator(&m_editor);
    QCoreApplication::removeTranslator(&m_qt);
}

} // namespace styleeditor
