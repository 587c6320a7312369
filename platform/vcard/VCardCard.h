#pragma once

#include "platform/vcard/VCardProperty.h"

#include <QByteArray>
#include <QList>

namespace vcard {

// How a card stood in the file it was read from, so that writing it back changes only what
// changed: the bytes before its BEGIN line (a byte-order mark, text between cards), its
// BEGIN and END lines, what follows the last card of the file, and the line end the file
// uses. Empty for a card made here.
struct CardLayout
{
    QByteArray before;
    QByteArray begin;
    QByteArray end;
    QByteArray after;
    QByteArray lineEnd = "\r\n";

    bool isFromFile() const { return !begin.isEmpty(); }
};

// One vCard: its properties in file order, VERSION included. Names are matched
// without case.
class Card
{
public:
    const QList<Property>& properties() const { return m_properties; }
    QList<Property>& properties() { return m_properties; }

    // The first property of that name, or nullptr.
    const Property* property(const QString& name) const;
    Property* property(const QString& name);
    // Every property of that name, in order.
    QList<Property> properties(const QString& name) const;

    void append(const Property& property) { m_properties += property; }
    // Removes every property of that name; returns how many went.
    qsizetype removeAll(const QString& name);

    // The VERSION value, empty when the card has none.
    QString version() const;

    const CardLayout& layout() const { return m_layout; }
    void setLayout(const CardLayout& layout) { m_layout = layout; }

    bool isEmpty() const { return m_properties.isEmpty(); }
    void clear()
    {
        m_properties.clear();
        m_layout = CardLayout();
    }

    // Equal in meaning: the same properties in the same order, however they were written.
    bool operator==(const Card& other) const { return m_properties == other.m_properties; }

private:
    QList<Property> m_properties;
    CardLayout m_layout;
};

} // namespace vcard
