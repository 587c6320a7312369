#include "platform/settings/SettingsDocument.h"

namespace settings {

namespace {

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

void appendHex(QString& out, char16_t unit, int digits)
{
    out += QString::number(unit, 16).rightJustified(digits, u'0');
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<char16_t> readHex(QStringView text, qsizetype at, int digits)
{
    if (at + digits > text.size())
        return std::nullopt;
    char16_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hexValue(text[at + i]);
        if (d < 0)
            return std::nullopt;
        value = static_cast<char16_t>(value * 16 + d);
    }
    return value;
}

} // namespace

QString escapeText(const QString& text, bool isName)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate()) {
            out += QStringLiteral("\\u");
            appendHex(out, u, 4);
        } else if (u == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (u == u'\n') {
            out += QStringLiteral("\\n");
        } else if (u == u'\r') {
            out += QStringLiteral("\\r");
        } else if (u == u'\t') {
            out += QStringLiteral("\\t");
        } else if (u < 0x20 || u == 0x7F ||
                   (isName && (u == u'=' || u == u'[' || u == u']' || u == u'#' || u == u';'))) {
            out += QStringLiteral("\\x");
            appendHex(out, u, 2);
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> unescapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'x':
        case u'u': {
            const int digits = text[i] == u'x' ? 2 : 4;
            const auto unit = readHex(text, i + 1, digits);
            if (!unit)
                return std::nullopt;
            out += QChar(*unit);
            i += digits;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

const SettingsDocument::Entry* SettingsDocument::Section::find(const QString& key) const
{
    const auto it = index.constFind(folded(key));
    return it == index.constEnd() ? nullptr : &entries[*it];
}

ParseResult SettingsDocument::parse(QByteArrayView bytes)
{
    ParseResult result;
    auto fail = [&result](int line, const QString& reason) {
        result.ok = false;
        result.line = line;
        result.reason = reason;
        result.document = SettingsDocument();
        return result;
    };

    if (!bytes.isValidUtf8())
        return fail(0, QStringLiteral("the file is not UTF-8 text"));
    const QString text = QString::fromUtf8(bytes);

    bool inSection = false;
    QString currentName;
    int lineNumber = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNumber;
        if (lineNumber == 1 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 2)
                return fail(lineNumber, QStringLiteral("a section line does not end with \"]\""));
            const auto name = unescapeText(line.mid(1, line.size() - 2));
            if (!name)
                return fail(lineNumber, QStringLiteral("malformed escape in a section name"));
            currentName = *name;
            result.document.ensureSection(currentName);
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return fail(lineNumber, QStringLiteral("a line is neither a section, a comment nor key=value"));
        if (!inSection)
            return fail(lineNumber, QStringLiteral("a value comes before the first section"));
        const auto key = unescapeText(line.left(eq));
        const auto value = unescapeText(line.mid(eq + 1));
        if (!key || !value)
            return fail(lineNumber, QStringLiteral("malformed escape"));
        result.document.setValue(currentName, *key, *value);
    }
    return result;
}

QByteArray SettingsDocument::serialize(const QStringList& header) const
{
    QString text;
    for (const QString& line : header)
        text += QStringLiteral("# ") + line + u'\n';
    for (const Section& s : m_sections) {
        if (!text.isEmpty())
            text += u'\n';
        text += u'[' + escapeText(s.name, true) + QStringLiteral("]\n");
        for (const Entry& e : s.entries)
            text += escapeText(e.key, true) + u'=' + escapeText(e.value, false) + u'\n';
    }
    return text.toUtf8();
}

const SettingsDocument::Section* SettingsDocument::section(const QString& name) const
{
    const auto it = m_index.constFind(folded(name));
    return it == m_index.constEnd() ? nullptr : &m_sections[*it];
}

std::optional<QString> SettingsDocument::value(const QString& section, const QString& key) const
{
    const Section* s = this->section(section);
    const Entry* e = s ? s->find(key) : nullptr;
    if (!e)
        return std::nullopt;
    return e->value;
}

SettingsDocument::Section& SettingsDocument::ensureSection(const QString& name)
{
    const QString f = folded(name);
    const auto it = m_index.constFind(f);
    if (it != m_index.constEnd())
        return m_sections[*it];
    m_index.insert(f, m_sections.size());
    m_sections.append(Section{name, {}, {}});
    return m_sections.last();
}

void SettingsDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = ensureSection(section);
    const QString f = folded(key);
    const auto it = s.index.constFind(f);
    if (it != s.index.constEnd()) {
        s.entries[*it].value = value;
        return;
    }
    s.index.insert(f, s.entries.size());
    s.entries.append(Entry{key, value});
}

bool SettingsDocument::removeValue(const QString& section, const QString& key)
{
    const auto sit = m_index.constFind(folded(section));
    if (sit == m_index.constEnd())
        return false;
    Section& s = m_sections[*sit];
    const auto it = s.index.constFind(folded(key));
    if (it == s.index.constEnd())
        return false;
    s.entries.removeAt(*it);
    s.index.clear();
    for (qsizetype i = 0; i < s.entries.size(); ++i)
        s.index.insert(folded(s.entries[i].key), i);
    return true;
}

bool SettingsDocument::removeSection(const QString& section)
{
    const auto it = m_index.constFind(folded(section));
    if (it == m_index.constEnd())
        return false;
    m_sections.removeAt(*it);
    m_index.clear();
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        m_index.insert(folded(m_sections[i].name), i);
    return true;
}

bool SettingsDocument::operator==(const SettingsDocument& other) const
{
    if (m_sections.size() != other.m_sections.size())
        return false;
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        const Section& a = m_sections[i];
        const Section& b = other.m_sections[i];
        if (a.name != b.name || a.entries.size() != b.entries.size())
            return false;
        for (qsizetype j = 0; j < a.entries.size(); ++j)
            if (a.entries[j].key != b.entries[j].key || a.entries[j].value != b.entries[j].value)
                return false;
    }
    return true;
}

} // namespace settings
