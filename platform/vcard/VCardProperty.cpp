#include "platform/vcard/VCardProperty.h"

#include "platform/vcard/VCardText.h"

namespace vcard {

Property::Property(const QString& name, const QString& rawValue) : m_name(name.toUpper()), m_value(rawValue) {}

Property Property::verbatim(const QByteArray& source)
{
    Property p;
    p.m_source = source;
    return p;
}

void Property::setName(const QString& name)
{
    const QString upper = name.toUpper();
    if (upper != m_name) {
        m_name = upper;
        m_source.clear();
    }
}

void Property::setGroup(const QString& group)
{
    if (group != m_group) {
        m_group = group;
        m_source.clear();
    }
}

void Property::setValue(const QString& rawValue)
{
    if (rawValue != m_value) {
        m_value = rawValue;
        m_source.clear();
    }
}

void Property::addParameter(const QString& name, const QStringList& values)
{
    m_parameters += Parameter{name.toUpper(), values};
    m_source.clear();
}

void Property::removeParameter(const QString& name)
{
    if (m_parameters.removeIf([&](const Parameter& p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; }))
        m_source.clear();
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
    // The same text keeps the value as it stands (a file's own escaping included).
    if (text != this->text())
        setValue(escapeText(text));
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
    if (components == this->components())
        return;
    QStringList parts;
    for (const QString& c : components)
        parts += escapeText(c);
    setValue(joinRaw(parts, u';'));
}

bool Property::operator==(const Property& other) const
{
    if (isVerbatim() || other.isVerbatim())
        return isVerbatim() == other.isVerbatim() && m_source == other.m_source;
    return m_group == other.m_group && m_name == other.m_name && m_parameters == other.m_parameters &&
           m_value == other.m_value;
}

} // namespace vcard
