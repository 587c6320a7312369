#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vcard {

// One parameter of a property: TYPE=WORK,VOICE is {"TYPE", {"WORK", "VOICE"}}.
struct Parameter
{
    QString name; // upper case
    QStringList values;

    bool operator==(const Parameter&) const = default;
};

// One property (content line) of a card. The value is kept as it stands in the file
// (escaped, unfolded, already decoded from quoted-printable), so that properties this
// system does not know are written back unchanged; text() and components() give the
// unescaped forms.
class Property
{
public:
    Property() = default;
    explicit Property(const QString& name, const QString& rawValue = QString());

    const QString& name() const { return m_name; }
    void setName(const QString& name);

    // The group before the name ("item1" in "item1.TEL"), empty when none.
    const QString& group() const { return m_group; }
    void setGroup(const QString& group) { m_group = group; }

    const QList<Parameter>& parameters() const { return m_parameters; }
    void addParameter(const QString& name, const QStringList& values);
    void removeParameter(const QString& name);
    // The values of every parameter of that name, in order.
    QStringList parameterValues(const QString& name) const;

    // True when a TYPE parameter lists `type` (compared without case).
    bool hasType(const QString& type) const;

    const QString& value() const { return m_value; }
    void setValue(const QString& rawValue) { m_value = rawValue; }

    QString text() const;
    void setText(const QString& text);

    // The parts of a structured value (N, ADR, ORG), unescaped.
    QStringList components() const;
    void setComponents(const QStringList& components);

    bool operator==(const Property&) const = default;

private:
    QString m_group;
    QString m_name;
    QList<Parameter> m_parameters;
    QString m_value;
};

} // namespace vcard
