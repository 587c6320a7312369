#include "platform/shell/DesktopEntry.h"

namespace shell {

namespace {

// A value of the file: a backslash and the control characters are written as escapes.
QString escapeValue(const QString& value)
{
    QString out;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// An argument of the command line, quoted when it holds a character the line reserves;
// "%" is doubled in any case, since a single one starts a field code.
QString quoteArgument(const QString& argument)
{
    static const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString doubled = argument;
    doubled.replace(u'%', QStringLiteral("%%"));
    bool mustQuote = argument.isEmpty();
    for (QChar c : argument)
        mustQuote = mustQuote || Reserved.contains(c) || c == u'=';
    if (!mustQuote)
        return doubled;
    QString quoted = QStringLiteral("\"");
    for (QChar c : doubled) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

QString list(const QStringList& items)
{
    QString out;
    for (const QString& item : items)
        out += escapeValue(item) + u';';
    return out;
}

} // namespace

QString DesktopEntry::exec() const
{
    QString line = quoteArgument(program);
    if (takesFile)
        line += QStringLiteral(" %f");
    return line;
}

QByteArray DesktopEntry::text() const
{
    QString out = QStringLiteral("[Desktop Entry]\nType=Application\n");
    auto add = [&out](const char* key, const QString& value) {
        if (!value.isEmpty())
            out += QLatin1String(key) + u'=' + value + u'\n';
    };
    add("Name", escapeValue(name));
    add("GenericName", escapeValue(genericName));
    add("Comment", escapeValue(comment));
    add("Exec", escapeValue(exec()));
    add("TryExec", escapeValue(program));
    add("Icon", escapeValue(icon));
    add("Terminal", QStringLiteral("false"));
    add("Categories", list(categories));
    add("MimeType", list(mimeTypes));
    return out.toUtf8();
}

} // namespace shell
