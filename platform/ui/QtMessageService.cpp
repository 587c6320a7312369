#include "platform/ui/QtMessageService.h"

#include "platform/ui/Help.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

QMessageBox::StandardButton standardButtonOf(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Keeps a box without a way to cancel open until one of its buttons is chosen: Escape
// and the close box do nothing.
class AnswerRequired : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
    }
};

} // namespace

Answer QtMessageService::show(const Message& message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title.isEmpty() ? programTitle() : message.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
    box.setIcon(iconOf(message.icon));

    const QList<Answer> answers = answersOf(message.buttons);
    QHash<QAbstractButton*, Answer> answerOf;
    QList<QPushButton*> buttons;
    for (Answer a : answers) {
        QPushButton* b = box.addButton(standardButtonOf(a));
        answerOf.insert(b, a);
        buttons.append(b);
    }
    const int defaultIndex =
        message.defaultButton >= 0 && message.defaultButton < buttons.size() ? message.defaultButton : 0;
    box.setDefaultButton(buttons[defaultIndex]);
    // Escape and the close box answer Cancel where the box has it, OK on a box of its
    // own; Yes/No and Abort/Retry/Ignore boxes must be answered with a button.
    AnswerRequired answerRequired;
    if (answers.contains(Answer::Cancel))
        box.setEscapeButton(buttons[answers.indexOf(Answer::Cancel)]);
    else if (answers.size() == 1)
        box.setEscapeButton(buttons[0]);
    else
        box.installEventFilter(&answerRequired);

    if (message.helpTopic > 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        // The box would close on any of its buttons; Help only opens the topic.
        QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
        const int topic = message.helpTopic;
        QObject::connect(help, &QAbstractButton::clicked, &box, [topic] { showHelpTopic(topic); });
    }

    box.exec();
    const auto it = answerOf.constFind(box.clickedButton());
    if (it != answerOf.constEnd())
        return *it;
    return answers.contains(Answer::Cancel) ? Answer::Cancel : defaultAnswer(message);
}

} // namespace ui
