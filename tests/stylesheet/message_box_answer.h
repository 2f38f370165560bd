// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Answers the message boxes the library opens, from inside their own modal
// event loop, and records what each box showed.
#ifndef VREX_TESTS_MESSAGE_BOX_ANSWER_H
#define VREX_TESTS_MESSAGE_BOX_ANSWER_H

#include <QtCore/QString>
#include <QtCore/QTimer>
#include <QtCore/QVector>
#include <QtWidgets/QMessageBox>

namespace vrextest {

struct ShownBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int buttonCount = 0;   // every button, standard or not
    bool hasParent = false;
};

class MessageBoxAnswer
{
public:
    // Clicks `answer` on every box while this object lives; a box without
    // that button is rejected so that a wrong box cannot hang the test.
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer);
    ~MessageBoxAnswer();
    MessageBoxAnswer(const MessageBoxAnswer &) = delete;
    MessageBoxAnswer &operator=(const MessageBoxAnswer &) = delete;

    const QVector<ShownBox> &boxes() const { return m_boxes; }

private:
    void poll();

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QVector<ShownBox> m_boxes;
};

} // namespace vrextest

#endif
