#include "platform/vcard/VCardCard.h"

namespace vcard {

namespace {

bool isNamed(const Property& p, const QString& name)
{
    return p.name().compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

const Property* Card::property(const QString& name) const
{
    for (const Property& p : m_properties)
        if (isNamed(p, name))
            return &p;
    return nullptr;
}

Property* Card::property(const QString& name)
{
    for (Property& p : m_properties)
        if (isNamed(p, name))
            return &p;
    return nullptr;
}

QList<Property> Card::properties(const QString& name) const
{
    QList<Property> found;
    for (const Property& p : m_properties)
        if (isNamed(p, name))
            found += p;
    return found;
}

qsizetype Card::removeAll(const QString& name)
{
    return m_properties.removeIf([&](const Property& p) { return isNamed(p, name); });
}

QString Card::version() const
{
    const Property* p = property(QStringLiteral("VERSION"));
    return p ? p->text().trimmed() : QString();
}

} // namespace vcard
