#include "platform/ui/MessageService.h"

#include "QtPrinters.h"
#include "RecordingHelp.h"
#include "WindowWatchdog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace ui;

namespace {

// The real dialog for its lifetime; `work` runs once the box is up.
class RealBox
{
public:
    RealBox() : m_real(messageService.replace(messageService.fallback())) {}

    Answer show(const Message& message, std::function<void(QMessageBox&)> work)
    {
        bool worked = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (worked || !box || !box->isVisible())
                return; // not up yet
            worked = true;
            poll.stop();
            work(*box);
        });
        poll.start();
        const testing_support::WindowWatchdog watchdog(QStringLiteral("the message box to be answered"));
        const Answer answer = msgBox(message);
        EXPECT_TRUE(worked);
        return answer;
    }

private:
    service::Service<MessageService>::Override m_real;
};

} // namespace

TEST(MessageBox, HelpOpensTheTopicAndKeepsTheBoxThenYesAnswers)
{
    RealBox real;
    testing_support::RecordingHelp help;
    Message m;
    m.text = QStringLiteral("CardScan is set to automatically detect and capture\r\n  cards.\rDisable it?");
    m.buttons = Buttons::YesNo;
    m.icon = Icon::Exclamation;
    m.helpTopic = 10000;

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool openAfterHelp = false;
    const Answer answer = real.show(m, [&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        box.button(QMessageBox::Help)->click();
        openAfterHelp = box.isVisible();
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(answer, Answer::Yes);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(help.topics(), QList<int>{10000});
    EXPECT_EQ(title, programTitle());
    EXPECT_EQ(text, QStringLiteral("CardScan is set to automatically detect and capture\n  cards.\nDisable it?"));
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(MessageBox, ButtonsDefaultsTitleAndEscape)
{
    RealBox real;
    Message m;
    m.text = QStringLiteral("Save changes to <Impression 1>?");
    m.buttons = Buttons::YesNoCancel;
    m.defaultButton = 1;
    m.title = QStringLiteral("Information");

    int buttons = 0;
    bool noIsDefault = false;
    QString text;
    bool hasHelp = true;
    Answer answer = real.show(m, [&](QMessageBox& box) {
        buttons = static_cast<int>(box.buttons().size());
        noIsDefault = box.defaultButton() == box.button(QMessageBox::No);
        hasHelp = box.button(QMessageBox::Help) != nullptr;
        text = box.text();
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(buttons, 3);
    EXPECT_TRUE(noIsDefault);
    EXPECT_FALSE(hasHelp);
    EXPECT_EQ(text, m.text); // plain text, never markup

    // Enter takes the default button.
    answer = real.show(m, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(answer, Answer::No);

    // An OK box is dismissed by Escape with OK.
    Message ok;
    ok.text = QStringLiteral("Invalid file type");
    answer = real.show(ok, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(answer, Answer::Ok);
}

TEST(MessageBox, AYesNoBoxIgnoresEscape)
{
    RealBox real;
    Message m;
    m.text = QStringLiteral("Save now?");
    m.buttons = Buttons::YesNo;
    bool stillOpen = false;
    const Answer answer = real.show(m, [&](QMessageBox& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close(); // the close box
        stillOpen = box.isVisible();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(answer, Answer::No);
}

TEST(MessageBox, ABoxNobodyAnswersFailsTheTestInsteadOfHanging)
{
    RealBox real;
    Message m;
    m.text = QStringLiteral("Save now?");
    m.buttons = Buttons::YesNo; // neither Escape nor the close box ends it
    EXPECT_NONFATAL_FAILURE(
        {
            const testing_support::WindowWatchdog watchdog(QStringLiteral("an answer"), 100);
            msgBox(m);
        },
        "still waiting for an answer");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
