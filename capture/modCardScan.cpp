#include "capture/modCardScan.h"

#include "capture/CCardScan4.h"
#include "capture/CCardScan5.h"
#include "capture/CPIMOutlook.h"
#include "common/MainHelperText.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ipc/WindowClass.h"
#include "platform/scanner/CardScanSdk.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbNumber.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

#include <algorithm>

namespace modCardScan {

namespace {

// The scan mode the card scans use.
constexpr int CardScanMode = 5;
// How long the connection attempts after a start wait for events between tries.
constexpr int ConnectRetryStepMs = 100;

// The module's hold on the DDE control, taken on first use and dropped at shutdown.
ipc::DdeLink* g_label = nullptr;
// The scanner SDK session; 0 while the SDK is not open.
qint32 g_hSDK = 0;

ipc::DdeLink& label()
{
    if (!g_label)
        g_label = &ddeControl();
    return *g_label;
}

bool isBlank(const QString& strText)
{
    return std::all_of(strText.cbegin(), strText.cend(), [](QChar c) { return c == u' '; });
}

// Starts CardScan from its registered folder; raises the start's error when it fails.
void startCardScan()
{
    const QString strFolder = modRegistryLow::getStringValue(modRegistryLow::Root::LocalMachine, CardScanAppPathKey,
                                                             QStringLiteral("PATH"), QString());
    const shell::StartResult started =
        shell::desktop().startProgram(strFolder + QStringLiteral("/cs.exe"), {QStringLiteral("/NOQUERY")});
    if (!started)
        throw vb::Error(started.errorNumber, QCoreApplication::applicationName(), started.description);
}

// Opens the manual link to a CardScan that was just started: until it listens, every attempt
// finds no server, so the attempts go on, events running, for ConnectRetryMs.
void openStartedLink(ipc::DdeLink& link)
{
    const ui::BusyCursor busy;
    const qint64 startMs = ui::clock().msecs();
    for (;;) {
        try {
            link.setLinkMode(ipc::DdeLink::Manual);
            return;
        } catch (const vb::Error& error) {
            if (error.number() != ipc::err::NoServer || ui::clock().msecs() - startMs >= ConnectRetryMs)
                throw;
        }
        ui::waitEvents(ConnectRetryStepMs);
    }
}

// The non-address fields an export writes: the name parts, then (after "Full Name") the rest.
struct WrittenField
{
    const char* field;
    const QString& (CImpressionDoc::*get)() const;
};

constexpr WrittenField NameFields[] = {
    {"Name Prefix", &CImpressionDoc::NamTitle},  {"First Name", &CImpressionDoc::NamFirst},
    {"Middle Name", &CImpressionDoc::NamMiddle}, {"Last Name", &CImpressionDoc::NamLast},
    {"Name Suffix", &CImpressionDoc::NamSuffix},
};

constexpr WrittenField OtherFields[] = {
    {"Email", &CImpressionDoc::NamEmail},
    {"Web Page", &CImpressionDoc::NamURL},
    {"Title", &CImpressionDoc::BusTitle},
    {"Company", &CImpressionDoc::BusCompany},
    {"Phone", &CImpressionDoc::BusPhoneVoice},
    {"Pager", &CImpressionDoc::BusPhonePager},
    {"Fax", &CImpressionDoc::BusPhoneFax},
    {"Mobile", &CImpressionDoc::BusPhoneCell},
    {"Phone - Home", &CImpressionDoc::HomPhoneVoice},
    {"Phone - Home Pager", &CImpressionDoc::HomPhonePager},
    {"Phone - Home Fax", &CImpressionDoc::HomPhoneFax},
    {"Phone - Home Mobile", &CImpressionDoc::HomPhoneCell},
};

void writeFields(const CImpressionDoc& doc, const auto& fields)
{
    for (const WrittenField& row : fields)
        setCardField(QLatin1String(row.field), (doc.*row.get)());
}

// The first of the fields that is not empty, or an empty text.
QString firstFilledField(std::initializer_list<const char*> fields)
{
    QString strValue;
    for (const char* field : fields) {
        strValue = requestCardField(QLatin1String(field));
        if (!strValue.isEmpty())
            break;
    }
    return strValue;
}

void deleteCurrentCard()
{
    const QString strRecordID = requestCardItem(QStringLiteral("RecordID")).toString();
    executeCardScanCommand(QStringLiteral("DeleteCard(") + strRecordID + u')');
}

} // namespace

ipc::DdeLink& ddeControl()
{
    static QPointer<ipc::DdeLink> control;
    if (!control) {
        control = new ipc::DdeLink(QCoreApplication::instance());
        control->setCaption(QStringLiteral("DDE Label"));
    }
    return *control;
}

void connectCardScan()
{
    ipc::DdeLink& link = label();
    if (link.linkMode() != ipc::DdeLink::None) {
        link.setLinkMode(ipc::DdeLink::None);
        link.setLinkMode(ipc::DdeLink::Manual);
        return;
    }
    startCardScan();
    link.setLinkTopic(CardScanTopic);
    openStartedLink(link);
}

void executeCardScanCommand(const QString& strCommand)
{
    label().linkExecute(strCommand);
}

void setCardField(const QString& strField, const QString& strValue)
{
    if (isBlank(strValue))
        return;
    executeCardScanCommand(QStringLiteral("SetField(") + strField + QStringLiteral(", \"") + strValue +
                           QStringLiteral("\")"));
}

QString requestCardField(const QString& strField)
{
    return requestCardItem(QStringLiteral("Field(") + strField + u')').toString();
}

QVariant requestCardItem(const QString& strItem)
{
    ipc::DdeLink& link = label();
    link.setLinkItem(strItem);
    link.linkRequest();
    return link.caption();
}

void writeFieldsToCard(const CImpressionDoc& doc)
{
    try {
        writeFields(doc, NameFields);
        // CardScan may have composed the full name from the parts just written.
        if (isBlank(requestCardField(QStringLiteral("Full Name"))))
            setCardField(QStringLiteral("Full Name"), doc.NamFormattedName());
        writeFields(doc, OtherFields);
    } catch (const vb::Error&) {
        // The caller's next command meets the same trouble and reports it.
    }
}

void readCurrentCard(CImpressionDoc& doc)
{
    try {
        connectCardScan();
        const qint16 nIndex = vb::toInt16(requestCardItem(QStringLiteral("Selectindex")).toString());
        executeCardScanCommand(QStringLiteral("Search(\"\")"));
        if (nIndex < 0) {
            ui::msgBox(
                QStringLiteral("No contact is selected in the CardScan database.\r\n\r\nPlease select a contact."),
                ui::Buttons::Ok, ui::Icon::Exclamation);
            return;
        }
        executeCardScanCommand(QStringLiteral("Setindex(") + QString::number(nIndex) + u')');

        const auto field = [](const char* name) { return requestCardField(QLatin1String(name)); };
        doc.setNamTitle(field("Name Prefix"));
        doc.setNamFirst(field("First Name"));
        doc.setNamMiddle(field("Middle Name"));
        doc.setNamLast(field("Last Name"));
        doc.setNamSuffix(field("Name Suffix"));
        doc.setNamFormattedName(field("Full Name"));
        doc.setNamEmail(field("Email"));
        doc.setNamURL(field("Web Page"));
        doc.setNamNotes(field("Other"));
        if (!doc.NamNotes().isEmpty())
            doc.setNamNotes(doc.NamNotes() + QStringLiteral("\r\n"));
        doc.setNamNotes(doc.NamNotes() + field("Notes"));
        doc.setBusTitle(field("Title"));
        doc.setBusCompany(field("Company"));
        doc.setBusStreet(field("Street Address"));
        doc.setBusCity(field("City"));
        doc.setBusState(field("State"));
        doc.setBusZip(field("Zip Code"));
        doc.setBusCountry(field("Country"));
        doc.setBusPhoneVoice(field("Phone"));
        doc.setBusPhonePager(field("Pager"));
        doc.setBusPhoneFax(field("Fax"));
        doc.setBusPhoneCell(firstFilledField({"Phone - Cell", "Mobile", "Phone - Cellular"}));
        doc.setHomStreet(field("2nd Street Address"));
        doc.setHomCity(field("2nd City"));
        doc.setHomState(field("2nd State"));
        doc.setHomZip(field("2nd Zip Code"));
        doc.setHomCountry(field("2nd Country"));
        doc.setHomPhoneVoice(field("Phone - Home"));
        doc.setHomPhonePager(field("Phone - Home Pager"));
        doc.setHomPhoneFax(field("Phone - Home Fax"));
        doc.setHomPhoneCell(firstFilledField({"Phone - Home Cell", "Phone - Home Mobile", "Phone - Home Cellular"}));
    } catch (const vb::Error&) {
        ui::msgBox(QStringLiteral("CardScan is not responding.\r\n\r\nCheck if a CardScan dialog box needs closing."),
                   ui::Buttons::Ok, ui::Icon::Exclamation);
    }
}

std::unique_ptr<IPIMDatabase> getCardScanDatabase()
{
    std::unique_ptr<IPIMDatabase> database;
    bool bTemporaryCard = false;
    try {
        connectCardScan();
        // An empty database answers no label request: a card is made for the probe.
        if (requestCardItem(QStringLiteral("Total")).toString() == QLatin1String("0")) {
            executeCardScanCommand(QStringLiteral("CreateCard"));
            bTemporaryCard = true;
        }
        if (requestCardItem(QStringLiteral("Label(2nd Address )")).toString() == QLatin1String("2nd Address"))
            database = std::make_unique<CCardScan5>();
        else
            database = std::make_unique<CCardScan4>();
        if (bTemporaryCard) {
            bTemporaryCard = false;
            deleteCurrentCard();
        }
    } catch (const vb::Error&) {
        // The probe never leaves its card behind in the user's database.
        if (bTemporaryCard) {
            try {
                deleteCurrentCard();
            } catch (const vb::Error&) {
            }
        }
        ui::msgBox(QStringLiteral("Unable to communicate with CardScan.\rPlease ensure that CardScan is installed "
                                  "correctly."),
                   ui::Buttons::Ok, ui::Icon::Critical);
    }
    return database;
}

std::unique_ptr<IPIMDatabase> getDefaultPIMDatabase()
{
    switch (modRegistryHigh::getDefaultPIM()) {
    case 0:
        return getCardScanDatabase();
    case 1:
        return std::make_unique<CPIMOutlook>();
    default:
        return nullptr;
    }
}

bool initCardScanSDK()
{
    if (g_hSDK != 0)
        return true;
    bool bInitialised = false;
    try {
        bInitialised = scanner::CRTK_Init(g_hSDK) == scanner::CrtkSuccess;
    } catch (const vb::Error&) {
        // The SDK cannot start at all (no scanner library): the scan goes no further.
        g_hSDK = 0;
        ui::msgBox(
            QStringLiteral("CardScan initialization failure.\rPlease ensure that CardScan is installed correctly."),
            ui::Buttons::Ok, ui::Icon::Critical);
        return false;
    }
    if (!bInitialised)
        g_hSDK = 0;
    checkAutoSense(false);
    return bInitialised;
}

bool scanCardImage(const QString& strFileName)
{
    if (g_hSDK == 0 && !initCardScanSDK())
        return false;
    checkAutoSense(true);
    // A failed scan must not leave an older bitmap to be decoded.
    if (modMainHelper::fileExists(strFileName) && !QFile::remove(strFileName))
        return false;
    if (scanner::CRTK_ScanAcquire(g_hSDK, CardScanMode) != scanner::CrtkSuccess)
        return false;
    return scanner::CRTK_ImageExport(g_hSDK, QStringLiteral("BMP"), strFileName) == scanner::CrtkSuccess;
}

void checkAutoSense(bool bPlacingCard)
{
    if (modRegistryLow::getDWordValueHKCU(AutoSenseKey, AutoSenseValue, 0) == 0)
        return;
    for (;;) {
        ui::Message question;
        question.text = QStringLiteral("CardScan is set to automatically detect and capture\n  cards, and ") +
                        ui::programTitle() +
                        QStringLiteral(" cannot process them.\n\nDisable 'Detect Cards Automatically' in CardScan?\n");
        question.buttons = ui::Buttons::YesNo;
        question.icon = ui::Icon::Exclamation;
        question.title = ui::programTitle() + QStringLiteral(" - Warning");
        question.helpTopic = AutoSenseHelpTopic;
        if (ui::msgBox(question) != ui::Answer::Yes)
            return;
        if (isCardScanRunning()) {
            const QString strThen = bPlacingCard ? QStringLiteral("close CardScan and then place card in scanner.\n"
                                                                  "When you are finished press OK.")
                                                 : QStringLiteral("close CardScan and then press OK.");
            ui::msgBox(QStringLiteral("CardScan must not be running for your changes to take effect.\n\n"
                                      "To continue, first ") +
                           strThen,
                       ui::Buttons::Ok, ui::Icon::Critical);
        }
        if (!isCardScanRunning()) {
            modRegistryLow::setDWordValueHKCU(AutoSenseKey, AutoSenseValue, 0);
            return;
        }
    }
}

bool isCardScanRunning()
{
    return ipc::WindowClass::isPresent(CardScanWindowClass);
}

void shutdownCardScan()
{
    if (g_hSDK != 0)
        scanner::CRTK_Term(g_hSDK);
    g_hSDK = 0;
    g_label = nullptr;
}

} // namespace modCardScan
