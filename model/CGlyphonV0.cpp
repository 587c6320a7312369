#include "model/CGlyphonV0.h"

#include "common/MainHelperText.h"
#include "model/CImpressionDoc.h"
#include "model/modVCard.h"
#include "platform/ui/MessageService.h"
#include "platform/vcard/VCardLibrary.h"

#include <array>

namespace {

struct V0Field
{
    int index; // today's property index; the library maps it to the old numbering
    int slot;  // the document field
    bool multiLine;
};

constexpr std::array<V0Field, 15> kFields = {{
    {7, CImpressionDoc::slotNamFormattedName, false},
    {8, CImpressionDoc::slotNamEmail, false},
    {9, CImpressionDoc::slotNamURL, false},
    {10, CImpressionDoc::slotNamNotes, true},
    {11, CImpressionDoc::slotBusTitle, false},
    {12, CImpressionDoc::slotBusCompany, false},
    {14, CImpressionDoc::slotBusStreet, true},
    {15, CImpressionDoc::slotBusCity, false},
    {16, CImpressionDoc::slotBusState, false},
    {17, CImpressionDoc::slotBusZip, false},
    {18, CImpressionDoc::slotBusCountry, false},
    {24, CImpressionDoc::slotBusPhoneVoice, false},
    {25, CImpressionDoc::slotBusPhonePager, false},
    {26, CImpressionDoc::slotBusPhoneFax, false},
    {27, CImpressionDoc::slotBusPhoneCell, false},
}};

} // namespace

bool CGlyphonV0::loadCard(CImpressionDoc& doc, const QString& strInFileName)
{
    vcard::InitializevCard();
    if (vcard::ReadvCardIntoMemory(strInFileName) != 0) {
        ui::msgBox(QStringLiteral("Problem reading ") + strInFileName + u'.', ui::Buttons::Ok, ui::Icon::Information);
        return false;
    }
    // A version-0 card has no name parts, post-office box, home block, font or lines:
    // those fields keep what they held.
    for (const V0Field& f : kFields) {
        const QString value = modVCard::getV0Prop(f.index);
        doc.setField(f.slot, f.multiLine ? modMainHelper::decodeNewlines(value) : value);
    }
    return true;
}

bool CGlyphonV0::saveIMF(const CImpressionDoc&, const QString&, bool)
{
    return false;
}
