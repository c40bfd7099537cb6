#include "ui/text_format.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace {

// One parsed conversion: "%[flags][width][.precision][length]letter".
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    wchar_t letter = 0;
    const wchar_t* end = nullptr;
};

// Keeps absurd widths from producing huge texts; every result is cut anyway.
constexpr int kMaxFieldWidth = 512;

int ReadNumber(const wchar_t*& p) {
    int value = 0;
    while (*p >= L'0' && *p <= L'9') {
        value = std::min(value * 10 + (*p - L'0'), kMaxFieldWidth);
        ++p;
    }
    return value;
}

bool ParseConversion(const wchar_t* p, Conversion& c) {
    ++p;  // '%'
    while (*p && std::wcschr(L"-+ #0", *p)) c.flags.push_back(static_cast<char>(*p++));
    if (*p >= L'0' && *p <= L'9') c.width = ReadNumber(p);
    if (*p == L'.') {
        ++p;
        c.precision = ReadNumber(p);
    }
    while (*p == L'h' || *p == L'l') ++p;
    if (!*p) return false;
    c.letter = *p;
    c.end = p + 1;
    return true;
}

FormatArg::Kind KindOf(wchar_t letter, bool& known) {
    known = true;
    if (std::wcschr(L"diuxXc", letter)) return FormatArg::Kind::Integer;
    if (std::wcschr(L"feEgG", letter)) return FormatArg::Kind::Real;
    if (letter == L's') return FormatArg::Kind::Text;
    known = false;
    return FormatArg::Kind::Text;
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (; *text; ++text) wide.push_back(static_cast<unsigned char>(*text));
    return wide;
}

std::wstring FormatNumber(const Conversion& c, const FormatArg& arg) {
    std::string conversion = "%" + c.flags;
    if (c.width >= 0) conversion += std::to_string(c.width);
    if (c.precision >= 0) conversion += "." + std::to_string(c.precision);
    char buffer[kMaxFieldWidth * 2 + 64];
    if (c.letter == L'c') return std::wstring(1, static_cast<wchar_t>(arg.Integer()));
    if (arg.GetKind() == FormatArg::Kind::Integer) {
        conversion += "ll";
        conversion.push_back(static_cast<char>(c.letter));
        std::snprintf(buffer, sizeof buffer, conversion.c_str(), arg.Integer());
    } else {
        conversion.push_back(static_cast<char>(c.letter));
        std::snprintf(buffer, sizeof buffer, conversion.c_str(), arg.Real());
    }
    return Widen(buffer);
}

std::wstring FormatString(const Conversion& c, const wchar_t* text) {
    std::wstring value(text);
    if (c.precision >= 0 && value.size() > static_cast<size_t>(c.precision)) value.resize(c.precision);
    if (c.width > 0 && value.size() < static_cast<size_t>(c.width)) {
        const std::wstring pad(c.width - value.size(), L' ');
        value = c.flags.find('-') != std::string::npos ? value + pad : pad + value;
    }
    return value;
}

}  // namespace

bool FormatText(const wchar_t* format, std::initializer_list<FormatArg> args, std::wstring& result,
                std::size_t capacity) {
    result.clear();
    if (!format || capacity == 0) return false;
    auto next = args.begin();
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            result.push_back(*p++);
            continue;
        }
        if (p[1] == L'%') {
            result.push_back(L'%');
            p += 2;
            continue;
        }
        Conversion c;
        bool known = false;
        if (!ParseConversion(p, c) || next == args.end()) {
            result.clear();
            return false;
        }
        const FormatArg::Kind kind = KindOf(c.letter, known);
        if (!known || kind != next->GetKind()) {
            result.clear();
            return false;
        }
        result += kind == FormatArg::Kind::Text ? FormatString(c, next->Text()) : FormatNumber(c, *next);
        ++next;
        p = c.end;
    }
    if (next != args.end()) {
        result.clear();
        return false;
    }
    result = Bounded(std::move(result), capacity);
    return true;
}

std::wstring FormatText(const wchar_t* format, std::initializer_list<FormatArg> args, std::size_t capacity) {
    std::wstring result;
    FormatText(format, args, result, capacity);
    return result;
}

std::wstring ConversionLetters(const wchar_t* format) {
    std::wstring letters;
    if (!format) return letters;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            ++p;
        } else if (p[1] == L'%') {
            p += 2;
        } else {
            Conversion c;
            bool known = false;
            if (!ParseConversion(p, c)) return letters + L'?';
            KindOf(c.letter, known);
            letters.push_back(known ? c.letter : L'?');
            p = c.end;
        }
    }
    return letters;
}

std::wstring Bounded(std::wstring text, std::size_t capacity) {
    if (capacity == 0) return std::wstring();
    if (text.size() > capacity - 1) text.resize(capacity - 1);
    return text;
}
