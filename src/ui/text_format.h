#pragma once
// Bounded printf-style formatting of UTF-16 texts. Texts are only ever arguments, never
// formats, so a '%' inside a file name or a translated text is shown as it is. A format whose
// conversions do not fit the arguments formats nothing.
#include <cstddef>
#include <initializer_list>
#include <string>

class FormatArg {
public:
    enum class Kind { Integer, Real, Text };
    FormatArg(int value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(unsigned value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(long value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(unsigned long value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(long long value) : kind_(Kind::Integer), integer_(value) {}
    FormatArg(unsigned long long value) : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}
    FormatArg(const wchar_t* text) : kind_(Kind::Text), text_(text ? text : L"") {}
    FormatArg(const std::wstring& text) : kind_(Kind::Text), text_(text.c_str()) {}

    Kind GetKind() const { return kind_; }
    long long Integer() const { return integer_; }
    double Real() const { return real_; }
    const wchar_t* Text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    double real_ = 0.0;
    const wchar_t* text_ = L"";
};

// Fixed text buffers of the program hold this many characters, terminator included.
constexpr std::size_t kTextCapacity = 260;

// Formats into at most capacity - 1 characters (the rest is cut). Returns false, with an empty
// result, when a conversion is unknown or does not match its argument's kind or count.
bool FormatText(const wchar_t* format, std::initializer_list<FormatArg> args, std::wstring& result,
                std::size_t capacity = kTextCapacity);

// The same, returning the text (empty when the format does not fit the arguments).
std::wstring FormatText(const wchar_t* format, std::initializer_list<FormatArg> args,
                        std::size_t capacity = kTextCapacity);

// The conversion letters of a format in order ("%6.4f x %6.4f" gives "ff"; "%%" is skipped).
// An unknown conversion gives "?" in its place.
std::wstring ConversionLetters(const wchar_t* format);

// Cuts a text to at most capacity - 1 characters.
std::wstring Bounded(std::wstring text, std::size_t capacity = kTextCapacity);
