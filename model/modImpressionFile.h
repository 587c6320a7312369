#pragma once

#include "model/IImpressionFile.h"
#include "platform/files/AtomicFile.h"

#include <QString>

#include <memory>

class CImpressionDoc;

// Reading and writing impressions as vCard text through the vCard library's property
// indices: 0 the vCard version, 1 to 42 the contact fields (slot + 1), 43 the file
// version, 45 and 46 the words' font, 47 to 52 the six lines.
namespace modImpressionFile {

constexpr int idxVersion = 0;
constexpr int idxFirstField = 1;
constexpr int idxFileVersion = 43;
constexpr int idxFontName = 45;
constexpr int idxFontSize = 46;
constexpr int idxFirstLine = 47;

// The multi-line fields (NamNotes, BusStreet, HomStreet) keep their line breaks as
// backslash-n in the file.
bool isMultiLineIndex(int nIndex);

// The reader for a file, chosen by its vCard version and file version; none when the
// file cannot be loaded or carries a vCard version other than "3.0".
std::unique_ptr<IImpressionFile> getImpressionFileReader(const QString& strFileName);

// The read every reader shares. False when the file cannot be loaded (doc unchanged) or
// a value cannot be converted (fields already read stay set).
bool readVCardIntoImpression(CImpressionDoc& doc, const QString& strFileName);

// Puts doc on a new current card (version, the non-blank fields, with bFileVersion the
// file version "3", with bIncludeXFields the font and the lines) and saves it to the file.
// True when saved.
bool writeVCardFromImpression(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                              bool bFileVersion, files::Durability durability = files::Durability::Durable);

// The current-format write: as above with the file version; a failed save shows
// "Unable to save" and gives False.
bool writeCurrentFormat(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                        files::Durability durability = files::Durability::Durable);

} // namespace modImpressionFile
