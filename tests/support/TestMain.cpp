// The main of every test executable: a headless application object, then GoogleTest.
// Until a test installs its own fakes, every message box, common dialog and modal form fails
// the test instead of waiting for a user, and so does every use of a service that reaches
// outside the test process (the printer spooler, the image source, program launch, the
// browser, help, the beep): the failure names the service, and nothing is printed, scanned,
// started or opened.
#include "platform/print/PrintSpooler.h"
#include "platform/scanner/ImageSource.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/HelpService.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/ProgramFont.h"
#include "platform/ui/TrayService.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

void unscripted(const char* service, const QString& what)
{
    ADD_FAILURE() << "unscripted use of " << service << ": " << what.toStdString()
                  << " (install a fake of the service in the test)";
}

class UnexpectedInteraction : public ui::MessageService, public ui::DialogService, public ui::ModalDriver
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        ADD_FAILURE() << "unexpected message box: " << message.text.toStdString();
        return ui::defaultAnswer(message);
    }
    std::optional<QString> openFile(const ui::FileDialogRequest& r) override { return fail("open", r.title); }
    std::optional<QString> saveFile(const ui::FileDialogRequest& r) override { return fail("save", r.title); }
    std::optional<QString> choosePrinter(const QString& n, ui::PrinterChoice) override { return fail("printer", n); }
    std::optional<QFont> chooseFont(const QFont&) override
    {
        fail("font", QString());
        return std::nullopt;
    }
    void driveModal(ui::Form& form) override
    {
        ADD_FAILURE() << "unexpected modal form " << form.widget()->metaObject()->className();
    }

private:
    std::optional<QString> fail(const char* kind, const QString& title)
    {
        ADD_FAILURE() << "unexpected " << kind << " dialog " << title.toStdString();
        return std::nullopt;
    }
};

// The services that reach outside the process. Each use fails the test and answers so that the
// code under test goes on quietly (success where it can), so that one failure is reported once.
class OutsideWorldGuard : public print::PrintSpooler,
                          public scanner::ImageSource,
                          public shell::Desktop,
                          public shell::HelpService,
                          public ui::Beeper,
                          public ui::TrayService
{
public:
    print::Printers printers() override
    {
        unscripted("the printer spooler", QStringLiteral("the list of printers"));
        return {};
    }
    bool submit(const QString& printerName, const QString&, const QString& title, const QString&, QString&) override
    {
        unscripted("the printer spooler", QStringLiteral("printing \"%1\" on \"%2\"").arg(title, printerName));
        return true;
    }

    scanner::Acquired acquire(QWidget*) override
    {
        unscripted("the image source", QStringLiteral("acquiring an image"));
        return scanner::Acquired::failed(QStringLiteral("no scanner in a test"));
    }
    bool chooseSource(QWidget*) override
    {
        unscripted("the image source", QStringLiteral("the source chooser"));
        return false;
    }

    shell::StartResult startProgram(const QString& program, const QStringList& arguments) override
    {
        unscripted("program launch", program.isEmpty() ? QStringLiteral("a program without a path")
                                                       : (QStringList{program} + arguments).join(u' '));
        return shell::StartResult{};
    }
    bool openUrl(const QUrl& url, std::function<void()>) override
    {
        unscripted("the browser", url.toString());
        return true;
    }

    shell::HelpResult showContents(const LateFailure&) override
    {
        unscripted("help", QStringLiteral("the contents"));
        return {};
    }
    shell::HelpResult showTopic(int topic, const LateFailure&) override
    {
        unscripted("help", QStringLiteral("topic %1").arg(topic));
        return {};
    }

    void beep() override { unscripted("the beep", QStringLiteral("a beep")); }

    bool isAvailable() override
    {
        unscripted("the tray", QStringLiteral("whether there is one"));
        return false;
    }
    void addIcon(const QIcon&, const QString& tip, Notify, ContextMenu) override
    {
        unscripted("the tray", QStringLiteral("adding the icon \"%1\"").arg(tip));
    }
    void removeIcon() override {}
    bool isIconShown() const override { return false; }
    bool showsMenu() const override { return false; }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::useProgramFont();
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    UnexpectedInteraction interaction;
    ui::messageService.set(&interaction);
    ui::dialogs.set(&interaction);
    ui::modalDriver.set(&interaction);
    OutsideWorldGuard guard;
    print::spooler.set(&guard);
    scanner::imageSource.set(&guard);
    shell::desktop.set(&guard);
    shell::helpService.set(&guard);
    ui::beeper.set(&guard);
    ui::trayService.set(&guard);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Forms still loaded go with the test program, as the programs' own forms go when their
    // frame unloads at exit: the hidden program-icon form, which every dialog loads, stays
    // loaded otherwise.
    for (ui::Form* form : ui::forms())
        delete form->widget();
    return result;
}
