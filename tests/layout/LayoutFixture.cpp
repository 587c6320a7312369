#include "LayoutFixture.h"

#include "layout/frmLabelLayout.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QWindow>

bool TestImpressionFileWindow::writeDoc(CImpressionDoc& doc) const
{
    doc = content;
    return true;
}

IImpressionFileWindow* TestLayoutMain::getEmptyImpression()
{
    made << new TestImpressionFileWindow;
    return made.last();
}

LayoutTest::LayoutTest() : m_previousTitle(ui::programTitle())
{
    ui::setProgramTitle(QStringLiteral("Brindlemark"));
}

LayoutTest::~LayoutTest()
{
    const QList<ui::Form*> loaded = ui::forms();
    for (ui::Form* form : loaded)
        if (ui::forms().contains(form))
            ui::unload(*form);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setProgramTitle(m_previousTitle);
}

CImpressionDoc LayoutTest::impression(const QString& tag)
{
    CImpressionDoc doc;
    doc.setNamFormattedName(tag + QStringLiteral(" Pell"));
    doc.setBusCompany(QStringLiteral("Castellan & Sotka"));
    doc.setNamEmail(tag.toLower() + QStringLiteral("@example.org"));
    for (qint16 i = 0; i < CImpressionDoc::LineCount; ++i)
        doc.setCwLines(i, tag + QStringLiteral(" line ") + QString::number(i + 1));
    return doc;
}

QString LayoutTest::writeImpression(const QString& name, const CImpressionDoc& doc)
{
    const QString path = m_dir.filePath(name + QStringLiteral(".imf"));
    EXPECT_TRUE(doc.writeFile(path, true));
    return path;
}

frmLabelLayout* LayoutTest::newWindow()
{
    auto* window = new frmLabelLayout;
    ui::load(*window);
    window->show();
    return window;
}

QByteArray LayoutTest::decodedSymbol(frmLabelLayout& window, int i)
{
    const QString bmp = m_dir.filePath(QStringLiteral("shown.bmp"));
    const QString vcf = m_dir.filePath(QStringLiteral("shown.vcf"));
    QFile::remove(vcf);
    if (!window.imgEncoding[i]->pixmap().toImage().save(bmp, "BMP"))
        return "<no picture>";
    if (pdf417::pdfDecodeBMPSymbolToFileEasy(bmp, vcf) != pdf417::Done)
        return "<no symbol>";
    return readFile(vcf);
}

QByteArray LayoutTest::encodedText(const CImpressionDoc& doc, bool bIncludeXFields)
{
    const QString path = m_dir.filePath(QStringLiteral("expected.vcf"));
    EXPECT_TRUE(doc.writeFile(path, bIncludeXFields));
    // A saved file carries an identifier of its own; the work file a symbol is made from has none.
    QList<QByteArray> lines = readFile(path).split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("UID:"); });
    return lines.join('\n');
}

void LayoutTest::dropOn(QWidget* target, QMimeData* data)
{
    QWidget* window = target->window();
    ASSERT_TRUE(window->windowHandle()) << "the window is not shown";
    const QPointF at = target->mapTo(window, target->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &drop);
    QApplication::processEvents(); // what the drop left to the event loop
    delete data;
}
