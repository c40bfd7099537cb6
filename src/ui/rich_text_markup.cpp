#include "ui/rich_text_markup.h"

#include <algorithm>
#include <cwctype>
#include <map>

namespace {

using Attributes = std::map<std::wstring, std::wstring>;

struct Tag {
    std::wstring name;  // lower case
    bool closing = false;
    Attributes attributes;
};

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Reads the inside of "<...>" (without the brackets).
Tag ReadTag(const std::wstring& inside) {
    Tag tag;
    std::size_t i = 0;
    const std::size_t n = inside.size();
    if (i < n && inside[i] == L'/') {
        tag.closing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < n && !IsSpace(inside[i]) && inside[i] != L'/') ++i;
    tag.name = Lower(inside.substr(nameStart, i - nameStart));
    while (i < n) {
        while (i < n && (IsSpace(inside[i]) || inside[i] == L'/')) ++i;
        const std::size_t keyStart = i;
        while (i < n && !IsSpace(inside[i]) && inside[i] != L'=') ++i;
        const std::wstring key = Lower(inside.substr(keyStart, i - keyStart));
        while (i < n && IsSpace(inside[i])) ++i;
        std::wstring value;
        if (i < n && inside[i] == L'=') {
            ++i;
            while (i < n && IsSpace(inside[i])) ++i;
            if (i < n && (inside[i] == L'"' || inside[i] == L'\'')) {
                const wchar_t quote = inside[i++];
                const std::size_t end = std::min(inside.find(quote, i), n);
                value = inside.substr(i, end - i);
                i = end + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < n && !IsSpace(inside[i])) ++i;
                value = inside.substr(valueStart, i - valueStart);
            }
        }
        if (!key.empty()) tag.attributes[key] = value;
    }
    return tag;
}

long long ParseNumber(const std::wstring& value) {
    try {
        std::size_t used = 0;
        const bool hex = value.size() > 2 && value[0] == L'0' && (value[1] == L'x' || value[1] == L'X');
        return std::stoll(hex ? value.substr(2) : value, &used, hex ? 16 : 10);
    } catch (...) {
        return 0;
    }
}

int ParseSize(const std::wstring& value) {
    if (value.empty()) return 0;
    const long long number = ParseNumber(value[0] == L'+' ? value.substr(1) : value);
    const long long size = value[0] == L'+' || value[0] == L'-' ? 3 + number : number;
    return static_cast<int>(std::clamp(size, 1LL, 7LL));
}

int ParseLength(const std::wstring& value) {
    return static_cast<int>(std::clamp(ParseNumber(value), 0LL, 10000LL));
}

// Decodes one entity at text[i] ('&'); returns the character and advances i, or '&' itself.
wchar_t DecodeEntity(const std::wstring& text, std::size_t& i) {
    static const std::map<std::wstring, wchar_t> named = {
        {L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"quot", L'"'}, {L"nbsp", 0x00A0}};
    const std::size_t semicolon = text.find(L';', i);
    if (semicolon == std::wstring::npos || semicolon - i > 10) {
        ++i;
        return L'&';
    }
    const std::wstring name = text.substr(i + 1, semicolon - i - 1);
    wchar_t decoded = 0;
    if (name.size() > 1 && name[0] == L'#') {
        const bool hex = name[1] == L'x' || name[1] == L'X';
        const long long code = ParseNumber(hex ? L"0x" + name.substr(2) : name.substr(1));
        if (code > 0 && code < 0xFFFF) decoded = static_cast<wchar_t>(code);
    } else {
        const auto found = named.find(Lower(name));
        if (found != named.end()) decoded = found->second;
    }
    if (!decoded) {
        ++i;
        return L'&';
    }
    i = semicolon + 1;
    return decoded;
}

class Parser {
public:
    RichNode Parse(const std::wstring& markup) {
        RichNode root;
        open_.push_back(&root);
        std::size_t i = 0;
        while (i < markup.size()) {
            const std::size_t end = TagEnd(markup, i);
            if (end != std::wstring::npos) {
                Apply(ReadTag(markup.substr(i + 1, end - i - 1)));
                i = end + 1;
            } else {
                AddCharacter(markup[i] == L'&' ? DecodeEntity(markup, i) : markup[i++]);
            }
        }
        return root;
    }

private:
    // The position of the '>' of a tag starting at i, or npos when no tag starts there.
    static std::size_t TagEnd(const std::wstring& markup, std::size_t i) {
        if (markup[i] != L'<' || i + 1 >= markup.size()) return std::wstring::npos;
        const wchar_t next = markup[i + 1];
        if (!std::iswalpha(next) && next != L'/' && next != L'!') return std::wstring::npos;
        const std::size_t end = markup.find(L'>', i);
        const std::size_t nextOpen = markup.find(L'<', i + 1);
        return nextOpen < end ? std::wstring::npos : end;
    }

    RichNode& Top() { return *open_.back(); }

    void AddCharacter(wchar_t c) {
        // Text between table, row and cell tags is layout whitespace.
        if (AtTableLevel()) return;
        auto& children = Top().children;
        if (children.empty() || children.back().kind != RichNode::Kind::Text) {
            children.push_back(RichNode());
            children.back().kind = RichNode::Kind::Text;
        }
        children.back().text.push_back(c);
    }

