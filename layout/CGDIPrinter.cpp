#include "layout/CGDIPrinter.h"

#include "platform/print/Printer.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbNumber.h"
#include "platform/vcard/VCardText.h"

namespace {

// The device-context calls take text in the ANSI code page: characters it lacks print as "?".
QString toAnsi(const QString& text)
{
    static const QString codePage = [] {
        QByteArray bytes(256, '\0');
        for (int b = 0; b < 256; ++b)
            bytes[b] = char(b);
        return vcard::fromWindows1252(bytes);
    }();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out.append(codePage.contains(c) ? c : QChar(u'?'));
    return out;
}

} // namespace

CGDIPrinter::CGDIPrinter()
{
    m_hDC = openPrinterDC();
    m_twipsPerPixelX = float(print::printer().twipsPerPixelX());
    m_twipsPerPixelY = float(print::printer().twipsPerPixelY());
}

CGDIPrinter::~CGDIPrinter()
{
    if (m_hDC == 0)
        return;
    try {
        release();
    } catch (const vb::Error&) {
    }
}

std::int32_t CGDIPrinter::makeFont(const QString& strName, std::int32_t nSize, std::int32_t nEscapement)
{
    print::LogFont font;
    font.height = vb::toInt32(vb::toInt32(double(nSize) * -20) / double(m_twipsPerPixelY));
    font.escapement = nEscapement;
    // The fixed field keeps 31 characters and the NUL; the blanks that pad it are no part of the name.
    font.faceName = strName.left(FaceNameSize - 1);
    const std::int32_t handle = m_nextHandle++;
    m_fonts.insert(handle, font);
    return handle;
}

std::int32_t CGDIPrinter::selectObj(std::int32_t hObj)
{
    if (m_hDC == 0 || !m_fonts.contains(hObj))
        return 0;
    m_selected = m_fonts.value(hObj);
    const print::LogFont previous = print::printer().selectFont(*m_selected);
    const std::int32_t handle = m_nextHandle++;
    m_fonts.insert(handle, previous);
    return handle;
}

void CGDIPrinter::deleteObj(std::int32_t& hObj)
{
    m_fonts.remove(hObj);
    hObj = 0;
}

void CGDIPrinter::drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    const int fromX = vb::toInt32(x1 / double(m_twipsPerPixelX));
    const int fromY = vb::toInt32(y1 / double(m_twipsPerPixelY));
    const int toX = vb::toInt32(x2 / double(m_twipsPerPixelX));
    const int toY = vb::toInt32(y2 / double(m_twipsPerPixelY));
    if (m_hDC == 0)
        return;
    print::Target& printer = print::printer();
    printer.moveTo(fromX, fromY);
    printer.lineTo(toX, toY);
}

void CGDIPrinter::drawText(const QString& strMsg, std::int32_t x, std::int32_t y)
{
    const int atX = vb::toInt32(x / double(m_twipsPerPixelX));
    const int atY = vb::toInt32(y / double(m_twipsPerPixelY));
    if (m_hDC == 0)
        return;
    print::Target& printer = print::printer();
    if (m_selected)
        printer.selectFont(*m_selected);
    printer.textOut(atX, atY, toAnsi(strMsg));
}

std::int32_t CGDIPrinter::getX() const
{
    if (m_hDC == 0)
        return 0;
    return vb::toInt32(print::printer().currentPosition().x() * double(m_twipsPerPixelX));
}

std::int32_t CGDIPrinter::getY() const
{
    if (m_hDC == 0)
        return 0;
    return vb::toInt32(print::printer().currentPosition().y() * double(m_twipsPerPixelY));
}

void CGDIPrinter::release()
{
    const std::int32_t hDC = m_hDC;
    m_hDC = 0;
    closePrinterDC(hDC);
}

void CGDIPrinter::abandon()
{
    if (m_hDC == 0)
        return;
    m_hDC = 0;
    try {
        print::printer().killDoc();
    } catch (const vb::Error&) {
    }
}

// Starts a job named with the program title and its one page on the Printer object's printer.
std::int32_t CGDIPrinter::openPrinterDC()
{
    print::Target& printer = print::printer();
    // Raises when there is no printer to open.
    printer.deviceName();
    printer.startDoc(ui::programTitle());
    printer.startPage();
    static std::int32_t s_lastDC = 0;
    return ++s_lastDC;
}

// Ends the page and the job, which hands it to the spooler; raises when the spooler refuses it.
void CGDIPrinter::closePrinterDC(std::int32_t hDC)
{
    if (hDC == 0)
        return;
    print::Target& printer = print::printer();
    printer.endPage();
    printer.endDoc();
}
