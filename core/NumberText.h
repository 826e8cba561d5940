#pragma once
#include <QString>

// Number <-> text conversions of the program. They always use "." as the
// decimal point, whatever the regional settings of the system are.

// The shortest decimal text of v with at most 15 significant digits, without
// exponent and without leading space: 438.125 -> "438.125", 400 -> "400".
QString shortestDecimalText(double v);

// The shortest decimal text with a leading space standing for the sign of a
// non-negative number (" 400"), or "-" for a negative one, as the status bar
// and the model window show numbers.
QString signedNumberText(double v);

// The numeric value of a text: its leading number, spaces anywhere inside it
// skipped, "." as the decimal point; a text that does not begin with a
// number reads as 0.
double numericValue(const QString &text);
