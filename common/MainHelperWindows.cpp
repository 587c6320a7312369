#include "common/MainHelper.h"

#include "common/IImpressionFileWindow.h"
#include "platform/ipc/WindowClass.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <QDir>
#include <QFileInfo>

namespace modMainHelper {

namespace {

// Two paths name the same file: both resolve to one canonical path, or, for a file that is
// not there (any more), both are spelled alike once made absolute. Case counts: on this
// system "A.imf" and "a.imf" are two files.
bool isSameFile(const QString& strA, const QString& strB)
{
    if (strA.isEmpty() || strB.isEmpty())
        return false;
    const QFileInfo a(strA);
    const QFileInfo b(strB);
    const QString canonicalA = a.canonicalFilePath();
    const QString canonicalB = b.canonicalFilePath();
    if (!canonicalA.isEmpty() || !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}

} // namespace

IImpressionFileWindow* findImpressionWindow(const QString& strPath)
{
    try {
        for (ui::Form* form : ui::forms()) {
            auto* window = dynamic_cast<IImpressionFileWindow*>(form);
            if (window && isSameFile(window->getFileName(), strPath))
                return window;
        }
    } catch (const vb::Error&) {
        // A window that cannot tell its file ends the search with nothing found.
    }
    return nullptr;
}

QString mainWindowClassName()
{
    return QStringLiteral("CorvelMainWindow");
}

bool activatePreviousInstance()
{
    if (!ipc::WindowClass::activate(mainWindowClassName(), ui::programTitle()))
        return false;
    const QList<ui::Form*> loaded = ui::forms();
    for (auto it = loaded.crbegin(); it != loaded.crend(); ++it)
        if (ui::forms().contains(*it))
            ui::unload(**it);
    return true;
}

} // namespace modMainHelper
