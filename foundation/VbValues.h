#pragma once

#include <QString>

#include <cstdint>

// VB's value conversions as the program relies on them. Failures raise platform::VbError
// (6 "Overflow", 13 "Type mismatch"). Text conversions follow platform::regional() alone, never
// the C library's numeric locale.
namespace vb {

// Round to whole numbers with halves to the even neighbour.
int16_t cint(double value);
int32_t clng(double value);
// To single precision; 6 when out of range.
float csng(double value);

// The number at the start of the text: blanks, tabs and line feeds inside it are skipped,
// "." is always the decimal point, &H/&O prefixes, an exponent; no number gives 0.
double val(const QString& text);

// Text to number under the regional decimal separator; 13 when the text is not a number.
double cdbl(const QString& text);
float csng(const QString& text);
int16_t cint(const QString& text);
int32_t clng(const QString& text);

// "True"/"False" in any case, or a number (0 false, else true); anything else 13.
bool cbool(const QString& text);
QString boolText(bool value); // "True" / "False"

// Text to date: the regional short date with an optional time, month names and
// abbreviations ("10 Dec, 2026 03:04:05 PM", "Dec 10, 2026 3:04:05 PM"), a time alone.
// 13 when it is not a date.
double cdate(const QString& text);

// A date formatted with VB's pattern letters: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn
// s ss, AM/PM am/pm A/P a/p (12-hour clock, the marker in the pattern's letter case: "Am/Pm"
// gives "Am" or "Pm"), AMPM (the regional markers), w ww q y, c, / and : as the regional separators,
// quoted or backslash-escaped literals. Weeks start on Sunday; week 1 holds 1 January.
QString format(double date, const QString& pattern);
// A number formatted with 0 # . , placeholders (e.g. "0.00").
QString formatNumber(double value, const QString& pattern);

// The standard text of a Single: up to 7 significant digits, no trailing zeros, the regional
// decimal separator, exponent form for very large or small values.
QString singleText(float value);
// The standard text of a Double (15 significant digits).
QString doubleText(double value);
// The standard text of a Date: the short date, then a blank and the time unless it is
// midnight; a date of 0 with a time is the time alone.
QString dateText(double date);
// Trim(): blanks removed at both ends; tabs, no-break spaces and other white space stay.
QString trim(const QString& text);
// Str(): like the standard text with a leading blank for non-negative numbers and "." always.
QString str(double value);

} // namespace vb
