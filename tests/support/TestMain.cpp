// The main of every test executable: a headless application object, then GoogleTest.
// Until a test installs its own fakes, every message box, common dialog, modal form,
// program start and browser opening fails the test instead of waiting for a user.
#include "platform/shell/Desktop.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ModalDriver.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class UnexpectedInteraction : public ui::MessageService,
                              public ui::DialogService,
                              public ui::ModalDriver,
                              public shell::Desktop
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        ADD_FAILURE() << "unexpected message box: " << message.text.toStdString();
        return ui::defaultAnswer(message);
    }
    std::optional<QString> openFile(const ui::FileDialogRequest& r) override { return fail("open", r.title); }
    std::optional<QString> saveFile(const ui::FileDialogRequest& r) override { return fail("save", r.title); }
    bool choosePrinter(QPrinter&) override { return fail("printer", QString()).has_value(); }
    std::optional<QFont> chooseFont(const QFont&) override
    {
        fail("font", QString());
        return std::nullopt;
    }
    void driveModal(ui::Form& form) override
    {
        ADD_FAILURE() << "unexpected modal form " << form.widget()->metaObject()->className();
    }
    shell::StartResult startProgram(const QString& program, const QStringList&) override
    {
        ADD_FAILURE() << "unexpected program start: " << program.toStdString();
        return shell::StartResult{shell::StartStatus::Failed, 5, QStringLiteral("not started in a test")};
    }
    bool openUrl(const QUrl& url) override
    {
        ADD_FAILURE() << "unexpected opening of " << url.toString().toStdString();
        return false;
    }

private:
    std::optional<QString> fail(const char* kind, const QString& title)
    {
        ADD_FAILURE() << "unexpected " << kind << " dialog " << title.toStdString();
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    UnexpectedInteraction guard;
    ui::setMessageService(&guard);
    ui::setDialogService(&guard);
    ui::setModalDriver(&guard);
    shell::setDesktop(&guard);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
