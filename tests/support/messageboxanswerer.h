#ifndef MESSAGEBOXANSWERER_H
#define MESSAGEBOXANSWERER_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

class QTimer;

// Answers modal message boxes so that no test can hang on one. Every ~20 ms it
// looks for QApplication::activeModalWidget() being a visible QMessageBox,
// records it and clicks a button: the next queued answer, else the default
// answer (Ok when the box has it, else its default, escape or first button).
// Works in any event loop, including the box's own and nested ones.
class MessageBoxAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Record
    {
        QString title;
        QString text;
        QString informativeText;
        QString styleSheet;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton; // Enter's button
        QStringList buttonTexts; // as shown, in the box's order
        QMessageBox::StandardButton answer = QMessageBox::NoButton; // what was clicked
        bool hadParent = false;
    };

    explicit MessageBoxAnswerer(QObject *parent = nullptr); // answers from now on

    void answerNext(QMessageBox::StandardButton button); // queued, in order
    void setDefaultAnswer(QMessageBox::StandardButton button); // NoButton: Ok or first
    void setEnabled(bool on); // off: boxes stay open

    QList<Record> boxes() const { return m_boxes; }
    int count() const { return m_boxes.size(); }
    Record last() const { return m_boxes.value(m_boxes.size() - 1); }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

signals:
    void boxAnswered(const QString &text);

private:
    void poll();
    QAbstractButton *chooseButton(QMessageBox *box);

    QTimer *m_timer;
    QList<QMessageBox::StandardButton> m_queue;
    QMessageBox::StandardButton m_defaultAnswer = QMessageBox::NoButton;
    QList<Record> m_boxes;
    QPointer<QMessageBox> m_lastBox; // clicked, possibly not closed yet
};

#endif // MESSAGEBOXANSWERER_H
