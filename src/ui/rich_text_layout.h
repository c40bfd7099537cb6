#pragma once
// Lays out a parsed rich text once, for a device context and a base font; the same layout
// gives the size (so a window can be made to fit) and draws the text.
#include <windows.h>

#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "ui/rich_text_markup.h"

class RichTextLayout {
public:
    // Lines wrap at maxWidth pixels where they can; a table or a long tab run may be wider.
    RichTextLayout(HDC dc, HFONT baseFont, const RichNode& root, int maxWidth);

    SIZE Size() const { return size_; }
    // Draws at (x, y); text without a font colour uses textColour. The background is left alone.
    void Draw(HDC dc, int x, int y, COLORREF textColour) const;

private:
    struct Style {
        int font = 0;  // index into fonts_
        COLORREF colour = CLR_INVALID;
        bool right = false;
    };
    struct Piece {
        int x = 0, y = 0, width = 0, height = 0;
        std::wstring text;         // empty for an icon
        HICON icon = nullptr;
        int font = 0;
        COLORREF colour = CLR_INVALID;
    };
    struct Line {
        std::size_t first = 0, end = 0;  // pieces of the line
        int width = 0;
        bool right = false;
    };
    struct FontEntry {
        std::wstring face;
        int size = 3;
        HFONT handle = nullptr;
        UniqueFont owned;  // null for the caller's base font
        int ascent = 0, descent = 0, averageWidth = 0;
    };
    // A block of lines being filled at (0, 0) of its own; placed later by Shift.
    struct Flow {
        std::vector<Line> lines;
        int x = 0, y = 0;
        int lineAscent = 0, lineDescent = 0;
        int pendingSpace = 0;
        int width = 0;
        int maxWidth = 0;
        std::size_t lineStart = 0;
    };
    struct Block {
        std::size_t first = 0, end = 0;
        int width = 0, height = 0;
        std::vector<Line> lines;
    };

    void AddFont(const std::wstring& face, int size, HFONT handle, UniqueFont owned);

    Block LayoutFlow(const std::vector<RichNode>& nodes, const Style& style, int maxWidth);
    void LayoutNodes(const std::vector<RichNode>& nodes, const Style& style, Flow& flow);
    void LayoutText(const std::wstring& text, const Style& style, Flow& flow);
    void PlaceWord(std::wstring word, const Style& style, Flow& flow);
    void PlaceIcon(HICON icon, const Style& style, Flow& flow);
    void PlaceTable(const RichNode& table, const Style& style, Flow& flow);
    void AddPiece(Piece piece, int ascent, int descent, Flow& flow);
    void FitOnLine(int width, const Style& style, Flow& flow);
    void EndLine(const Style& style, Flow& flow);
    bool LineHasContent(const Flow& flow) const;
    void AlignRight(const std::vector<Line>& lines, int width);
    void Shift(std::size_t first, std::size_t end, int dx, int dy);
    int FontFor(const Style& parent, const RichNode& font);
    int TextWidth(int font, const std::wstring& text) const;

    HDC dc_;
    std::vector<FontEntry> fonts_;
    std::vector<Piece> pieces_;
    SIZE size_ = {0, 0};
};

// Parses and lays out in one step.
RichTextLayout LayoutRichText(HDC dc, HFONT baseFont, const std::wstring& markup, int maxWidth);
