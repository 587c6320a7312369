#pragma once

#include "layout/CardContent.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class CImpressionDoc;
class frmLabelLayout;

// Draws one impression into one card position of a layout window: the PDF417 symbol, The
// Corvel Words above and below it, and the position's caption and file.
namespace modLayoutHelper {

// Places the impression in position nPosition of the layout window; true when the position
// now shows it. An impression too large for a symbol gets the encoder's capacity message.
// Everything is made ready before a control changes, so on any failure the position keeps
// what it showed. Neither selects the position, nor changes its visibility, nor marks the
// window changed.
bool placeImpression(const CImpressionDoc& doc, const QString& strFileName, const QString& strDisplayName,
                     frmLabelLayout& layoutForm, qint16 nPosition);

// What a card shows for the impression whose symbol is the bitmap strBitmapFile, in a frame
// nCardWidth twips wide whose top label stands at nTopLabelTop: the texts, the label fonts at
// 0.4 of the words' size, and the symbol centred in the band below the top label. Nothing when
// the picture cannot be loaded or the card cannot be laid out.
std::optional<CardContent> layOutCard(const CImpressionDoc& doc, const QString& strFileName,
                                      const QString& strDisplayName, const QString& strBitmapFile, int nTopLabelTop,
                                      int nCardWidth);

} // namespace modLayoutHelper
