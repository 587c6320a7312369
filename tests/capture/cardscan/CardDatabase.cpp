#include "CardDatabase.h"

#include <optional>

namespace {

const QStringList CardFields = {
    QStringLiteral("Name Prefix"),
    QStringLiteral("First Name"),
    QStringLiteral("Middle Name"),
    QStringLiteral("Last Name"),
    QStringLiteral("Name Suffix"),
    QStringLiteral("Full Name"),
    QStringLiteral("Email"),
    QStringLiteral("Web Page"),
    QStringLiteral("Title"),
    QStringLiteral("Company"),
    QStringLiteral("Street Address"),
    QStringLiteral("City"),
    QStringLiteral("State"),
    QStringLiteral("Zip Code"),
    QStringLiteral("Country"),
    QStringLiteral("Phone"),
    QStringLiteral("Pager"),
    QStringLiteral("Fax"),
    QStringLiteral("Mobile"),
    QStringLiteral("Phone - Cell"),
    QStringLiteral("Phone - Cellular"),
    QStringLiteral("Phone - Home"),
    QStringLiteral("Phone - Home Pager"),
    QStringLiteral("Phone - Home Fax"),
    QStringLiteral("Phone - Home Mobile"),
    QStringLiteral("Phone - Home Cell"),
    QStringLiteral("Phone - Home Cellular"),
    QStringLiteral("Notes"),
    QStringLiteral("Other"),
};
const QStringList SecondAddressFields = {
    QStringLiteral("2nd Street Address"), QStringLiteral("2nd City"),    QStringLiteral("2nd State"),
    QStringLiteral("2nd Zip Code"),       QStringLiteral("2nd Country"),
};
const QStringList NameParts = {
    QStringLiteral("Name Prefix"), QStringLiteral("First Name"),  QStringLiteral("Middle Name"),
    QStringLiteral("Last Name"),   QStringLiteral("Name Suffix"),
};
const QString FullName = QStringLiteral("Full Name");

ipc::Reply accepted(const QString& data)
{
    return ipc::Reply{ipc::Status::Accepted, data};
}

// The text between "<name>(" and the final ")", when `text` is such a call.
std::optional<QString> argumentsOf(const QString& text, QLatin1StringView name)
{
    if (text.size() < name.size() + 2 || !text.startsWith(name, Qt::CaseInsensitive) || text.at(name.size()) != u'(' ||
        !text.endsWith(u')'))
        return std::nullopt;
    return text.mid(name.size() + 1, text.size() - name.size() - 2);
}

} // namespace

CardDatabase::CardDatabase(int nVersion) : m_twoAddressBlocks(nVersion >= 5) {}

QString CardDatabase::fieldName(const QString& name) const
{
    for (const QStringList* fields : {&CardFields, &SecondAddressFields}) {
        if (fields == &SecondAddressFields && !m_twoAddressBlocks)
            break;
        for (const QString& field : *fields) {
            if (field.compare(name, Qt::CaseInsensitive) == 0)
                return field;
        }
    }
    return {};
}

QString CardDatabase::fieldValue(const Card& card, const QString& field) const
{
    if (field != FullName || card.fields.contains(FullName))
        return card.fields.value(field);
    QStringList parts;
    for (const QString& part : NameParts) {
        if (const QString value = card.fields.value(part).trimmed(); !value.isEmpty())
            parts.append(value);
    }
    return parts.join(u' ');
}

