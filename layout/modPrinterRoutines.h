#pragma once

#include "capture/modPrinterRoutines.h"

#include <QString>

#include <cstdint>

class IPrintableSheet;

namespace print {
class Target;
}

// The sample-card program's page printing around the card drawing: the ten card positions of a
// sheet on a US Letter page, the template sheet, the printer's margins and the user's print
// offsets. Page coordinates are twips from the paper's top-left corner before the offsets.
namespace modPrinterRoutines {

// The impression box of every position, and the card outlines a preview shows.
constexpr int ImpressionWidth = 4680;
constexpr int ImpressionHeight = 2513;
constexpr int ImpressionInset = 90;
constexpr int StandardCardWidth = 5040;
constexpr int StandardCardHeight = 2880;
constexpr int CorvelCardWidth = 4860;
constexpr int CorvelCardHeight = 2693;

inline const QString TemplatePicture = QStringLiteral("The-Corvel-Template.gif");

// The position of card i (0..9) on the sheet of printing mode nMode, in twips: its X and Y
// before the 90-twip inset of the impression box.
struct CardPosition
{
    float x = 0;
    float y = 0;
};
CardPosition cardPosition(qint16 nMode, int i);

// Draws the whole sheet of layoutForm on target (the Printer object, or a preview's picture
// box): printStandardSheet for printing mode 0, printCorvelSheet otherwise. On the Printer
// object the sheet is one page of one job; an error abandons the job and goes to the caller.
void printLayout(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom);
void printStandardSheet(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom);
void printCorvelSheet(print::Target& target, const IPrintableSheet& layoutForm, bool isPreview, float zoom);

// Draws the impression of one file into one impression box: from the impression window that has
// the file open (its current content), else from the file. A missing file leaves the box blank;
// an unreadable one shows "Error: unable to read" and the path.
void drawImpressionFile(print::Target& target, const QString& fileName, qint16 x, qint16 y, qint16 width, qint16 height,
                        bool isPreview, float zoom, bool encodeWords);

// The offsets to add to every page coordinate: on the Printer object the stored offsets of its
// device and the sheet's printing mode less the printer's margins, on any other target zero.
void getPageOffsets(std::int32_t& offX, std::int32_t& offY, print::Target& target, const IPrintableSheet& layoutForm);

// The Printer object's unprintable margins in twips: left and top, and the strips beyond the
// printable width and height. Raises 482 without a printer.
void getPrinterMargins(std::int32_t& left, std::int32_t& top, double& farX, double& farY);

// Prints the template picture as one page on the Printer object, its corner on the paper's.
// An error abandons the job and goes to the caller.
void printTemplate();

} // namespace modPrinterRoutines
