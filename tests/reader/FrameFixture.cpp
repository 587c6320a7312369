#include "FrameFixture.h"

#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "model/CImpressionDoc.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/MessageService.h"

#include "InstalledEdition.h"
#include "PseudoTerminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

// The windows under test are Quorvane's.
const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new testing_support::QuorvaneEdition);

void FrameFixture::SetUp()
{
    ui::setProgramTitle(QStringLiteral("Quorvane"));
    TestImpressionWindow::reset();
    frmMDIMain::setImpressionWindowFactory([] { return new TestImpressionWindow; });
    m_frame = new frmMDIMain;
    ui::show(*m_frame);
}

void FrameFixture::TearDown()
{
    if (m_frame) {
        for (TestImpressionWindow* w : TestImpressionWindow::loaded()) {
            w->dirty = false;
            w->refuseToClose = false;
        }
        ui::unload(*m_frame);
    }
    for (ui::Form* form : ui::forms())
        ui::unload(*form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmMDIMain::setImpressionWindowFactory({});
    EXPECT_EQ(m_messages.pending(), 0) << "message answers left unused";
    EXPECT_EQ(m_modals.pending(), 0) << "modal steps left unused";
    EXPECT_EQ(m_dialogs.pending(), 0) << "dialog answers left unused";
}

QString FrameFixture::path(const QString& relativePath) const
{
    return m_dir.filePath(relativePath);
}

QString FrameFixture::makeFile(const QString& relativePath, const QByteArray& content)
{
    const QString file = path(relativePath);
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return file;
}

QString FrameFixture::workFile(const QString& name) const
{
    return modSymbolRoutines::getTempFileName(name);
}

void FrameFixture::tick(int count)
{
    m_clock.advance(150 * count);
}

bool FrameFixture::handOver(const QString& strCommandLine)
{
    bool Cancel = true;
    m_frame->MDIForm_LinkExecute(QStringLiteral("cmdline=") + strCommandLine, Cancel);
    return !Cancel;
}

void FrameFixture::drop(const QString& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    m_frame->MDIForm_OLEDragDrop(&data);
    QCoreApplication::processEvents(); // what the drop left to the event loop
}

QByteArray FrameFixture::serialCardScan(const QString& strName)
{
    CImpressionDoc card;
    card.setNamFormattedName(strName);
    const QString file = path(QStringLiteral("card.vcf"));
    EXPECT_TRUE(card.writeFile(file, true));
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return "\x02]L0" + f.readAll() + "\r\n";
}

void FrameFixture::sendToPort(testing_support::PseudoTerminal& pty, const QByteArray& bytes)
{
    serial::CommPort& port = *frmHelper::instance().MSComm1;
    const int expected = port.inBufferCount() + int(bytes.size());
    pty.write(bytes);
    EXPECT_TRUE(testing_support::waitUntil([&] { return port.inBufferCount() >= expected; }));
}
