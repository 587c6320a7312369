#pragma once

#include "platform/vcard/VCardProperty.h"

#include <QList>

namespace vcard {

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

    bool isEmpty() const { return m_properties.isEmpty(); }
    void clear() { m_properties.clear(); }

    bool operator==(const Card&) const = default;

private:
    QList<Property> m_properties;
};

} // namespace vcard
