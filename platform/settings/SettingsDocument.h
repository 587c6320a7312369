#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace settings {

struct ParseResult;

// An ordered store of sections of key/value texts, as one settings file holds it.
// Section and key names match without regard to case and keep the case they were
// first written with; sections and keys keep the order of their first writing.
// Any character may stand in a name or a value.
//
// Text form (UTF-8, one item a line):
//   # comment                  (also ";"; only at the start of a line)
//   [section name]
//   key=value                  (split at the first "="; blanks are part of the texts)
// Escapes in names and values: \\ \n \r \t, \xHH for other control characters and, in
// names, for = [ ] # ;  and \uHHHH for a UTF-16 unit that is no character of its own.
class SettingsDocument
{
public:
    struct Entry
    {
        QString key;
        QString value;
    };

    struct Section
    {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index; // case-folded key -> position in entries

        const Entry* find(const QString& key) const;
    };

    static ParseResult parse(QByteArrayView bytes);
    // The text form; `header` lines are written first as comments.
    QByteArray serialize(const QStringList& header = {}) const;

    const QList<Section>& sections() const { return m_sections; }
    const Section* section(const QString& name) const;
    std::optional<QString> value(const QString& section, const QString& key) const;

    Section& ensureSection(const QString& name);
    void setValue(const QString& section, const QString& key, const QString& value);
    bool removeValue(const QString& section, const QString& key);
    bool removeSection(const QString& section);

    bool operator==(const SettingsDocument& other) const;

private:
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_index; // case-folded section name -> position in m_sections
};

// The outcome of reading a text form; when `ok` is false, `line` (1-based) and `reason`
// say what is wrong and `document` is empty.
struct ParseResult
{
    bool ok = true;
    int line = 0;
    QString reason;
    SettingsDocument document;
};

// The escaped form of a name or a value, as the text form writes it.
QString escapeText(const QString& text, bool isName);
// The text an escaped form stands for; nullopt for a malformed escape.
std::optional<QString> unescapeText(QStringView text);

} // namespace settings
