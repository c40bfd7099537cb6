#pragma once
// The small HTML-like mark-up of the program's message texts, parsed into a tree:
//   <table cellpadding=N> <tr> <td width=N>   a table beside other content
//   <icon handle=0xHEX>                        an icon
//   <right> ... </right>                       right-aligned lines
//   <font color=NAME|#RRGGBB face=NAME size=1..7|+N|-N>
//   <br>, "\n" line breaks, "\t" tab stops, &lt; &gt; &amp; &quot; &nbsp; &#N; &#xN;
// Unknown tags are dropped (their content stays), stray closing tags are ignored, a '<' that
// starts no complete tag is text.
#include <windows.h>

#include <string>
#include <vector>

struct RichNode {
    enum class Kind { Root, Text, Icon, Break, Right, Font, Table, Row, Cell };

    Kind kind = Kind::Root;
    std::wstring text;                  // Text: decoded characters, may hold '\n' and '\t'
    HICON icon = nullptr;               // Icon
    int cellPadding = 0;                // Table
    int width = 0;                      // Cell: fixed content width, 0 for automatic
    COLORREF colour = CLR_INVALID;      // Font: CLR_INVALID keeps the surrounding colour
    std::wstring face;                  // Font: empty keeps the surrounding face
    int size = 0;                       // Font: 1..7, 0 keeps the surrounding size
    std::vector<RichNode> children;     // Root, Right, Font, Table (rows), Row (cells), Cell
};

RichNode ParseRichText(const std::wstring& markup);

// A colour name ("red", "navy", ...) or "#RRGGBB"; CLR_INVALID when unknown.
COLORREF ParseColour(const std::wstring& value);
