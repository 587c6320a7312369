#pragma once

#include <QString>

// Pure helpers for file names and texts, shared by the file formats, the symbol
// routines and the windows. They keep no state and show no messages.
namespace modMainHelper {

// Replaces strPath with the part after its last "/" or "\"; a text without either
// is left unchanged.
void getFileNamePart(QString& strPath);

// False for an empty path. Otherwise true when the path names a normal file (not a
// folder, not a hidden file). A path with the wildcards * or ? counts as existing
// when any normal file in its folder matches.
bool fileExists(const QString& strPath);

// The text after the last "." of the whole path, in lower case, without the dot;
// empty when the path holds no dot. Folder separators do not stop the search.
QString getFileExtension(const QString& strPath);

// The text before the last "."; the whole path when it holds no ".".
QString stripFileExtension(const QString& strPath);

// Every occurrence of strFind replaced by strReplacement, searching left to right;
// replacements are not searched again. An empty strFind leaves the text unchanged.
QString replaceAll(const QString& strText, const QString& strFind, const QString& strReplacement);

// Every CR LF pair, then every LF CR pair still left, replaced by the two characters
// backslash and n, so that a multi-line text fits on one line. Lone CR and LF stay.
QString encodeNewlines(const QString& strText);

// Every backslash-n pair replaced by CR LF.
QString decodeNewlines(const QString& strText);

// The name without any of the characters \ / : * ? < > | and the double quote.
QString removeInvalidFileNameChars(const QString& strName);

// Removes strSuffix from the end of strText when strText is longer than it and ends with it,
// compared without regard to case ("card.IMF" less ".imf" is "card"; ".imf" stays ".imf").
void stripSuffix(QString& strText, const QString& strSuffix);

// The family help file in the program folder.
QString getHelpFilePath();

} // namespace modMainHelper
