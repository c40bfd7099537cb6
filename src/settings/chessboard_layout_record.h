#pragma once
// Placement of the alignment chessboard on the desktop, kept in tavro_chbrd.und. The file
// comes with the product; the program only reads it.
#include "settings/file_result.h"

#include <cstddef>
#include <cstdint>

inline constexpr wchar_t kChessboardLayoutFileName[] = L"tavro_chbrd.und";

struct ChessboardLayoutRecord {
    int32_t offsetXPercent;   // of the work area's width
    int32_t offsetYPercent;
    int32_t scaleXPercent;    // square size; 0 or above 150 keeps the fitted size
    int32_t scaleYPercent;
    int32_t spare;            // kept with the others, not interpreted
};
static_assert(sizeof(ChessboardLayoutRecord) == 20);
static_assert(offsetof(ChessboardLayoutRecord, scaleXPercent) == 8);

// Board centred at its fitted size: 0, 0, 100, 100, 0.
ChessboardLayoutRecord DefaultChessboardLayout();

// The file's bytes as a record: short, out-of-range or damaged bytes give a result other than
// Ok and leave `layout` as it was.
FileResult DecodeChessboardLayout(const void* bytes, size_t size, ChessboardLayoutRecord& layout);
FileResult ReadChessboardLayout(ChessboardLayoutRecord& layout);

// Only the product's data generator writes this file.
FileResult WriteChessboardLayout(const ChessboardLayoutRecord& layout);
