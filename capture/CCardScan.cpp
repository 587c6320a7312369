#include "capture/CCardScan.h"

#include "capture/modCardScan.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeError.h"
#include "platform/ui/MessageService.h"

#include <algorithm>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The street slot of a block: the street, and the extended address on a line of its own
// when there is one.
QString streetWithExtension(const QString& strStreet, const QString& strExtAddress)
{
    const bool bNoExtension =
        std::all_of(strExtAddress.cbegin(), strExtAddress.cend(), [](QChar c) { return c == u' '; });
    return bNoExtension ? strStreet : strStreet + CrLf + strExtAddress;
}

// Writes a block to the card's first address fields (number 1) or to its "2nd " fields.
void writeBlock(CCardScan::AddressBlock& block, int nNumber)
{
    const QString strPrefix = nNumber == 1 ? QString() : QStringLiteral("2nd ");
    modCardScan::setCardField(strPrefix + QStringLiteral("Street Address"), block.Street);
    modCardScan::setCardField(strPrefix + QStringLiteral("City"), block.City);
    modCardScan::setCardField(strPrefix + QStringLiteral("State"), block.State);
    modCardScan::setCardField(strPrefix + QStringLiteral("Zip Code"), block.Zip);
    modCardScan::setCardField(strPrefix + QStringLiteral("Country"), block.Country);
    block.Done = true;
}

} // namespace

void CCardScan::addNewRecord(const CImpressionDoc& doc)
{
    try {
        modCardScan::connectCardScan();
        modCardScan::executeCardScanCommand(QStringLiteral("CreateCard"));
        modCardScan::writeFieldsToCard(doc);
        writeAddresses(doc);
    } catch (const vb::Error& error) {
        if (error.number() == ipc::err::Busy)
            ui::msgBox(QStringLiteral("CardScan is not responding.\r\rCheck if a CardScan dialog box needs closing."),
                       ui::Buttons::Ok, ui::Icon::Critical);
        else
            ui::msgBox(QStringLiteral("Error ") + QString::number(error.number()) + QStringLiteral(":\r") +
                           error.description(),
                       ui::Buttons::Ok, ui::Icon::Critical);
    }
}

void CCardScan::getCurrentRecord(CImpressionDoc& doc)
{
    modCardScan::readCurrentCard(doc);
}

CCardScan::AddressBlocks CCardScan::fillAddressBlocks(const CImpressionDoc& doc)
{
    AddressBlocks blocks = {{
        {false, QStringLiteral("Work Address"), streetWithExtension(doc.BusStreet(), doc.BusExtAddress()),
         doc.BusCity(), doc.BusState(), doc.BusZip(), doc.BusCountry()},
        {false, QStringLiteral("Work PO Address"), doc.BusPOBox(), doc.BusPOCity(), doc.BusPOState(), doc.BusPOZip(),
         doc.BusPOCountry()},
        {false, QStringLiteral("Home Address"), streetWithExtension(doc.HomStreet(), doc.HomExtAddress()),
         doc.HomCity(), doc.HomState(), doc.HomZip(), doc.HomCountry()},
        {false, QStringLiteral("Home PO Address"), doc.HomPOBox(), doc.HomPOCity(), doc.HomPOState(), doc.HomPOZip(),
         doc.HomPOCountry()},
    }};
    for (AddressBlock& block : blocks)
        block.Done = block.Street.isEmpty() && block.City.isEmpty() && block.State.isEmpty() && block.Zip.isEmpty() &&
                     block.Country.isEmpty();
    return blocks;
}

QString CCardScan::blockNotesText(const AddressBlock& block)
{
    QString strText = block.Heading + CrLf + block.Street + CrLf + block.City + u' ' + block.State +
                      QStringLiteral("  ") + block.Zip + CrLf;
    if (!block.Country.isEmpty())
        strText += block.Country + CrLf;
    return strText;
}

void CCardScan::writeAddressBlocks(const CImpressionDoc& doc, int nAddressFields)
{
    AddressBlocks blocks = fillAddressBlocks(doc);
    for (int nNumber = 1; nNumber <= nAddressFields; ++nNumber) {
        const auto pending = std::find_if(blocks.begin(), blocks.end(), [](const AddressBlock& b) { return !b.Done; });
        if (pending == blocks.end())
            break;
        writeBlock(*pending, nNumber);
    }
    QString strNotes = doc.NamNotes();
    for (AddressBlock& block : blocks) {
        if (!block.Done) {
            strNotes += CrLf + blockNotesText(block);
            block.Done = true;
        }
    }
    modCardScan::setCardField(QStringLiteral("Notes"), strNotes);
}
