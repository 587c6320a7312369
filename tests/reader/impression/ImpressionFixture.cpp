#include "ImpressionFixture.h"

#include "capture/modSymbolRoutines.h"
#include "common/ProgramEdition.h"
#include "model/modImpressionFile.h"
#include "platform/print/Printer.h"
#include "platform/ui/Form.h"
#include "platform/vcard/VCardLibrary.h"
#include "reader/QuorvaneEdition.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void ImpressionFixture::SetUp()
{
    modMainHelper::setProgramEdition(modMainHelper::quorvaneEdition());
    FrameFixture::SetUp();
    frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
    m_printer = std::make_unique<print::PdfTarget>(path(QStringLiteral("printer.pdf")));
    m_printerInstalled.emplace(print::printer.replace(*m_printer));
}

void ImpressionFixture::TearDown()
{
    FrameFixture::TearDown();
    m_printerInstalled.reset();
    m_printer.reset();
}

frmImpression* ImpressionFixture::newWindow()
{
    auto* window = dynamic_cast<frmImpression*>(m_frame->openNewImpressionWindow());
    EXPECT_TRUE(window && ui::isLoaded(*window));
    return window;
}

QList<frmImpression*> ImpressionFixture::windows()
{
    QList<frmImpression*> loaded;
    for (ui::Form* form : ui::forms())
        if (auto* window = dynamic_cast<frmImpression*>(form))
            loaded.append(window);
    return loaded;
}

void ImpressionFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CImpressionDoc ImpressionFixture::fullDocument()
{
    CImpressionDoc doc;
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        doc.setField(k, CImpressionDoc::fieldName(k) + QStringLiteral(" Zoë Ærøskøbing ✓ 日本語 😀"));
    doc.setNamTitle(QStringLiteral("Prof. Dr."));
    doc.setNamNotes(QStringLiteral("first line\r\nsecond line\r\n\r\nafter a blank line"));
    doc.setBusStreet(QStringLiteral("Suite 5\r\n241 Main Street"));
    doc.setHomStreet(QStringLiteral("12 Elm Row\r\nFlat 3"));
    doc.setBusCity(QStringLiteral("a single-line field\r\nwith CR LF inside"));
    doc.setNamURL(QString(40000, u'w'));
    for (qint16 i = 0; i < CImpressionDoc::LineCount; ++i)
        doc.setCwLines(i, QStringLiteral("line %1 — ünïcode ™").arg(i + 1));
    doc.setCwFontName(QStringLiteral("Arial"));
    doc.setCwFontSize(9);
    return doc;
}

QString ImpressionFixture::writeImpression(const QString& relativePath, const CImpressionDoc& doc, int nVersion)
{
    const QString file = path(relativePath);
    QDir().mkpath(QFileInfo(file).path());
    EXPECT_TRUE(doc.writeFile(file, true));
    if (nVersion != 3) {
        EXPECT_EQ(vcard::ReadvCardIntoMemory(file), 0);
        vcard::AddvCardProp(modImpressionFile::idxFileVersion, QString::number(nVersion));
        EXPECT_EQ(vcard::SavevCardToFile(file), 0);
    }
    return file;
}

CImpressionDoc ImpressionFixture::docOf(const frmImpression& window)
{
    CImpressionDoc doc;
    window.writeDoc(doc);
    return doc;
}

CImpressionDoc ImpressionFixture::readBack(const QString& path)
{
    CImpressionDoc doc;
    EXPECT_TRUE(doc.readFile(path)) << path.toStdString();
    return doc;
}

CImpressionDoc ImpressionFixture::cardDocument(const QString& strFirst)
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(strFirst);
    doc.setNamLast(QStringLiteral("Castellanos"));
    doc.setNamEmail(strFirst.toLower() + QStringLiteral("@northwind-eng.com"));
    doc.setBusCompany(QStringLiteral("Northwind Engineering Inc."));
    doc.setBusPhoneVoice(QStringLiteral("(415) 555-0100"));
    for (qint16 i = 0; i < CImpressionDoc::LineCount; ++i)
        doc.setCwLines(i, strFirst + QStringLiteral(" line %1").arg(i + 1));
    doc.setCwFontName(QStringLiteral("Arial"));
    doc.setCwFontSize(6);
    return doc;
}

QImage ImpressionFixture::symbolOf(const CImpressionDoc& doc)
{
    const QString file = path(QStringLiteral("symbol.bmp"));
    EXPECT_TRUE(modSymbolRoutines::makeSymbolBitmap(doc, file, true, false));
    return QImage(file);
}

QImage ImpressionFixture::symbolOf(const QByteArray& vCard)
{
    const QString card = makeFile(QStringLiteral("hand.vcf"), vCard);
    const QString file = path(QStringLiteral("symbol.bmp"));
    EXPECT_TRUE(modSymbolRoutines::convertFileToSymbol(card, file));
    return QImage(file);
}

bool ImpressionFixture::decodePicture(const QImage& picture, CImpressionDoc& doc)
{
    const QString bitmap = path(QStringLiteral("picture.bmp"));
    const QString card = path(QStringLiteral("picture.vcf"));
    if (!picture.save(bitmap) || modSymbolRoutines::decodeSymbolBitmap(bitmap, card) != 0)
        return false;
    return modSymbolRoutines::loadCardFromFile(card, doc);
}

QStringList differences(const CImpressionDoc& a, const CImpressionDoc& b)
{
    QStringList found;
    auto compare = [&](const QString& what, const QString& x, const QString& y) {
        if (x != y)
            found << what + QStringLiteral(": ") + x.left(60) + QStringLiteral(" / ") + y.left(60);
    };
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        compare(CImpressionDoc::fieldName(k), a.field(k), b.field(k));
    for (qint16 i = 0; i < CImpressionDoc::LineCount; ++i)
        compare(QStringLiteral("CwLines(%1)").arg(i), a.CwLines(i), b.CwLines(i));
    compare(QStringLiteral("CwFontName"), a.CwFontName(), b.CwFontName());
    compare(QStringLiteral("CwFontSize"), QString::number(a.CwFontSize()), QString::number(b.CwFontSize()));
    return found;
}
