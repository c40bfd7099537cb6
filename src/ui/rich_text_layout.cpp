#include "ui/rich_text_layout.h"

#include <algorithm>

namespace {

constexpr wchar_t kNoBreakSpace = 0x00A0;
// Font sizes 1..7 relative to the base font (3).
constexpr double kSizeScale[] = {0.6, 0.8, 1.0, 1.2, 1.5, 2.0, 3.0};
// Tab stops every eight average characters, as the system's text drawing does.
constexpr int kTabCharacters = 8;

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap = {};
    if (colour && GetObjectW(colour.Get(), sizeof bitmap, &bitmap)) return {bitmap.bmWidth, bitmap.bmHeight};
    if (mask && GetObjectW(mask.Get(), sizeof bitmap, &bitmap)) return {bitmap.bmWidth, bitmap.bmHeight / 2};
    return {0, 0};
}

}  // namespace

RichTextLayout::RichTextLayout(HDC dc, HFONT baseFont, const RichNode& root, int maxWidth) : dc_(dc) {
    if (!baseFont) baseFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW base = {};
    GetObjectW(baseFont, sizeof base, &base);
    AddFont(base.lfFaceName, 3, baseFont, UniqueFont());
    const Block block = LayoutFlow(root.children, Style(), std::max(1, maxWidth));
    AlignRight(block.lines, block.width);
    size_ = {block.width, block.height};
}

void RichTextLayout::AddFont(const std::wstring& face, int size, HFONT handle, UniqueFont owned) {
    FontEntry entry;
    entry.face = face;
    entry.size = size;
    entry.handle = handle;
    entry.owned = std::move(owned);
    const SelectedObject selected(dc_, handle);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_, &metrics);
    entry.ascent = metrics.tmAscent;
    entry.descent = metrics.tmDescent;
    entry.averageWidth = std::max<int>(1, metrics.tmAveCharWidth);
    fonts_.push_back(std::move(entry));
}

int RichTextLayout::FontFor(const Style& parent, const RichNode& font) {
    const FontEntry& inherited = fonts_[parent.font];
    const std::wstring face = font.face.empty() ? inherited.face : font.face;
    const int size = font.size ? font.size : inherited.size;
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].size == size && _wcsicmp(fonts_[i].face.c_str(), face.c_str()) == 0) return static_cast<int>(i);
    }
    LOGFONTW logFont = {};
    GetObjectW(fonts_[0].handle, sizeof logFont, &logFont);
    logFont.lfHeight = static_cast<LONG>(logFont.lfHeight * kSizeScale[size - 1]);
    wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    UniqueFont created(CreateFontIndirectW(&logFont));
    if (!created) return parent.font;
    const HFONT handle = created.Get();
    AddFont(face, size, handle, std::move(created));
    return static_cast<int>(fonts_.size() - 1);
}

