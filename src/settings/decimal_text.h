#pragma once
// Numbers as the settings dialogs show and read them.
#include <string>

// "%g" of the value, as an edit control shows it.
std::wstring FormatDecimal(float value);

// A plain decimal number (digits, one point, optional sign and exponent, surrounding blanks).
// Anything else, and values that are negative or too large for a float, give 0.
float ParseDecimal(const std::wstring& text);
