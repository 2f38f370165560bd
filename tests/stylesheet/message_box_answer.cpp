// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "message_box_answer.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>

namespace vrextest {

MessageBoxAnswer::MessageBoxAnswer(QMessageBox::StandardButton answer) : m_answer(answer)
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

MessageBoxAnswer::~MessageBoxAnswer() = default;

void MessageBoxAnswer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;

    ShownBox shown;
    shown.title = box->windowTitle();
    shown.text = box->text();
    shown.icon = box->icon();
    shown.buttons = box->standardButtons();
    shown.buttonCount = int(box->buttons().size());
    shown.hasParent = box->parentWidget() != nullptr;
    m_boxes.append(shown);

    if (QAbstractButton *button = box->button(m_answer))
        button->click();
    else
        box->reject();
}

} // namespace vrextest
