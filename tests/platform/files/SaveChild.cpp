// save_child <kind> <folder> <small|large>: runs one of the programs' writers in a process of
// its own, so that a test can give it a file-size limit or a full disk. Each writer replaces
// its file in <folder> with a small or a large version of its content. It prints
// "target <path>", then "saved" or "failed", each message box it would show as
// "message <text>", and "done".
#include "model/CImpressionDoc.h"
#include "model/CVCFFileV1.h"
#include "platform/contacts/ContactStore.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryValue.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"

#include "ChildSide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

using testing_support::say;

class PrintedMessages : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        say(QStringLiteral("message ") + QString(message.text).replace(u'\r', u' '));
        return ui::defaultAnswer(message);
    }
};

CImpressionDoc impression(bool large)
{
    CImpressionDoc doc;
    doc.setNamFirst(QStringLiteral("Ada"));
    doc.setNamLast(QStringLiteral("Lovelace"));
    doc.setBusCompany(QStringLiteral("Analytical Engines"));
    doc.setNamNotes(large ? QString(20000, u'n') : QStringLiteral("Small"));
    return doc;
}

bool saveImpression(const QString& target, bool large)
{
    return impression(large).writeFile(target, true);
}

bool exportVCard(const QString& target, bool large)
{
    return CVCFFileV1().writeFile(impression(large), target, true);
}

bool saveSetting(bool large)
{
    return settings::saveSetting(QStringLiteral("Quorvane"), QStringLiteral("Preferences"), QStringLiteral("Note"),
                                 large ? QString(20000, u's') : QStringLiteral("small"));
}

bool saveRegistryValue(bool large)
{
    registry::Handle key = 0;
    if (registry::createKey(registry::Root::CurrentUser, QStringLiteral("Software\\Corvel\\Test"),
                            registry::KeyAllAccess, key) != registry::Success)
        return false;
    const QByteArray data = large ? QByteArray(20000, 'r') : QByteArray("small");
    const long status = registry::setValue(key, QStringLiteral("Note"), registry::RegSz, data);
    registry::closeKey(key);
    return status == registry::Success;
}

bool saveContact(const QString& folder, bool large)
{
    const auto store = contacts::ContactStore::open(folder);
    if (!store)
        return false;
    auto card = store->item(QStringLiteral("ada"));
    if (!card)
        card = contacts::ContactCard::create(QStringLiteral("ada"), QStringLiteral("ada"));
    card->setValue(contacts::Field::FullName, QStringLiteral("Ada Lovelace"));
    card->setValue(contacts::Field::Body, large ? QString(20000, u'c') : QStringLiteral("small"));
    const contacts::StoreResult result = store->save(*card);
    if (!result)
        say(QStringLiteral("message ") + result.error);
    return bool(result);
}

bool makeSymbol(const QString& folder, const QString& target, bool large)
{
    // The vCard the symbol encodes was written by the test beforehand.
    return pdf417::ConvertFileToSymbolBMP_V2(QDir(folder).filePath(large ? "large.vcf" : "small.vcf"), target,
                                             pdf417::CardSymbol) == pdf417::Done;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const bool large = qstrcmp(argv[3], "large") == 0;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + QStringLiteral("/config")));
    QCoreApplication app(argc, argv);
    PrintedMessages messages;
    ui::messageService.set(&messages);

    QString target;
    bool saved = false;
    if (kind == u"impression") {
        target = QDir(folder).filePath(QStringLiteral("card.imf"));
        saved = saveImpression(target, large);
    } else if (kind == u"export") {
        target = QDir(folder).filePath(QStringLiteral("card.vcf"));
        saved = exportVCard(target, large);
    } else if (kind == u"settings") {
        target = settings::settingsFilePath(QStringLiteral("Quorvane"));
        saved = saveSetting(large);
    } else if (kind == u"registry") {
        target = registry::userHivePath(registry::Root::CurrentUser);
        saved = saveRegistryValue(large);
    } else if (kind == u"contact") {
        const QString store = QDir(folder).filePath(QStringLiteral("contacts"));
        target = QDir(store).filePath(QStringLiteral("ada.vcf"));
        saved = saveContact(store, large);
    } else if (kind == u"symbol") {
        target = QDir(folder).filePath(QStringLiteral("tmpsymbol.bmp"));
        saved = makeSymbol(folder, target, large);
    } else {
        return 2;
    }
    say(QStringLiteral("target ") + target);
    say(saved ? QStringLiteral("saved") : QStringLiteral("failed"));
    say(QStringLiteral("done"));
    return 0;
}
