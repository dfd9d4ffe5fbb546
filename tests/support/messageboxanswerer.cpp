#include "messageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

MessageBoxAnswerer::MessageBoxAnswerer(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(20);
    connect(m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    m_timer->start();
}

void MessageBoxAnswerer::answerNext(QMessageBox::StandardButton button)
{
    m_queue.append(button);
}

void MessageBoxAnswerer::setDefaultAnswer(QMessageBox::StandardButton button)
{
    m_defaultAnswer = button;
}

void MessageBoxAnswerer::setEnabled(bool on)
{
    if (on)
        m_timer->start();
    else
        m_timer->stop();
}

QStringList MessageBoxAnswerer::texts() const
{
    QStringList texts;
    for (const Record &record : m_boxes)
        texts.append(record.text);
    return texts;
}

void MessageBoxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == m_lastBox)
        return;
    QAbstractButton *button = chooseButton(box);
    if (!button)
        return;
    Record record;
    record.title = box->windowTitle();
    record.text = box->text();
    record.informativeText = box->informativeText();
    record.styleSheet = box->styleSheet();
    record.icon = box->icon();
    record.buttons = box->standardButtons();
    record.defaultButton
        = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    for (const QAbstractButton *shown : box->buttons())
        record.buttonTexts.append(shown->text());
    record.answer = box->standardButton(button);
    record.hadParent = box->parentWidget() != nullptr;
    m_boxes.append(record);
    m_lastBox = box;
    button->click(); // may return only after a nested loop of its own
    emit boxAnswered(record.text);
}

QAbstractButton *MessageBoxAnswerer::chooseButton(QMessageBox *box)
{
    if (!m_queue.isEmpty()) {
        if (QAbstractButton *queued = box->button(m_queue.takeFirst()))
            return queued;
    }
    QMessageBox::StandardButton preferred
        = m_defaultAnswer != QMessageBox::NoButton ? m_defaultAnswer : QMessageBox::Ok;
    if (QAbstractButton *button = box->button(preferred))
        return button;
    if (box->defaultButton())
        return box->defaultButton();
    if (box->escapeButton())
        return box->escapeButton();
    return box->buttons().value(0);
}
