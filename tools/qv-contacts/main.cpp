// qv-contacts: the contact store from the command line. Lists the contacts, puts one
// in front (as if its form were open, so that an import takes it) and shows one.
#include "platform/contacts/ContactStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <optional>

using contacts::ContactCard;
using contacts::ContactStore;
using contacts::Field;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString& message, int code = ExitFailure)
{
    QTextStream(stderr) << "qv-contacts: " << message << Qt::endl;
    return code;
}

QString displayName(const ContactCard& card)
{
    const QString name = card.value(Field::FullName).trimmed();
    return name.isEmpty() ? QStringLiteral("(no name)") : name;
}

// The item a command line names: its id, its UID, or a part of its full name that only
// one item has (case ignored).
std::optional<ContactCard> resolve(const QList<ContactCard>& items, const QString& query, QString& error)
{
    for (const ContactCard& card : items)
        if (card.id() == query || card.uid() == query)
            return card;
    QList<ContactCard> matches;
    for (const ContactCard& card : items)
        if (card.value(Field::FullName).contains(query, Qt::CaseInsensitive))
            matches += card;
    if (matches.size() == 1)
        return matches.first();
    if (matches.isEmpty()) {
        error = QStringLiteral("no contact matches \"%1\"").arg(query);
    } else {
        QStringList ids;
        for (const ContactCard& card : matches)
            ids += card.id() + QStringLiteral(" (") + displayName(card) + u')';
        error = QStringLiteral("\"%1\" matches %2 contacts: %3").arg(query).arg(matches.size()).arg(ids.join(", "));
    }
    return std::nullopt;
}

int list(const ContactStore& store)
{
    const QString front = store.frontId();
    for (const ContactCard& card : store.items()) {
        const QString kind = card.isGroup() ? QStringLiteral("(group)") : card.value(Field::CompanyName);
        out() << (card.id() == front ? "* " : "  ") << card.id() << '\t' << displayName(card) << '\t' << kind
              << Qt::endl;
    }
    return 0;
}

int open(const ContactStore& store, const QString& query)
{
    QString error;
    const std::optional<ContactCard> card = resolve(store.items(), query, error);
    if (!card)
        return fail(error);
    if (const contacts::StoreResult result = store.setFrontId(card->id()); !result)
        return fail(result.error);
    out() << "In front: " << displayName(*card) << " (" << card->id() << ')' << Qt::endl;
    return 0;
}

int show(const ContactStore& store, const QString& query)
{
    QString error;
    std::optional<ContactCard> card;
    if (query.isEmpty()) {
        const QString front = store.frontId();
        if (front.isEmpty())
            return fail(QStringLiteral("no contact is open in front"));
        card = store.item(front);
        if (!card)
            return fail(QStringLiteral("the contact in front (%1) cannot be read").arg(front));
    } else {
        card = resolve(store.items(), query, error);
        if (!card)
            return fail(error);
    }
    out() << "Id: " << card->id() << Qt::endl << "UID: " << card->uid() << Qt::endl;
    if (card->isGroup())
        out() << "Group: " << displayName(*card) << Qt::endl;
    else
        for (Field field : ContactCard::fields()) {
            const QString value = card->value(field);
            if (value.isEmpty())
                continue;
            const QString name = ContactCard::fieldName(field);
            const QString indent(name.size() + 2, u' ');
            out() << name << ": " << QString(value).replace(QStringLiteral("\r\n"), u'\n' + indent) << Qt::endl;
        }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qv-contacts"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The contact store of the Corvel programs: %1\n\n"
                       "  list                 every contact; * marks the one open in front\n"
                       "  open <contact>       puts a contact in front, for an import\n"
                       "  show [<contact>]     the fields of a contact, by default the one in front\n\n"
                       "<contact> is an id, a UID or a part of the full name that only one contact has.\n"
                       "QV_CONTACTS_DIR names another store folder.")
            .arg(ContactStore::defaultFolder()));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("list, open or show"));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const bool known = (command == u"list" && args.size() == 1) || (command == u"open" && args.size() == 2) ||
                       (command == u"show" && args.size() <= 2);
    if (!known)
        return fail(QStringLiteral("usage: qv-contacts list | open <contact> | show [<contact>]"), ExitUsage);

    QString error;
    const auto store = ContactStore::open(ContactStore::defaultFolder(), &error);
    if (!store)
        return fail(error);
    if (command == u"list")
        return list(*store);
    if (command == u"open")
        return open(*store, args[1]);
    return show(*store, args.value(1));
}