    RichNode& Add(RichNode::Kind kind) {
        Top().children.push_back(RichNode());
        Top().children.back().kind = kind;
        return Top().children.back();
    }

    void Open(RichNode::Kind kind) { open_.push_back(&Add(kind)); }

    void Close(RichNode::Kind kind) {
        for (std::size_t k = open_.size(); k-- > 1;) {
            if (open_[k]->kind == kind) {
                open_.resize(k);
                return;
            }
        }
    }

    // Table and row levels hold only rows and cells; anything else there is dropped.
    bool AtTableLevel() const {
        return Top().kind == RichNode::Kind::Table || Top().kind == RichNode::Kind::Row;
    }
    const RichNode& Top() const { return *open_.back(); }

    // Closes everything above the innermost open table; false when no table is open.
    bool ReturnToTable(bool keepRow) {
        for (std::size_t k = open_.size(); k-- > 1;) {
            if (open_[k]->kind != RichNode::Kind::Table) continue;
            const bool rowAbove = k + 1 < open_.size() && open_[k + 1]->kind == RichNode::Kind::Row;
            open_.resize(keepRow && rowAbove ? k + 2 : k + 1);
            return true;
        }
        return false;
    }

    void Apply(const Tag& tag) {
        const std::map<std::wstring, RichNode::Kind> containers = {
            {L"right", RichNode::Kind::Right}, {L"font", RichNode::Kind::Font}, {L"table", RichNode::Kind::Table},
            {L"tr", RichNode::Kind::Row},      {L"td", RichNode::Kind::Cell}};
        const auto container = containers.find(tag.name);
        if (tag.closing) {
            if (container != containers.end()) Close(container->second);
        } else if (tag.name == L"tr") {
            if (ReturnToTable(false)) Open(RichNode::Kind::Row);
        } else if (tag.name == L"td") {
            OpenCell(tag);
        } else if (AtTableLevel()) {
            return;
        } else if (tag.name == L"br") {
            Add(RichNode::Kind::Break);
        } else if (tag.name == L"icon") {
            const long long handle = ParseNumber(Attribute(tag, L"handle"));
            if (handle != 0) Add(RichNode::Kind::Icon).icon = reinterpret_cast<HICON>(static_cast<INT_PTR>(handle));
        } else if (tag.name == L"table") {
            Open(RichNode::Kind::Table);
            Top().cellPadding = ParseLength(Attribute(tag, L"cellpadding"));
        } else if (container != containers.end()) {
            Open(container->second);
            ReadFont(tag);
        }
    }

    void OpenCell(const Tag& tag) {
        if (!ReturnToTable(true)) return;
        if (Top().kind == RichNode::Kind::Table) Open(RichNode::Kind::Row);
        Open(RichNode::Kind::Cell);
        Top().width = ParseLength(Attribute(tag, L"width"));
    }

    void ReadFont(const Tag& tag) {
        if (Top().kind != RichNode::Kind::Font) return;
        const std::wstring colour = Attribute(tag, L"color");
        Top().colour = ParseColour(colour.empty() ? Attribute(tag, L"colour") : colour);
        Top().face = Attribute(tag, L"face").substr(0, LF_FACESIZE - 1);
        Top().size = ParseSize(Attribute(tag, L"size"));
    }

    static std::wstring Attribute(const Tag& tag, const wchar_t* name) {
        const auto found = tag.attributes.find(name);
        return found == tag.attributes.end() ? std::wstring() : found->second;
    }

    std::vector<RichNode*> open_;
};

}  // namespace

RichNode ParseRichText(const std::wstring& markup) { return Parser().Parse(markup); }

COLORREF ParseColour(const std::wstring& value) {
    static const std::map<std::wstring, COLORREF> named = {
        {L"black", RGB(0, 0, 0)},         {L"white", RGB(255, 255, 255)}, {L"red", RGB(255, 0, 0)},
        {L"green", RGB(0, 128, 0)},       {L"lime", RGB(0, 255, 0)},      {L"blue", RGB(0, 0, 255)},
        {L"navy", RGB(0, 0, 128)},        {L"yellow", RGB(255, 255, 0)},  {L"gray", RGB(128, 128, 128)},
        {L"grey", RGB(128, 128, 128)},    {L"silver", RGB(192, 192, 192)}, {L"maroon", RGB(128, 0, 0)},
        {L"purple", RGB(128, 0, 128)},    {L"fuchsia", RGB(255, 0, 255)}, {L"olive", RGB(128, 128, 0)},
        {L"teal", RGB(0, 128, 128)},      {L"aqua", RGB(0, 255, 255)},    {L"orange", RGB(255, 165, 0)}};
    const std::wstring name = Lower(value);
    const auto found = named.find(name);
    if (found != named.end()) return found->second;
    if (name.size() == 7 && name[0] == L'#' && std::all_of(name.begin() + 1, name.end(), [](wchar_t c) { return std::iswxdigit(c); })) {
        const long long rgb = ParseNumber(L"0x" + name.substr(1));
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    return CLR_INVALID;
}
