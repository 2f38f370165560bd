// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Marks a text field whose text the stylesheet cannot store, as it is typed.
#ifndef STYLE_EDITOR_UNSAVABLE_MARK_H
#define STYLE_EDITOR_UNSAVABLE_MARK_H

#include <QtCore/qglobal.h>

QT_BEGIN_NAMESPACE
class QLineEdit;
QT_END_NAMESPACE

namespace styleeditor {

// Updates the mark now and whenever the text changes.
void markUnsavableText(QLineEdit *edit);

// True when edit carries the mark.
bool isMarkedUnsavable(const QLineEdit *edit);

} // namespace styleeditor

#endif
