#include "settings/chessboard_layout_record.h"

#include "settings/record_file.h"

ChessboardLayoutRecord DefaultChessboardLayout() { return {0, 0, 100, 100, 0}; }

FileResult ReadChessboardLayout(ChessboardLayoutRecord& layout) {
    return ReadCheckedRecord(kChessboardLayoutFileName, layout,
                             [](const ChessboardLayoutRecord&) { return FileResult::Ok; });
}

FileResult WriteChessboardLayout(const ChessboardLayoutRecord& layout) {
    return WriteRecordFile(kChessboardLayoutFileName, &layout, sizeof layout, false);
}
