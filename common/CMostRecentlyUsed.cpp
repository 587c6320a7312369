#include "common/CMostRecentlyUsed.h"

#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

namespace {

constexpr int DisplayLength = 40;
constexpr int NameLength = 30;

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

QString mruKey(int i)
{
    return QStringLiteral("MRU") + QString::number(i);
}

} // namespace

void CMostRecentlyUsed::configure(const QString& strFileType)
{
    m_strFileType = strFileType;
    loadList();
}

QString CMostRecentlyUsed::fileType() const
{
    return m_strFileType;
}

QString CMostRecentlyUsed::section() const
{
    return QStringLiteral("MRU") + fileType();
}

const QString& CMostRecentlyUsed::slot(qint16 nIndex) const
{
    if (nIndex < 0 || nIndex >= Slots)
        throw vb::Error::runtime(vb::err::SubscriptOutOfRange, ui::programTitle());
    return m_list[static_cast<size_t>(nIndex)];
}

QString CMostRecentlyUsed::getMRUFileName(qint16 nIndex) const
{
    return slot(nIndex);
}

QString CMostRecentlyUsed::getMRUDisplayName(qint16 nIndex) const
{
    const QString& path = slot(nIndex);
    return path.isEmpty() ? QString() : makeDisplayName(path);
}

void CMostRecentlyUsed::addMostRecent(const QString& strFileName)
{
    const int i = findEntry(strFileName);
    if (i == 0)
        return;
    if (i == -1)
        insertAtTop(strFileName);
    else
        moveToTop(i);
    saveList();
}

int CMostRecentlyUsed::findEntry(const QString& path) const
{
    // File names differ by case on this system, so the comparison is exact.
    for (int i = 0; i < StoredSlots; ++i)
        if (m_list[i] == path)
            return i;
    return -1;
}

void CMostRecentlyUsed::loadList()
{
    const QString app = ui::programTitle();
    if (settings::getSetting(app, section(), mruKey(0)).isEmpty())
        return;
    const auto entries = settings::getAllSettings(app, section());
    const int last = std::min<int>(static_cast<int>(entries.size()) - 1, StoredSlots - 1);
    for (int i = 0; i <= last; ++i)
        m_list[i] = entries[i].second;
}

void CMostRecentlyUsed::saveList() const
{
    QList<std::pair<QString, QString>> values;
    for (int i = 0; i < StoredSlots; ++i)
        values.append({mruKey(i), m_list[i]});
    settings::saveSettings(ui::programTitle(), section(), values);
}

void CMostRecentlyUsed::insertAtTop(const QString& path)
{
    for (int k = StoredSlots - 1; k >= 1; --k)
        m_list[k] = m_list[k - 1];
    m_list[0] = path;
}

void CMostRecentlyUsed::moveToTop(int index)
{
    const QString entry = m_list[index];
    for (int k = index; k >= 1; --k)
        m_list[k] = m_list[k - 1];
    m_list[0] = entry;
}

QString CMostRecentlyUsed::shortenFolder(const QString& folder, int budget)
{
    if (budget >= folder.size())
        return folder;
    // The last separator at or before position `budget` (1-based) ends the kept part.
    int k = 0;
    for (int pos = budget; pos >= 1; --pos) {
        if (isSeparator(folder[pos - 1])) {
            k = pos;
            break;
        }
    }
    return folder.left(k) + QStringLiteral("...") + folder.back();
}

QString CMostRecentlyUsed::makeDisplayName(const QString& path)
{
    if (path.size() <= DisplayLength)
        return path;
    qsizetype c = path.size();
    while (c > 0 && !isSeparator(path[c - 1]))
        --c;
    const QString folder = path.left(c);
    QString name = path.mid(c);
    if (name.size() > NameLength)
        name = name.left(NameLength) + QStringLiteral("...");
    return shortenFolder(folder, DisplayLength - static_cast<int>(name.size())) + name;
}
