#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The sheets of card stock the programs lay cards out on, and the ten card positions of a
// sheet: five rows of two, position i in row i / 2 (row 0 at the top) and column i % 2
// (column 0 on the left). The template sheet uses six of the ten positions.
namespace modLayoutTypes {

constexpr qint16 AveryLayout = 0;    // "Avery 5371 Compatible", 5 rows x 2 columns
constexpr qint16 LabelsLayout = 1;   // "The Corvel Labels", 5 rows x 2 columns
constexpr qint16 TemplateLayout = 2; // "The Corvel Template", 3 rows x 2 columns

constexpr int PositionCount = 10;
constexpr int TemplatePositionCount = 6;

// The short names the layout window's type box lists, and the long texts of the printer
// setup and the preferences, by layout type.
QStringList layoutShortNames();
QStringList layoutLongTexts();

// Whether a position is printed on a sheet of the type: the template hides 2, 3, 6 and 7.
bool isPositionInUse(qint16 nLayoutType, qint16 nPosition);

// Template position t (0..5, the items "1".."6") to the sheet position: 0, 1, 4, 5, 8, 9.
qint16 templateIndexToPosition(qint16 t);
// A sheet position to its template position: (p + 1) / 2, halves to even; the inverse of
// templateIndexToPosition on the six template positions.
qint16 positionToTemplateIndex(qint16 p);

} // namespace modLayoutTypes
