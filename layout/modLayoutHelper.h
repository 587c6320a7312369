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

// What a card shows for the impression: encodes its symbol into the temporary symbol bitmap
// (the words included as the "Encode CorvelWords" preference says) and lays the card out in
// a frame nCardWidth twips wide whose top label stands at nTopLabelTop. Nothing when the
// symbol could not be made (after the capacity message) or its picture not loaded.
std::optional<CardContent> makeCardContent(const CImpressionDoc& doc, const QString& strFileName,
                                           const QString& strDisplayName, int nTopLabelTop, int nCardWidth);

} // namespace modLayoutHelper
