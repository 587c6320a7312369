#include "common/modDSMA.h"

#include "common/MainHelper.h"
#include "common/frmDSMA.h"
#include "common/modRegistryHigh.h"
#include "platform/ui/Clock.h"
#include "platform/ui/HelpContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>

namespace modDSMA {

namespace {

struct PromptKind
{
    const char* caption;
    const char* message;
    qint32 helpTopic;
};

constexpr PromptKind Kinds[] = {
    {"TWAIN Prompt", "Please scan at 400 dpi, 256 levels of gray.", 61},
    {"Scan Prompt", "Insert or position the card(s) for scanning.", 61},
};

bool g_cancelled = false;
bool g_closedByUser = false;

// Shows the normal pointer while the prompt is up, whatever pointer the caller set.
class DefaultPointer
{
public:
    DefaultPointer() : m_overridden(QApplication::overrideCursor() != nullptr)
    {
        if (m_overridden)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~DefaultPointer()
    {
        if (m_overridden)
            QApplication::restoreOverrideCursor();
    }
    DefaultPointer(const DefaultPointer&) = delete;
    DefaultPointer& operator=(const DefaultPointer&) = delete;

private:
    bool m_overridden;
};

} // namespace

void showScanPrompt(qint32 nKind)
{
    g_cancelled = false;
    g_closedByUser = false;
    if (!modRegistryHigh::getPromptWanted(nKind))
        return;
    {
        DefaultPointer pointer;
        auto* form = new frmDSMA;
        QPointer<frmDSMA> alive = form;
        ui::load(*form);
        if (nKind >= 0 && nKind < qint32(std::size(Kinds))) {
            const PromptKind& kind = Kinds[nKind];
            form->setMessage(QString::fromLatin1(kind.message));
            ui::setHelpContext(form, kind.helpTopic);
            form->setWindowTitle(QString::fromLatin1(kind.caption));
        }
        ui::showModal(*form);
        bool stillWanted = true;
        if (g_closedByUser || !alive) {
            g_cancelled = true;
        } else {
            stillWanted = !form->chkNotAgain->isChecked();
            ui::unload(*form);
        }
        if (!g_cancelled)
            modRegistryHigh::setPromptWanted(nKind, stillWanted);
    }
    ui::doEvents();
}

bool wasPromptCancelled()
{
    return g_cancelled;
}

void setPromptCancelled()
{
    g_cancelled = true;
}

void setPromptClosedByUser()
{
    g_closedByUser = true;
}

} // namespace modDSMA
