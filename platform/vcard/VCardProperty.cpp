#include "platform/vcard/VCardProperty.h"

#include "platform/vcard/VCardText.h"

namespace vcard {

Property::Property(const QString& name, const QString& rawValue) : m_name(name.toUpper()), m_value(rawValue) {}

void Property::setName(const QString& name)
{
    m_name = name.toUpper();
}

void Property::addParameter(const QString& name, const QStringList& values)
{
    m_parameters += Parameter{name.toUpper(), values};
}

void Property::removeParameter(const QString& name)
{
    m_parameters.removeIf([&](const Parameter& p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; });
}

QStringList Property::parameterValues(const QString& name) const
{
    QStringList values;
    for (const Parameter& p : m_parameters)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            values += p.values;
    return values;
}

bool Property::hasType(const QString& type) const
{
    return parameterValues(QStringLiteral("TYPE")).contains(type, Qt::CaseInsensitive);
}

QString Property::text() const
{
    return unescapeText(m_value);
}

void Property::setText(const QString& text)
{
    m_value = escapeText(text);
}

QStringList Property::components() const
{
    QStringList parts = splitRaw(m_value, u';');
    for (QString& part : parts)
        part = unescapeText(part);
    return parts;
}

void Property::setComponents(const QStringList& components)
{
    QStringList parts;
    for (const QString& c : components)
        parts += escapeText(c);
    m_value = joinRaw(parts, u';');
}

} // namespace vcard
