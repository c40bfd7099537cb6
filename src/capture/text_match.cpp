#include "capture/text_match.h"

#include <cwchar>

namespace {

constexpr size_t kTextCapacity = 260;

wchar_t FoldAsciiCase(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

void CopyFolded(const wchar_t* source, wchar_t (&target)[kTextCapacity]) {
    size_t i = 0;
    for (; source && source[i] && i + 1 < kTextCapacity; ++i) target[i] = FoldAsciiCase(source[i]);
    target[i] = L'\0';
}

}  // namespace

bool ContainsText(const wchar_t* text, const wchar_t* part) {
    wchar_t foldedText[kTextCapacity];
    wchar_t foldedPart[kTextCapacity];
    CopyFolded(text, foldedText);
    CopyFolded(part, foldedPart);
    return std::wcsstr(foldedText, foldedPart) != nullptr;
}

bool EqualsIgnoringCase(const wchar_t* left, const wchar_t* right) {
    if (!left || !right) return false;
    for (; *left && *right; ++left, ++right)
        if (FoldAsciiCase(*left) != FoldAsciiCase(*right)) return false;
    return *left == *right;
}
