// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "dom_reference_writer.h"

#include <QtCore/QFile>
#include <QtCore/QTextStream>
#include <QtXml/QDomDocument>
#include <QtXml/QDomElement>

namespace vrexbench {

namespace {

QString typeWord(int type)
{
    switch (type) {
    case 1: return QStringLiteral("state");
    case 2: return QStringLiteral("style");
    case 3: return QStringLiteral("setting");
    default: return QString();
    }
}

} // namespace

bool domWriteStylesheet(const QMap<QString, styleentry> &styles, const QString &path)
{
    QDomDocument doc(QStringLiteral("stylesheet"));
    QDomElement root = doc.createElement(QStringLiteral("stylesheet"));
    doc.appendChild(root);
    for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
        QDomElement style = doc.createElement(QStringLiteral("style"));
        style.setAttribute(QStringLiteral("suitablefor"), it->suitablefor);
        style.setAttribute(QStringLiteral("description"), it->description);
        style.setAttribute(QStringLiteral("name"), it.key());
        style.setAttribute(QStringLiteral("type"), typeWord(it->type));
        for (const QString &value : it->settings) {
            if (value.isEmpty())
                continue;
            QDomElement setting = doc.createElement(QStringLiteral("setting"));
            setting.setAttribute(QStringLiteral("value"), value);
            style.appendChild(setting);
        }
        root.appendChild(style);
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream stream(&file);
    doc.save(stream, 2);
    return true;
}

} // namespace vrexbench
