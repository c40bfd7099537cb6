#pragma once
// Copies a text into a fixed zero-terminated slot of a record, cutting it to fit.
#include <cstddef>
#include <cwchar>

template <size_t N>
void CopyFixedText(wchar_t (&slot)[N], const wchar_t* text) {
    wcsncpy(slot, text, N - 1);
    slot[N - 1] = 0;
}