ipc::Status CardDatabase::execute(const QString& command)
{
    if (command.compare(QLatin1String("CreateCard"), Qt::CaseInsensitive) == 0) {
        m_cards.append(Card{QString::number(++m_lastRecordId), {}});
        m_current = m_selected = m_cards.size() - 1;
        return ipc::Status::Accepted;
    }
    if (const auto index = argumentsOf(command, QLatin1StringView("Setindex"))) {
        bool ok = false;
        const int n = index->trimmed().toInt(&ok);
        if (!ok || n < 0 || n >= m_cards.size())
            return ipc::Status::Rejected;
        m_current = m_selected = n;
        return ipc::Status::Accepted;
    }
    if (const auto text = argumentsOf(command, QLatin1StringView("Search")))
        return *text == QLatin1String("\"\"") ? ipc::Status::Accepted : ipc::Status::Rejected;
    if (const auto arguments = argumentsOf(command, QLatin1StringView("SetField")))
        return setField(*arguments);
    if (const auto recordId = argumentsOf(command, QLatin1StringView("DeleteCard")))
        return deleteCard(recordId->trimmed());
    return ipc::Status::Rejected;
}

ipc::Status CardDatabase::setField(const QString& arguments)
{
    // <field>, "<value>": the value runs to the last quote, inner quotes and all.
    const qsizetype comma = arguments.indexOf(QLatin1String(", \""));
    if (comma < 0 || !hasCurrent() || arguments.size() < comma + 4 || !arguments.endsWith(u'"'))
        return ipc::Status::Rejected;
    const QString field = fieldName(arguments.left(comma));
    if (field.isEmpty())
        return ipc::Status::Rejected;
    m_cards[m_current].fields.insert(field, arguments.mid(comma + 3, arguments.size() - comma - 4));
    return ipc::Status::Accepted;
}

ipc::Status CardDatabase::deleteCard(const QString& recordId)
{
    for (qsizetype i = 0; i < m_cards.size(); ++i) {
        if (m_cards[i].recordId != recordId)
            continue;
        m_cards.removeAt(i);
        // The next card becomes the current one; the selection ends with its card.
        if (m_current > i || m_current == m_cards.size())
            --m_current;
        if (m_selected == i)
            m_selected = -1;
        else if (m_selected > i)
            --m_selected;
        return ipc::Status::Accepted;
    }
    return ipc::Status::Rejected;
}

ipc::Reply CardDatabase::request(const QString& item)
{
    if (item.compare(QLatin1String("Total"), Qt::CaseInsensitive) == 0)
        return accepted(QString::number(m_cards.size()));
    if (item.compare(QLatin1String("Selectindex"), Qt::CaseInsensitive) == 0)
        return accepted(QString::number(m_selected));
    // Everything else is about the current card; an empty database answers none of it.
    if (!hasCurrent())
        return ipc::Reply{};
    if (item.compare(QLatin1String("RecordID"), Qt::CaseInsensitive) == 0)
        return accepted(m_cards[m_current].recordId);
    if (const auto label = argumentsOf(item, QLatin1StringView("Label"))) {
        const QString name = label->trimmed();
        if (name.compare(QLatin1String("Address"), Qt::CaseInsensitive) == 0)
            return accepted(QStringLiteral("Address"));
        if (m_twoAddressBlocks && name.compare(QLatin1String("2nd Address"), Qt::CaseInsensitive) == 0)
            return accepted(QStringLiteral("2nd Address"));
        return accepted(QString());
    }
    if (const auto field = argumentsOf(item, QLatin1StringView("Field"))) {
        const QString name = fieldName(*field);
        return accepted(name.isEmpty() ? QString() : fieldValue(m_cards[m_current], name));
    }
    return ipc::Reply{};
}

bool CardDatabase::select(int index)
{
    if (index < -1 || index >= m_cards.size())
        return false;
    m_selected = index;
    return true;
}

QStringList CardDatabase::describe() const
{
    QStringList lines;
    for (qsizetype i = 0; i < m_cards.size(); ++i) {
        QStringList fields;
        for (auto it = m_cards[i].fields.cbegin(); it != m_cards[i].fields.cend(); ++it)
            fields.append(it.key() + QStringLiteral("=") + it.value());
        lines.append(QStringLiteral("card %1 id %2%3 %4")
                         .arg(i)
                         .arg(m_cards[i].recordId, i == m_selected ? QStringLiteral(" selected") : QString(),
                              fields.join(QStringLiteral("; "))));
    }
    return lines;
}
