#pragma once

#include <QByteArray>
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

// One property (content line) of a card. The value is kept in vCard 3.0 form (escaped,
// unfolded, decoded from quoted-printable and from the file's character set); text() and
// components() give the unescaped forms.
//
// A property read from a file also keeps the bytes it had there, its source, for as long as
// it is not changed: a card written back puts every unchanged property back byte for byte,
// whatever this system understood of it. A line of a card that is no property (one no
// reader can parse, or a card nested in the card) is kept as a nameless property that has
// nothing but its source.
class Property
{
public:
    Property() = default;
    explicit Property(const QString& name, const QString& rawValue = QString());
    // A line (or lines) of a card kept only as the bytes they were.
    static Property verbatim(const QByteArray& source);

    const QString& name() const { return m_name; }
    void setName(const QString& name);
    bool isVerbatim() const { return m_name.isEmpty(); }

    // The group before the name ("item1" in "item1.TEL"), empty when none.
    const QString& group() const { return m_group; }
    void setGroup(const QString& group);

    const QList<Parameter>& parameters() const { return m_parameters; }
    void addParameter(const QString& name, const QStringList& values);
    void removeParameter(const QString& name);
    // The values of every parameter of that name, in order.
    QStringList parameterValues(const QString& name) const;

    // True when a TYPE parameter lists `type` (compared without case).
    bool hasType(const QString& type) const;

    const QString& value() const { return m_value; }
    void setValue(const QString& rawValue);

    QString text() const;
    void setText(const QString& text);

    // The parts of a structured value (N, ADR, ORG), unescaped.
    QStringList components() const;
    void setComponents(const QStringList& components);

    // The bytes of the property in the file it was read from, line ends included; empty once
    // it is changed (setting a value it already has is no change) and for a new property.
    const QByteArray& source() const { return m_source; }
    void setSource(const QByteArray& source) { m_source = source; }

    // Equal in meaning: group, name, parameters and value (verbatim lines by their bytes).
    bool operator==(const Property& other) const;

private:
    QString m_group;
    QString m_name;
    QList<Parameter> m_parameters;
    QString m_value;
    QByteArray m_source;
};

} // namespace vcard
