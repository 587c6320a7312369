#include "SampleFixture.h"

#include "capture/modSymbolRoutines.h"
#include "model/CImpressionDoc.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/print/PictureBox.h"
#include "platform/ui/MessageService.h"
#include "sampler/BrindlemarkProgram.h"

#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>

SampleTest::SampleTest() : m_edition(modSampleMain::programEdition()) {}

void SampleTest::SetUp()
{
    ui::setProgramTitle(QStringLiteral("Brindlemark"));
    m_frame = new SampleMDIMain;
    ui::show(*m_frame);
}

void SampleTest::TearDown()
{
    // Changed windows left by a test are closed without saving, one at a time.
    for (SampleImpression* w : impressionWindows()) {
        if (w->isDirty())
            m_messages.answer(ui::Answer::No);
        ui::unload(*w);
    }
    if (m_frame)
        ui::unload(*m_frame);
    for (ui::Form* form : ui::forms())
        ui::unload(*form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SampleImpression::setProgramFolder(QString());
    EXPECT_EQ(m_messages.pending(), 0) << "message answers left unused";
    EXPECT_EQ(m_modals.pending(), 0) << "modal steps left unused";
    EXPECT_EQ(m_dialogs.pending(), 0) << "dialog answers left unused";
}

QString SampleTest::path(const QString& relativePath) const
{
    return m_dir.filePath(relativePath);
}

QString SampleTest::writeImpression(const QString& name, const CImpressionDoc& doc)
{
    const QString file = path(name);
    EXPECT_TRUE(doc.writeFile(file, true));
    return file;
}

QList<SampleImpression*> SampleTest::impressionWindows()
{
    QList<SampleImpression*> windows;
    for (ui::Form* form : ui::forms())
        if (auto* w = dynamic_cast<SampleImpression*>(form))
            windows << w;
    return windows;
}

SampleImpression* SampleTest::newSample()
{
    testing_support::trigger(m_frame, QStringLiteral("mnuFileImpressionSample"));
    return impressionWindows().last();
}

QLineEdit* SampleTest::field(SampleImpression* w, const char* name)
{
    return testing_support::control<QLineEdit>(w, QString::fromLatin1(name));
}

QByteArray SampleTest::previewSymbol(SampleImpression* w)
{
    // On the screen a module of the symbol is narrower than a pixel: the bitmap the preview
    // was drawn from is read instead.
    return decodedSymbol(QImage(modSymbolRoutines::getTempFileName(QStringLiteral("tmpsymbol.bmp"))));
}

QByteArray SampleTest::decodedSymbol(const QImage& picture)
{
    const QString bmp = path(QStringLiteral("symbol.bmp"));
    const QString vcf = path(QStringLiteral("symbol.vcf"));
    QFile::remove(vcf);
    if (!picture.save(bmp, "BMP"))
        return "<no picture>";
    if (pdf417::pdfDecodeBMPSymbolToFileEasy(bmp, vcf) != pdf417::Done)
        return "<no symbol>";
    QFile f(vcf);
    if (!f.open(QIODevice::ReadOnly))
        return "<no file>";
    // Folded lines joined again.
    return f.readAll().replace("\r\n ", "").replace("\n ", "");
}
