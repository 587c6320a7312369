#include "TestImpressionWindow.h"

#include "reader/frmMDIMain.h"

#include <QFileInfo>

namespace {

int g_untitled = 0;

} // namespace

TestImpressionWindow::TestImpressionWindow()
{
    setObjectName(QStringLiteral("frmImpression"));
}

TestImpressionWindow::~TestImpressionWindow() = default;

QStringList& TestImpressionWindow::log()
{
    static QStringList entries;
    return entries;
}

void TestImpressionWindow::reset()
{
    log().clear();
    g_untitled = 0;
}

QList<TestImpressionWindow*> TestImpressionWindow::loaded()
{
    QList<TestImpressionWindow*> windows;
    for (ui::Form* form : ui::forms())
        if (auto* w = dynamic_cast<TestImpressionWindow*>(form))
            windows.append(w);
    return windows;
}

std::function<void(const QString&)>& TestImpressionWindow::onRecord()
{
    static std::function<void(const QString&)> callback;
    return callback;
}

void TestImpressionWindow::record(const QString& what)
{
    const QString entry = name() + QStringLiteral(": ") + what;
    log().append(entry);
    if (onRecord())
        onRecord()(entry);
}

void TestImpressionWindow::Form_Load()
{
    frmMDIMain::instance().boolSaveChangesNoToAll = false;
    m_untitledNumber = ++g_untitled;
    setWindowTitle(QStringLiteral("Untitled%1.imf").arg(m_untitledNumber));
}

void TestImpressionWindow::Form_Activate()
{
    frmMDIMain::instance().setTopmostImpressionWindow(this);
}

void TestImpressionWindow::Form_Deactivate()
{
    frmMDIMain::instance().setTopmostImpressionWindow(nullptr);
}

void TestImpressionWindow::Form_QueryUnload(bool& cancel, ui::UnloadMode)
{
    if (dirty && frmMDIMain::instance().CloseDirtyImpression(*this) == 2)
        cancel = true;
    cancel = cancel || refuseToClose;
}

bool TestImpressionWindow::isEmpty()
{
    return m_fileName.isEmpty() && formattedName.isEmpty() && !dirty && frmMDIMain::openImpressionCount() == 1;
}

void TestImpressionWindow::openImpression(const QString& strFileName)
{
    record(QStringLiteral("open ") + strFileName);
    m_fileName = strFileName;
    setWindowTitle(QFileInfo(strFileName).fileName());
}

void TestImpressionWindow::importBitmapMultiple(const QString& strFileName, qint16 nMode)
{
    record(QStringLiteral("import %1 mode %2").arg(strFileName).arg(nMode));
}

void TestImpressionWindow::scanImpression()
{
    record(QStringLiteral("scan"));
}

void TestImpressionWindow::importContact(qint16 nIndex)
{
    record(QStringLiteral("import contact %1").arg(nIndex));
}

void TestImpressionWindow::readDoc(const CImpressionDoc& doc)
{
    formattedName = doc.NamFormattedName();
    record(QStringLiteral("card ") + formattedName);
}

IImpressionWindow* TestImpressionWindow::getImportableImpression()
{
    if (m_fileName.isEmpty()) {
        formattedName.clear();
        dirty = false;
        return this;
    }
    return getImpression();
}

IImpressionWindow* TestImpressionWindow::getImpression()
{
    return frmMDIMain::instance().openNewImpressionWindow();
}

void TestImpressionWindow::bringToFront()
{
    ui::bringToFront(*this);
}
