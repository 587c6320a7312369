#include "platform/ui/MessageService.h"

#include "platform/ui/QtMessageService.h"

#include <QApplication>

#include <cstdio>

namespace ui {

namespace {

// Without a window system (no QApplication), a box is written to standard error and answered
// with its default button: a program never blocks on a box nobody can see.
class StderrMessageService : public MessageService
{
public:
    Answer show(const Message& message) override
    {
        QString title = message.title.isEmpty() ? programTitle() : message.title;
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(QString(message.text).replace(u'\r', u'\n')));
        return defaultAnswer(message);
    }
};

QString g_title;

MessageService& defaultMessageService()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        static QtMessageService dialog;
        return dialog;
    }
    static StderrMessageService fallback;
    return fallback;
}

} // namespace

constinit service::Service<MessageService> messageService(&defaultMessageService);

QString programTitle()
{
    if (!g_title.isEmpty())
        return g_title;
    return QCoreApplication::applicationName();
}

void setProgramTitle(const QString& title)
{
    g_title = title;
}

QList<Answer> answersOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return {Answer::Ok};
    case Buttons::OkCancel:
        return {Answer::Ok, Answer::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Answer::Abort, Answer::Retry, Answer::Ignore};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::RetryCancel:
        return {Answer::Retry, Answer::Cancel};
    }
    return {Answer::Ok};
}

Answer defaultAnswer(const Message& message)
{
    const QList<Answer> answers = answersOf(message.buttons);
    const int index = message.defaultButton >= 0 && message.defaultButton < answers.size() ? message.defaultButton : 0;
    return answers[index];
}

Answer msgBox(const Message& message)
{
    return messageService().show(message);
}

Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title, int helpTopic)
{
    Message m;
    m.text = text;
    m.buttons = buttons;
    m.icon = icon;
    m.title = title;
    m.helpTopic = helpTopic;
    return msgBox(m);
}

void reportError(const vb::Error& error)
{
    msgBox(error.report());
}

} // namespace ui
