#pragma once

#include <QString>

#include <array>

// The recently used files of one file type, newest first, for the File menus. Nine are
// kept in the settings of the program title, section "MRU" & file type, keys "MRU0".."MRU8";
// every change is stored at once.
class CMostRecentlyUsed
{
public:
    // Sets the file type ("Impression", "Layout") and loads the stored list.
    void configure(const QString& strFileType);

    // The full path in slot nIndex (0..9), empty for an empty slot. Another index raises
    // run-time error 9.
    QString getMRUFileName(qint16 nIndex) const;
    // The menu text of slot nIndex: the path, shortened to about 40 characters.
    QString getMRUDisplayName(qint16 nIndex) const;

    // Records that a file was used: it moves (or comes) to the top.
    void addMostRecent(const QString& strFileName);

private:
    static constexpr int Slots = 10;
    static constexpr int StoredSlots = 9;

    QString fileType() const;
    QString section() const;
    int findEntry(const QString& path) const;
    void loadList();
    void saveList() const;
    void insertAtTop(const QString& path);
    void moveToTop(int index);
    static QString shortenFolder(const QString& folder, int budget);
    static QString makeDisplayName(const QString& path);
    const QString& slot(qint16 nIndex) const;

    QString m_strFileType;
    std::array<QString, Slots> m_list;
};
