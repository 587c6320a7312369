#pragma once

#include "platform/files/AtomicFile.h"

#include <QString>

#include <array>
#include <cstdint>

// The 42 contact fields of an impression, in slot order.
#define QV_IMPRESSION_FIELDS(X)                                                                                        \
    X(NamTitle)                                                                                                        \
    X(NamFirst)                                                                                                        \
    X(NamMiddle)                                                                                                       \
    X(NamLast)                                                                                                         \
    X(NamSuffix)                                                                                                       \
    X(NamNickname)                                                                                                     \
    X(NamFormattedName)                                                                                                \
    X(NamEmail)                                                                                                        \
    X(NamURL)                                                                                                          \
    X(NamNotes)                                                                                                        \
    X(BusTitle)                                                                                                        \
    X(BusCompany)                                                                                                      \
    X(BusExtAddress)                                                                                                   \
    X(BusStreet)                                                                                                       \
    X(BusCity)                                                                                                         \
    X(BusState)                                                                                                        \
    X(BusZip)                                                                                                          \
    X(BusCountry)                                                                                                      \
    X(BusPOBox)                                                                                                        \
    X(BusPOCity)                                                                                                       \
    X(BusPOState)                                                                                                      \
    X(BusPOZip)                                                                                                        \
    X(BusPOCountry)                                                                                                    \
    X(BusPhoneVoice)                                                                                                   \
    X(BusPhonePager)                                                                                                   \
    X(BusPhoneFax)                                                                                                     \
    X(BusPhoneCell)                                                                                                    \
    X(HomExtAddress)                                                                                                   \
    X(HomStreet)                                                                                                       \
    X(HomCity)                                                                                                         \
    X(HomState)                                                                                                        \
    X(HomZip)                                                                                                          \
    X(HomCountry)                                                                                                      \
    X(HomPOBox)                                                                                                        \
    X(HomPOCity)                                                                                                       \
    X(HomPOState)                                                                                                      \
    X(HomPOZip)                                                                                                        \
    X(HomPOCountry)                                                                                                    \
    X(HomPhoneVoice)                                                                                                   \
    X(HomPhonePager)                                                                                                   \
    X(HomPhoneFax)                                                                                                     \
    X(HomPhoneCell)

// One person's impression: 42 contact fields, the six lines of The Corvel Words, their
// font and the version of the file it came from. A plain record; the file formats live
// in the IImpressionFile classes.
class CImpressionDoc
{
public:
#define QV_IMPRESSION_SLOT(name) slot##name,
    enum Slot : int
    {
        QV_IMPRESSION_FIELDS(QV_IMPRESSION_SLOT) slotCwLines
    };
#undef QV_IMPRESSION_SLOT

    static constexpr int FieldCount = 42;
    static constexpr int LineCount = 6;
    static constexpr int SlotCount = FieldCount + LineCount;
    static constexpr int MinFontSize = 1; // the sizes the words' font accepts
    static constexpr int MaxFontSize = 1638;

    CImpressionDoc();

#define QV_IMPRESSION_ACCESSORS(name)                                                                                  \
    const QString& name() const                                                                                        \
    {                                                                                                                  \
        return m_slots[slot##name];                                                                                    \
    }                                                                                                                  \
    void set##name(const QString& strData)                                                                             \
    {                                                                                                                  \
        m_slots[slot##name] = strData;                                                                                 \
    }
    QV_IMPRESSION_FIELDS(QV_IMPRESSION_ACCESSORS)
#undef QV_IMPRESSION_ACCESSORS

    // Contact field by slot, 0 to 41; another slot raises error 9.
    const QString& field(int nSlot) const;
    void setField(int nSlot, const QString& strData);
    // The property name of a field slot ("NamFirst"), empty for another slot.
    static QString fieldName(int nSlot);

    // The words' face name; empty or blank text sets "Arial".
    const QString& CwFontName() const
    {
        return m_fontName;
    }
    void setCwFontName(const QString& strData);

    // The words' size in points; a size the font refuses sets 6.
    std::int32_t CwFontSize() const
    {
        return m_fontSize;
    }
    void setCwFontSize(std::int32_t nData);

    // Line 0 to 5 of The Corvel Words; any other index raises error 9 and stores nothing.
    const QString& CwLines(std::int16_t nIndex) const;
    void setCwLines(std::int16_t nIndex, const QString& strData);

    std::int16_t FileVersion() const
    {
        return m_fileVersion;
    }
    void setFileVersion(std::int16_t nVersion)
    {
        m_fileVersion = nVersion;
    }

    // True when the file was read into this document.
    bool readFile(const QString& strFileName);
    // True when the file was written, always in the current format. bIncludeXFields
    // adds the font and the six lines. A work file is not flushed to the disk.
    bool writeFile(const QString& strFileName, bool bIncludeXFields,
                   files::Durability durability = files::Durability::Durable) const;

    void clearAll();

private:
    static constexpr std::int16_t CurrentFileVersion = 3;

    std::array<QString, SlotCount> m_slots;
    QString m_fontName;
    std::int32_t m_fontSize;
    std::int16_t m_fileVersion;
};
