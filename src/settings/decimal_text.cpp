#include "settings/decimal_text.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

std::wstring FormatDecimal(float value) {
    wchar_t buffer[32] = {};
    swprintf(buffer, 32, L"%g", static_cast<double>(value));
    return buffer;
}

namespace {

// wcstod also takes "inf", "nan" and hexadecimal numbers; the dialogs accept decimals only.
bool HasOnlyDecimalCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (!std::iswdigit(c) && !std::iswspace(c) && c != L'.' && c != L'+' && c != L'-' &&
            c != L'e' && c != L'E') {
            return false;
        }
    }
    return true;
}

}  // namespace

float ParseDecimal(const std::wstring& text) {
    if (!HasOnlyDecimalCharacters(text)) return 0.0f;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    const double value = std::wcstod(begin, &end);
    if (end == begin) return 0.0f;
    while (std::iswspace(*end)) ++end;
    if (*end != L'\0') return 0.0f;
    if (!std::isfinite(value) || value < 0.0 || value > 3.4e38) return 0.0f;
    return static_cast<float>(value);
}
