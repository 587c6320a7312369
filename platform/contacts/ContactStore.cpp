#include "platform/contacts/ContactStore.h"

#include "platform/vcard/VCardReader.h"
#include "platform/vcard/VCardWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

namespace contacts {

namespace {

constexpr qint64 MaxFrontFileBytes = 4096;
constexpr qsizetype MaxIdLength = 200;

QString readError(const vcard::ReadResult& result)
{
    switch (result.error) {
    case vcard::ReadResult::Error::None:
        break;
    case vcard::ReadResult::Error::CannotOpen:
        return QStringLiteral("cannot be read");
    case vcard::ReadResult::Error::TooLarge:
        return QStringLiteral("is too large for a contact");
    case vcard::ReadResult::Error::NoCard:
        return QStringLiteral("holds no complete vCard");
    }
    if (result.cards.size() != 1)
        return QStringLiteral("holds %1 vCards where a contact file holds one").arg(result.cards.size());
    return QString();
}

QString saveError(const vcard::SaveResult& result, const QString& fileName)
{
    if (result.error == vcard::SaveResult::Error::ReadOnly)
        return QStringLiteral("%1 is read-only.").arg(QDir::toNativeSeparators(fileName));
    return QStringLiteral("%1 cannot be written (%2).").arg(QDir::toNativeSeparators(fileName), result.reason);
}

} // namespace

ContactStore::ContactStore(QString folder) : m_folder(std::move(folder)) {}

QString ContactStore::defaultFolder()
{
    const QString overridden = qEnvironmentVariable("QV_CONTACTS_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/corvel/contacts");
}

std::shared_ptr<ContactStore> ContactStore::open(const QString& folder, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (folder.isEmpty())
        return fail(QStringLiteral("No folder is given for the contacts."));
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!QDir().mkpath(path))
            return fail(QStringLiteral("The contacts folder %1 cannot be created.").arg(path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else if (!info.isDir()) {
        return fail(QStringLiteral("%1 is not a folder.").arg(path));
    }
    if (!QFileInfo(path).isWritable())
        return fail(QStringLiteral("The contacts folder %1 is not writable.").arg(path));
    return std::shared_ptr<ContactStore>(new ContactStore(path));
}

QList<ContactCard> ContactStore::items() const
{
    const QString suffix = QLatin1String(FileSuffix);
    QDir dir(m_folder);
    dir.setNameFilters({u'*' + suffix});
    dir.setFilter(QDir::Files | QDir::CaseSensitive);
    dir.setSorting(QDir::Name);
    QList<ContactCard> found;
    for (const QString& name : dir.entryList()) {
        const QString id = name.chopped(suffix.size());
        if (!isValidId(id))
            continue;
        if (auto card = readItem(id))
            found += *card;
    }
    return found;
}

std::optional<ContactCard> ContactStore::item(const QString& id) const
{
    if (!isValidId(id) || !QFileInfo(filePath(id)).isFile())
        return std::nullopt;
    return readItem(id);
}

std::optional<ContactCard> ContactStore::readItem(const QString& id) const
{
    const QString path = filePath(id);
    const vcard::ReadResult result = vcard::Reader::readFile(path);
    const QString error = readError(result);
    if (!error.isEmpty()) {
        qWarning("contacts: skipped %s: it %s", qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(error));
        return std::nullopt;
    }
    return ContactCard(id, result.cards.first());
}

ContactCard ContactStore::newItem() const
{
    for (;;) {
        const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!QFileInfo::exists(filePath(uid)))
            return ContactCard::create(uid, uid);
    }
}

StoreResult ContactStore::save(const ContactCard& card) const
{
    if (!isValidId(card.id()))
        return {QStringLiteral("\"%1\" cannot name a contact file.").arg(card.id())};
    const QString path = filePath(card.id());
    // A file this store cannot read whole (several cards, a cut card, another program's
    // damage) is never replaced by what the card holds: that would lose the rest of it.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        const QString error = readError(vcard::Reader::readFile(path));
        if (!error.isEmpty())
            return {QStringLiteral("%1 %2, so it is not replaced; the contact is not saved.")
                        .arg(QDir::toNativeSeparators(path), error)};
    }
    const vcard::SaveResult result = vcard::Writer::saveFile(path, card.fileData());
    if (!result)
        return {saveError(result, path)};
    return {};
}

QString ContactStore::frontId() const
{
    QFile file(QDir(m_folder).filePath(QLatin1String(FrontFileName)));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString id = QString::fromUtf8(file.read(MaxFrontFileBytes)).section(u'\n', 0, 0).trimmed();
    return isValidId(id) ? id : QString();
}

StoreResult ContactStore::setFrontId(const QString& id) const
{
    const QString path = QDir(m_folder).filePath(QLatin1String(FrontFileName));
    if (id.isEmpty()) {
        if (QFileInfo(path).isFile() && !QFile::remove(path))
            return {QStringLiteral("%1 cannot be removed.").arg(QDir::toNativeSeparators(path))};
        return {};
    }
    if (!isValidId(id))
        return {QStringLiteral("\"%1\" cannot name a contact file.").arg(id)};
    const vcard::SaveResult result = vcard::Writer::saveFile(path, id.toUtf8() + '\n');
    if (!result)
        return {saveError(result, path)};
    return {};
}

bool ContactStore::isValidId(const QString& id)
{
    return !id.isEmpty() && id.size() <= MaxIdLength && !id.startsWith(u'.') && !id.contains(u'/') &&
           !id.contains(QChar(0));
}

QString ContactStore::filePath(const QString& id) const
{
    return QDir(m_folder).filePath(id + QLatin1String(FileSuffix));
}

} // namespace contacts
