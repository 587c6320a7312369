#include "CardTests.h"

#include "platform/print/Printer.h"

#include <QCoreApplication>

namespace card_tests {

QStringList sampleLines()
{
    return {QStringLiteral("The Corvel Impression of Ann Lee"),
            QStringLiteral("Acme Widgets of Łódź"),
            QStringLiteral("ann.lee@example.com"),
            QStringLiteral("Scan this card with Quorvane"),
            QStringLiteral("to read it into your contacts"),
            QStringLiteral("No typing needed")};
}

CImpressionDoc sampleImpression()
{
    CImpressionDoc doc;
    doc.setNamFirst(QStringLiteral("Ann"));
    doc.setNamLast(QStringLiteral("Lee"));
    doc.setNamFormattedName(QStringLiteral("Ann Lee"));
    doc.setNamEmail(QStringLiteral("ann.lee@example.com"));
    doc.setBusCompany(QStringLiteral("Acme Widgets"));
    doc.setBusCity(QStringLiteral("Łódź"));
    doc.setCwFontName(QStringLiteral("Arial"));
    doc.setCwFontSize(6);
    const QStringList lines = sampleLines();
    for (int k = 0; k < CImpressionDoc::LineCount; ++k)
        doc.setCwLines(k, lines[k]);
    return doc;
}

CImpressionDoc oversizedImpression()
{
    CImpressionDoc doc = sampleImpression();
    QString notes;
    for (int i = 0; notes.size() < 4000; ++i)
        notes += QStringLiteral("Note %1 about a long meeting. ").arg(i);
    doc.setNamNotes(notes);
    return doc;
}

QImage picture(const QString& fileName)
{
    return QImage(fileName).convertToFormat(QImage::Format_RGB32);
}

QString programFile(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

PrinterInstalled::PrinterInstalled(print::Target& printer) : m_installed(print::printer.replace(printer)) {}

AbsentPrinter::AbsentPrinter() : m_spoolerInstalled(print::spooler.replace(m_spooler)), m_installed(m_target) {}

modMainHelper::ProgramEdition sampleCardEdition()
{
    modMainHelper::ProgramEdition edition = modMainHelper::quorvaneEdition();
    edition.symbolBadges.wordsIncluded = QStringLiteral("TSN-Corvel-Words-Included.bmp");
    edition.symbolBadges.wordsExcluded = QStringLiteral("TSN-Corvel-Words-Excluded.bmp");
    return edition;
}

} // namespace card_tests
