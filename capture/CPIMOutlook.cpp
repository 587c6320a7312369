#include "capture/CPIMOutlook.h"

#include "model/CImpressionDoc.h"
#include "platform/contacts/Automation.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include <algorithm>

using contacts::AutoObjectPtr;
using contacts::toObject;

namespace {

constexpr std::int16_t ContactsFolder = 10;
constexpr std::int16_t CloseSaving = 0;
constexpr long ObjectNotSet = 91;

const QString CrLf = QStringLiteral("\r\n");

// Empty once the leading and trailing blanks are removed.
bool isBlank(const QString& strText)
{
    return std::all_of(strText.cbegin(), strText.cend(), [](QChar c) { return c == u' '; });
}

// The error handler of both operations: the error's number and description.
void reportRunTimeError(const vb::Error& error)
{
    ui::msgBox(QStringLiteral("Error: ") + QString::number(error.number()) + u' ' + error.description());
}

void reportNoContactOpen()
{
    ui::msgBox(QStringLiteral("Please first open the Outlook contact record that\r"
                              "you want to import into the current impression."),
               ui::Buttons::Ok, ui::Icon::Exclamation);
}

// A new contact item from the contacts folder; Nothing when the namespace, the folder
// or the item is Nothing.
AutoObjectPtr addContactItem(const AutoObjectPtr& outlook)
{
    const AutoObjectPtr nameSpace = toObject(outlook->call(QStringLiteral("GetNameSpace"), {QStringLiteral("MAPI")}));
    if (!nameSpace)
        return nullptr;
    const AutoObjectPtr folder =
        toObject(nameSpace->call(QStringLiteral("GetDefaultFolder"), {QVariant::fromValue(ContactsFolder)}));
    if (!folder)
        return nullptr;
    const AutoObjectPtr items = toObject(folder->get(QStringLiteral("Items")));
    if (!items)
        throw vb::Error::runtime(ObjectNotSet, contacts::errorSource());
    return toObject(items->call(QStringLiteral("Add")));
}

// The properties that an import copies, in order; every one unconditionally.
struct ImportedField
{
    const char* property;
    void (CImpressionDoc::*set)(const QString&);
};

constexpr ImportedField ImportedFields[] = {
    {"Title", &CImpressionDoc::setNamTitle},
    {"FirstName", &CImpressionDoc::setNamFirst},
    {"MiddleName", &CImpressionDoc::setNamMiddle},
    {"LastName", &CImpressionDoc::setNamLast},
    {"NickName", &CImpressionDoc::setNamNickname},
    {"suffix", &CImpressionDoc::setNamSuffix},
    {"FullName", &CImpressionDoc::setNamFormattedName},
    {"Email1Address", &CImpressionDoc::setNamEmail},
    {"WebPage", &CImpressionDoc::setNamURL},
    {"Body", &CImpressionDoc::setNamNotes},
    {"CompanyName", &CImpressionDoc::setBusCompany},
    {"JobTitle", &CImpressionDoc::setBusTitle},
    {"BusinessAddressStreet", &CImpressionDoc::setBusStreet},
    {"BusinessAddressCity", &CImpressionDoc::setBusCity},
    {"BusinessAddressState", &CImpressionDoc::setBusState},
    {"BusinessAddressPostalCode", &CImpressionDoc::setBusZip},
    {"BusinessAddressCountry", &CImpressionDoc::setBusCountry},
    {"OtherAddressPostOfficeBox", &CImpressionDoc::setBusPOBox},
    {"OtherAddressCity", &CImpressionDoc::setBusPOCity},
    {"OtherAddressState", &CImpressionDoc::setBusPOState},
    {"OtherAddressPostalCode", &CImpressionDoc::setBusPOZip},
    {"OtherAddressCountry", &CImpressionDoc::setBusPOCountry},
    {"BusinessTelephoneNumber", &CImpressionDoc::setBusPhoneVoice},
    {"BusinessFaxNumber", &CImpressionDoc::setBusPhoneFax},
    {"MobileTelephoneNumber", &CImpressionDoc::setBusPhoneCell},
    {"PagerNumber", &CImpressionDoc::setBusPhonePager},
    {"HomeAddressStreet", &CImpressionDoc::setHomStreet},
    {"HomeAddressCity", &CImpressionDoc::setHomCity},
    {"HomeAddressState", &CImpressionDoc::setHomState},
    {"HomeAddressPostalCode", &CImpressionDoc::setHomZip},
    {"HomeAddressCountry", &CImpressionDoc::setHomCountry},
    {"HomeTelephoneNumber", &CImpressionDoc::setHomPhoneVoice},
    {"HomeFaxNumber", &CImpressionDoc::setHomPhoneFax},
    {"Home2TelephoneNumber", &CImpressionDoc::setHomPhoneCell},
    {"CallbackTelephoneNumber", &CImpressionDoc::setHomPhonePager},
};

} // namespace

