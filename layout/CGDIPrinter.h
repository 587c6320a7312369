#pragma once

#include "platform/print/PrintTypes.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>

// One page of one print job on the printer the Printer object names, drawn through the
// device-context calls: lines and text in twips, in fonts made here. Creating an instance
// starts the job and its page; release() (or the destructor) ends them and spools the job;
// abandon() drops the job so that nothing reaches the printer.
//
// Creating an instance raises 482 when the printer cannot be opened, and release() raises
// 482 when the spooler refuses the job. Coordinates whose device pixels leave the 32-bit
// range raise 6 (Overflow).
class CGDIPrinter
{
public:
    // Class_Initialize: opens the printer and starts the job.
    CGDIPrinter();
    // Class_Terminate: ends the job when it is still open; errors are dropped here.
    ~CGDIPrinter();
    CGDIPrinter(const CGDIPrinter&) = delete;
    CGDIPrinter& operator=(const CGDIPrinter&) = delete;

    // The device context handle; 0 once the job was closed.
    std::int32_t GetDC() const { return m_hDC; }
    // A font nSize points high, its text running nEscapement tenths of a degree
    // counter-clockwise; its handle.
    std::int32_t makeFont(const QString& strName, std::int32_t nSize, std::int32_t nEscapement);
    // Selects a font into the device context; the handle of the one it replaces.
    std::int32_t selectObj(std::int32_t hObj);
    // Deletes a font and sets the caller's handle to 0.
    void deleteObj(std::int32_t& hObj);
    void drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void drawText(const QString& strMsg, std::int32_t x, std::int32_t y);
    // The current position in twips, in whole device pixels.
    std::int32_t getX() const;
    std::int32_t getY() const;

    // Ends the page and the job and spools it.
    void release();
    // Drops the job: nothing drawn reaches the printer.
    void abandon();

    // A font record as the device context takes it: the face name in a fixed field of 32
    // characters, the last of them the terminating NUL.
    static constexpr int FaceNameSize = 32;

private:
    std::int32_t openPrinterDC();
    void closePrinterDC(std::int32_t hDC);

    std::int32_t m_hDC = 0;
    float m_twipsPerPixelX = 0;
    float m_twipsPerPixelY = 0;
    QHash<std::int32_t, print::LogFont> m_fonts;
    // The font selected last: the Printer object's own font properties share the device, so it
    // is selected again before text is drawn.
    std::optional<print::LogFont> m_selected;
    std::int32_t m_nextHandle = 1;
};
