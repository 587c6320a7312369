#include "platform/ui/ModalDriver.h"

#include "platform/ui/Form.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

// Ends a modal loop when its form is hidden.
class HideWatcher : public QObject
{
public:
    explicit HideWatcher(QEventLoop& loop) : m_loop(loop) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return false;
    }

private:
    QEventLoop& m_loop;
};

// The user works the form: events run until it is hidden or deleted.
class UserDriver : public ModalDriver
{
public:
    void driveModal(Form& form) override
    {
        QPointer<QWidget> w = form.widget();
        if (!w->isVisible())
            return;
        QEventLoop loop;
        HideWatcher watcher(loop);
        w->installEventFilter(&watcher);
        QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
        if (w)
            w->removeEventFilter(&watcher);
    }
};

ModalDriver& user()
{
    static UserDriver driver;
    return driver;
}

} // namespace

constinit service::Service<ModalDriver> modalDriver(&user);

} // namespace ui