void CPIMOutlook::addNewRecord(const CImpressionDoc& doc)
{
    try {
        const AutoObjectPtr outlook = contacts::createObject(QStringLiteral("Outlook.Application"));
        if (!outlook) {
            ui::msgBox(QStringLiteral("Unable to start Outlook"), ui::Buttons::Ok, ui::Icon::Exclamation);
            return;
        }
        const AutoObjectPtr item = addContactItem(outlook);
        if (!item) {
            ui::msgBox(QStringLiteral("Outlook is not responding properly.\r\n\r\nPlease contact Mr. Pembly."),
                       ui::Buttons::Ok, ui::Icon::Critical);
            return;
        }
        item->call(QStringLiteral("display"));

        const auto put = [&](const char* property, const QString& strValue) {
            item->set(QLatin1String(property), strValue);
        };
        const auto read = [&](const char* property) { return item->get(QLatin1String(property)).toString(); };
        const auto appendToBody = [&](const QString& strText) { put("Body", read("Body") + strText); };
        const auto street = [](const QString& strExtAddress, const QString& strStreet) {
            return isBlank(strExtAddress) ? strStreet : strExtAddress + CrLf + strStreet;
        };

        put("Title", doc.NamTitle());
        put("FirstName", doc.NamFirst());
        put("MiddleName", doc.NamMiddle());
        put("LastName", doc.NamLast());
        put("NickName", doc.NamNickname());
        put("suffix", doc.NamSuffix());
        // The contact manager composes the full name from the parts; a formatted name
        // that differs from it is kept in the notes.
        if (isBlank(read("FullName")))
            put("FullName", doc.NamFormattedName());
        else
            appendToBody(doc.NamFormattedName() + CrLf + CrLf);
        put("Email1Address", doc.NamEmail());
        put("WebPage", doc.NamURL());
        appendToBody(doc.NamNotes() + CrLf + CrLf);
        put("CompanyName", doc.BusCompany());
        put("JobTitle", doc.BusTitle());
        put("BusinessAddressStreet", street(doc.BusExtAddress(), doc.BusStreet()));
        put("BusinessAddressCity", doc.BusCity());
        put("BusinessAddressState", doc.BusState());
        put("BusinessAddressPostalCode", doc.BusZip());
        put("BusinessAddressCountry", doc.BusCountry());
        put("OtherAddressPostOfficeBox", doc.BusPOBox());
        put("OtherAddressCity", doc.BusPOCity());
        put("OtherAddressState", doc.BusPOState());
        put("OtherAddressPostalCode", doc.BusPOZip());
        put("OtherAddressCountry", doc.BusPOCountry());
        put("BusinessTelephoneNumber", doc.BusPhoneVoice());
        put("BusinessFaxNumber", doc.BusPhoneFax());
        put("MobileTelephoneNumber", doc.BusPhoneCell());
        put("PagerNumber", doc.BusPhonePager());
        put("HomeAddressStreet", street(doc.HomExtAddress(), doc.HomStreet()));
        put("HomeAddressCity", doc.HomCity());
        put("HomeAddressState", doc.HomState());
        put("HomeAddressPostalCode", doc.HomZip());
        put("HomeAddressCountry", doc.HomCountry());
        // The other address takes the home post-office block only when the business
        // block left all of it free; otherwise the home block goes into the notes.
        const bool bOtherAddressFree = isBlank(read("OtherAddressPostOfficeBox")) &&
                                       isBlank(read("OtherAddressCity")) && isBlank(read("OtherAddressState")) &&
                                       isBlank(read("OtherAddressPostalCode")) && isBlank(read("OtherAddressCountry"));
        if (bOtherAddressFree) {
            put("OtherAddressPostOfficeBox", doc.HomPOBox());
            put("OtherAddressCity", doc.HomPOCity());
            put("OtherAddressState", doc.HomPOState());
            put("OtherAddressPostalCode", doc.HomPOZip());
            put("OtherAddressCountry", doc.HomPOCountry());
        } else {
            appendToBody(QStringLiteral("Home PO Address") + CrLf);
            appendToBody(doc.HomPOBox() + CrLf);
            appendToBody(doc.HomPOCity() + QStringLiteral(", ") + doc.HomPOState() + QStringLiteral("  ") +
                         doc.HomPOZip() + CrLf);
            appendToBody(doc.HomPOCountry());
        }
        put("HomeTelephoneNumber", doc.HomPhoneVoice());
        put("HomeFaxNumber", doc.HomPhoneFax());
        // A home number never replaces a business one: it takes the second slot.
        put(isBlank(read("MobileTelephoneNumber")) ? "MobileTelephoneNumber" : "Home2TelephoneNumber",
            doc.HomPhoneCell());
        put(isBlank(read("PagerNumber")) ? "PagerNumber" : "CallbackTelephoneNumber", doc.HomPhonePager());

        item->call(QStringLiteral("Save"));
        item->call(QStringLiteral("Close"), {QVariant::fromValue(CloseSaving)});
    } catch (const vb::Error& error) {
        reportRunTimeError(error);
    }
}

void CPIMOutlook::getCurrentRecord(CImpressionDoc& doc)
{
    try {
        const AutoObjectPtr outlook = contacts::createObject(QStringLiteral("Outlook.Application"));
        if (!outlook) {
            ui::msgBox(QStringLiteral("Unable to launch Outlook."), ui::Buttons::Ok, ui::Icon::Exclamation);
            return;
        }
        const AutoObjectPtr inspector = toObject(outlook->get(QStringLiteral("ActiveInspector")));
        if (!inspector) {
            reportNoContactOpen();
            return;
        }
        const AutoObjectPtr item = toObject(inspector->get(QStringLiteral("CurrentItem")));
        if (contacts::typeName(item).toUpper() != QLatin1String("CONTACTITEM")) {
            reportNoContactOpen();
            return;
        }
        for (const ImportedField& field : ImportedFields)
            (doc.*field.set)(item->get(QLatin1String(field.property)).toString());
    } catch (const vb::Error& error) {
        reportRunTimeError(error);
    }
}
