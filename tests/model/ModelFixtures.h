#pragma once

#include "model/CImpressionDoc.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace model_test {

// Texts that catch escaping, structure and buffer faults.
QStringList awkwardValues();

// Every field and line filled with a different awkward value, a font and a size.
CImpressionDoc awkwardDocument();

// What a field gives back after a write and a read: the multi-line fields turn each
// line-break pair and each backslash-n into CR LF; every other field is exact.
QString afterRoundTrip(int nSlot, const QString& strValue);

// Writes a card through the vCard library with exactly the given index values.
void writeIndexedCard(const QString& fileName, const QList<QPair<int, QString>>& values);

void writeBytes(const QString& fileName, const QByteArray& data);

} // namespace model_test