int RichTextLayout::TextWidth(int font, const std::wstring& text) const {
    const SelectedObject selected(dc_, fonts_[font].handle);
    SIZE size = {};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

RichTextLayout::Block RichTextLayout::LayoutFlow(const std::vector<RichNode>& nodes, const Style& style, int maxWidth) {
    Flow flow;
    flow.maxWidth = maxWidth;
    flow.lineStart = pieces_.size();
    Block block;
    block.first = pieces_.size();
    LayoutNodes(nodes, style, flow);
    if (LineHasContent(flow)) EndLine(style, flow);
    block.end = pieces_.size();
    block.width = flow.width;
    block.height = flow.y;
    block.lines = std::move(flow.lines);
    return block;
}

void RichTextLayout::LayoutNodes(const std::vector<RichNode>& nodes, const Style& style, Flow& flow) {
    for (const RichNode& node : nodes) {
        switch (node.kind) {
        case RichNode::Kind::Text: LayoutText(node.text, style, flow); break;
        case RichNode::Kind::Break: EndLine(style, flow); break;
        case RichNode::Kind::Icon: PlaceIcon(node.icon, style, flow); break;
        case RichNode::Kind::Table: PlaceTable(node, style, flow); break;
        case RichNode::Kind::Right: {
            // Right alignment works on whole lines: it starts and ends one.
            if (LineHasContent(flow)) EndLine(style, flow);
            Style right = style;
            right.right = true;
            LayoutNodes(node.children, right, flow);
            if (LineHasContent(flow)) EndLine(right, flow);
            break;
        }
        case RichNode::Kind::Font: {
            Style font = style;
            font.font = FontFor(style, node);
            if (node.colour != CLR_INVALID) font.colour = node.colour;
            LayoutNodes(node.children, font, flow);
            break;
        }
        default: LayoutNodes(node.children, style, flow); break;
        }
    }
}

void RichTextLayout::LayoutText(const std::wstring& text, const Style& style, Flow& flow) {
    std::wstring word;
    const auto flush = [&] {
        if (!word.empty()) PlaceWord(word, style, flow);
        word.clear();
    };
    for (const wchar_t c : text) {
        if (c == L'\n') {
            flush();
            EndLine(style, flow);
        } else if (c == L'\t') {
            flush();
            const FontEntry& font = fonts_[style.font];
            const int stop = kTabCharacters * font.averageWidth;
            flow.x = ((flow.x + flow.pendingSpace) / stop + 1) * stop;
            flow.pendingSpace = 0;
            flow.lineAscent = std::max(flow.lineAscent, font.ascent);
            flow.lineDescent = std::max(flow.lineDescent, font.descent);
        } else if (c == L' ') {
            flush();
            flow.pendingSpace += TextWidth(style.font, L" ");
        } else if (c != L'\r') {
            word.push_back(c);
        }
    }
    flush();
}

void RichTextLayout::FitOnLine(int width, const Style& style, Flow& flow) {
    if (flow.x > 0 && flow.x + flow.pendingSpace + width > flow.maxWidth) {
        EndLine(style, flow);
    } else {
        flow.x += flow.pendingSpace;
        flow.pendingSpace = 0;
    }
}

void RichTextLayout::PlaceWord(std::wstring word, const Style& style, Flow& flow) {
    std::replace(word.begin(), word.end(), kNoBreakSpace, L' ');
    const FontEntry& font = fonts_[style.font];
    FitOnLine(TextWidth(style.font, word), style, flow);
    while (!word.empty()) {
        // A word longer than a whole line is broken where the line ends (at least one character
        // per line).
        std::size_t fits = word.size();
        if (flow.x + TextWidth(style.font, word) > flow.maxWidth) {
            std::size_t low = 1, high = word.size();
            while (low < high) {
                const std::size_t middle = (low + high + 1) / 2;
                if (flow.x + TextWidth(style.font, word.substr(0, middle)) <= flow.maxWidth) {
                    low = middle;
                } else {
                    high = middle - 1;
                }
            }
            fits = low;
        }
        Piece piece;
        piece.text = word.substr(0, fits);
        piece.width = TextWidth(style.font, piece.text);
        piece.height = font.ascent + font.descent;
        piece.font = style.font;
        piece.colour = style.colour;
        AddPiece(std::move(piece), font.ascent, font.descent, flow);
        word.erase(0, fits);
        if (!word.empty()) EndLine(style, flow);
    }
}

void RichTextLayout::PlaceIcon(HICON icon, const Style& style, Flow& flow) {
    const SIZE size = IconSize(icon);
    if (size.cx <= 0 || size.cy <= 0) return;
    FitOnLine(size.cx, style, flow);
    Piece piece;
    piece.icon = icon;
    piece.width = size.cx;
    piece.height = size.cy;
    AddPiece(std::move(piece), size.cy, 0, flow);
}

void RichTextLayout::AddPiece(Piece piece, int ascent, int descent, Flow& flow) {
    piece.x = flow.x;
    piece.y = -ascent;  // from the baseline until the line ends
    flow.lineAscent = std::max(flow.lineAscent, ascent);
    flow.lineDescent = std::max(flow.lineDescent, descent);
    flow.x += piece.width;
    pieces_.push_back(std::move(piece));
}

bool RichTextLayout::LineHasContent(const Flow& flow) const {
    return pieces_.size() > flow.lineStart || flow.x > 0;
}

void RichTextLayout::EndLine(const Style& style, Flow& flow) {
    if (flow.lineAscent + flow.lineDescent == 0) {
        flow.lineAscent = fonts_[style.font].ascent;
        flow.lineDescent = fonts_[style.font].descent;
    }
    for (std::size_t i = flow.lineStart; i < pieces_.size(); ++i) pieces_[i].y += flow.y + flow.lineAscent;
    flow.lines.push_back({flow.lineStart, pieces_.size(), flow.x, style.right});
    flow.width = std::max(flow.width, flow.x);
    flow.y += flow.lineAscent + flow.lineDescent;
    flow.x = 0;
    flow.pendingSpace = 0;
    flow.lineAscent = flow.lineDescent = 0;
    flow.lineStart = pieces_.size();
}

void RichTextLayout::PlaceTable(const RichNode& table, const Style& style, Flow& flow) {
    if (LineHasContent(flow)) EndLine(style, flow);
    const int pad = table.cellPadding;
    const std::size_t first = pieces_.size();
    std::vector<std::vector<Block>> blocks;
    std::vector<int> columnWidths, rowHeights;
    for (const RichNode& row : table.children) {
        int fixed = 0, automatic = 0;
        for (const RichNode& cell : row.children) {
            fixed += cell.width + 2 * pad;
            automatic += cell.width == 0 ? 1 : 0;
        }
        const int autoWidth = automatic ? std::max(kTabCharacters * fonts_[0].averageWidth, (flow.maxWidth - fixed) / automatic) : 0;
        blocks.emplace_back();
        int height = 0;
        for (std::size_t c = 0; c < row.children.size(); ++c) {
            const RichNode& cell = row.children[c];
            blocks.back().push_back(LayoutFlow(cell.children, style, cell.width > 0 ? cell.width : autoWidth));
            if (columnWidths.size() <= c) columnWidths.push_back(0);
            columnWidths[c] = std::max({columnWidths[c], cell.width, blocks.back().back().width});
            height = std::max(height, blocks.back().back().height);
        }
        rowHeights.push_back(height + 2 * pad);
    }
    int y = 0, width = 0;
    for (std::size_t r = 0; r < blocks.size(); ++r) {
        int x = 0;
        for (std::size_t c = 0; c < blocks[r].size(); ++c) {
            const Block& block = blocks[r][c];
            AlignRight(block.lines, columnWidths[c]);
            // Cell content sits in the middle of its row, like an HTML cell's.
            Shift(block.first, block.end, x + pad, flow.y + y + pad + (rowHeights[r] - 2 * pad - block.height) / 2);
            x += columnWidths[c] + 2 * pad;
        }
        width = std::max(width, x);
        y += rowHeights[r];
    }
    flow.lines.push_back({first, pieces_.size(), width, style.right});
    flow.width = std::max(flow.width, width);
    flow.y += y;
    flow.lineStart = pieces_.size();
}

void RichTextLayout::AlignRight(const std::vector<Line>& lines, int width) {
    for (const Line& line : lines) {
        if (line.right && line.width < width) Shift(line.first, line.end, width - line.width, 0);
    }
}

void RichTextLayout::Shift(std::size_t first, std::size_t end, int dx, int dy) {
    for (std::size_t i = first; i < end; ++i) {
        pieces_[i].x += dx;
        pieces_[i].y += dy;
    }
}

void RichTextLayout::Draw(HDC dc, int x, int y, COLORREF textColour) const {
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = GetTextColor(dc);
    for (const Piece& piece : pieces_) {
        if (piece.icon) {
            DrawIconEx(dc, x + piece.x, y + piece.y, piece.icon, piece.width, piece.height, 0, nullptr, DI_NORMAL);
            continue;
        }
        const SelectedObject selected(dc, fonts_[piece.font].handle);
        SetTextColor(dc, piece.colour != CLR_INVALID ? piece.colour : textColour);
        TextOutW(dc, x + piece.x, y + piece.y, piece.text.c_str(), static_cast<int>(piece.text.size()));
    }
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

RichTextLayout LayoutRichText(HDC dc, HFONT baseFont, const std::wstring& markup, int maxWidth) {
    return RichTextLayout(dc, baseFont, ParseRichText(markup), maxWidth);
}
