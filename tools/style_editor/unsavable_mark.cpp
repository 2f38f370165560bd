// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "unsavable_mark.h"

#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QLineEdit>

namespace styleeditor {

namespace {

const char kMarkProperty[] = "unsavableText";

void updateMark(QLineEdit *edit)
{
    const bool bad = !vrex::isXmlText(edit->text());
    if (edit->property(kMarkProperty).toBool() == bad)
        return;
    edit->setProperty(kMarkProperty, bad);
    edit->setStyleSheet(bad ? QStringLiteral("QLineEdit { background: #ffd0d0; color: #800000; }") : QString());
    edit->setToolTip(bad ? QCoreApplication::translate("styleeditor::UnsavableMark",
                                                       "Holds a control character or another character a "
                                                       "stylesheet cannot store; saving is blocked until it is "
                                                       "removed.")
                         : QString());
}

} // namespace

void markUnsavableText(QLineEdit *edit)
{
    edit->setProperty(kMarkProperty, false);
    updateMark(edit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { updateMark(edit); });
}

bool isMarkedUnsavable(const QLineEdit *edit)
{
    return edit->property(kMarkProperty).toBool();
}

} // namespace styleeditor
