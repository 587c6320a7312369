#pragma once

#include "platform/ipc/IpcFrame.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The contact database of the CardScan stand-in, kept in memory: cards of named fields with
// one address block (database version 4) or two (version 5, the second under "2nd " names),
// a current card that commands and field requests address, and the card the user selected.
//
// Executes: CreateCard, Setindex(<n>), Search("") (clears a search; nothing else is searched),
// SetField(<field>, "<value>"), DeleteCard(<record id>); command names ignore case.
// Requests: Total, Selectindex (-1: none), RecordID, Label(<label>), Field(<field>).
// A field the layout lacks is refused on writing and reads empty; "Full Name" reads as the
// name parts joined while it was never written.
class CardDatabase
{
public:
    explicit CardDatabase(int nVersion);

    int version() const { return m_twoAddressBlocks ? 5 : 4; }

    ipc::Status execute(const QString& command);
    ipc::Reply request(const QString& item);

    // The user selects a card in the list; false when there is no such card (-1 clears).
    bool select(int index);
    qsizetype total() const { return m_cards.size(); }
    // One line per card: its index, record id and filled fields.
    QStringList describe() const;

private:
    struct Card
    {
        QString recordId;
        QMap<QString, QString> fields; // by the layout's own field name
    };

    // The layout's spelling of a field name, or empty when the layout lacks it.
    QString fieldName(const QString& name) const;
    QString fieldValue(const Card& card, const QString& field) const;
    ipc::Status setField(const QString& arguments);
    ipc::Status deleteCard(const QString& recordId);
    bool hasCurrent() const { return m_current >= 0 && m_current < m_cards.size(); }

    bool m_twoAddressBlocks;
    QList<Card> m_cards;
    qsizetype m_current = -1;
    qsizetype m_selected = -1;
    int m_lastRecordId = 0;
};
