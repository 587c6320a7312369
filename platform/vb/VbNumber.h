#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Number conversions with the semantics the programs were written against:
// locale-free reading, rounding halves to the even neighbour, overflow errors.
namespace vb {

// The numeric value of the leading number in `text`, like Val: blanks, tabs and
// line feeds anywhere are skipped, "." is the only decimal separator, an exponent
// (E or D) and the &H / &O prefixes are understood, and reading stops at the first
// character that cannot continue the number. Text without a number gives 0.
double val(QStringView text);

// The numeric reading of a stored setting: leading blanks are skipped, then the longest leading
// decimal number is taken (an optional sign, digits, "." and digits, an exponent with E). Unlike
// val, a blank ends the number ("1 2" gives 1) and "&H" / "&O" are not numbers. Text without a
// number gives 0.
double leadingDecimal(QStringView text);

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// Rounds and converts to a 16-bit or 32-bit integer; a result outside the range
// (or not a number) throws vb::Error with number 6 (Overflow).
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Converts text that must be a number as a whole (surrounding blanks allowed), then
// rounds as above. Text that is not a number throws vb::Error 13 (Type mismatch).
std::int16_t toInt16(QStringView text);
std::int32_t toInt32(QStringView text);

// True when `text` as a whole is a number that toInt16/toInt32 accept.
bool isNumeric(QStringView text);

// Number to text like Str: a leading blank for zero and positive numbers, "-" for
// negative ones, up to 15 significant digits, no leading zero before the decimal
// point (" .5"), exponent form for very large or small magnitudes (" 1E+16").
QString str(double value);

// Number to text without the sign blank, like CStr: "6", "-2", "0.5".
QString cstr(double value);

} // namespace vb
