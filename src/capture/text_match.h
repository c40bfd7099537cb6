#pragma once
// How device names are compared with the sensor's identity texts.

// True when `text` contains `part`, both taken up to 259 characters and compared with A-Z folded
// to lower case (other characters as they are).
bool ContainsText(const wchar_t* text, const wchar_t* part);
// True when both are equal with A-Z folded to lower case.
bool EqualsIgnoringCase(const wchar_t* left, const wchar_t* right);
