// Quorvane's start-up with test-only impression windows, as a process of its own, for the
// tests of a second start. It prints, one line each: "ready" once started, "handed over" when
// it ended by handing its command line over, "message: <text>" for every message box (answered
// with its default button), and what its impression windows do ("Untitled1.imf: open <path>").
// It ends when its input closes.
#include "TestImpressionWindow.h"
#include "platform/ipc/SingleInstance.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/Road.h"
#include "reader/frmMDIMain.h"
#include "reader/modMain.h"

#include "ChildSide.h"

#include <QApplication>
#include <QDir>

using testing_support::say;

namespace {

class PrintedMessages : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        say(QStringLiteral("message: ") + QString(message.text).replace(u'\r', u'|'));
        return ui::defaultAnswer(message);
    }
};

class ClosedModals : public ui::ModalDriver
{
public:
    void driveModal(ui::Form& form) override
    {
        say(QStringLiteral("modal: ") + QString::fromLatin1(form.widget()->metaObject()->className()));
        form.widget()->hide();
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PrintedMessages messages;
    ClosedModals modals;
    ui::messageService.set(&messages);
    ui::modalDriver.set(&modals);
    modMain::setUpProgram(QApplication::arguments().mid(1), QDir::currentPath());
    TestImpressionWindow::onRecord() = [](const QString& entry) { say(entry); };
    frmMDIMain::setImpressionWindowFactory([] { return new TestImpressionWindow; });
    const ipc::SingleInstance instance(QString::fromLatin1(modMain::ProgramTitle));
    if (!modMain::Main(instance.prevInstance())) {
        say(QStringLiteral("handed over"));
        return 0;
    }
    say(QStringLiteral("ready"));
    testing_support::watchInputLines([](const QByteArray&) {});
    return ui::Road::exec();
}
