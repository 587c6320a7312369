#include "platform/ui/CursorService.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {

class OverrideCursor : public CursorService
{
public:
    void showBusy() override { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    void restore() override { QGuiApplication::restoreOverrideCursor(); }
};

CursorService& overrideCursor()
{
    static OverrideCursor cursor;
    return cursor;
}

} // namespace

constinit service::Service<CursorService> cursorService(&overrideCursor);

} // namespace ui
