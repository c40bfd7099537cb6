#include "settings/chessboard_layout_record.h"

#include "settings/record_file.h"

ChessboardLayoutRecord DefaultChessboardLayout() { return {0, 0, 100, 100, 0}; }

FileResult DecodeChessboardLayout(const void* bytes, size_t size, ChessboardLayoutRecord& layout) {
    return DecodeCheckedRecord(bytes, size, layout,
                               [](const ChessboardLayoutRecord&) { return FileResult::Ok; });
}

FileResult ReadChessboardLayout(ChessboardLayoutRecord& layout) {
    return ReadDecodedRecord(kChessboardLayoutFileName, layout, DecodeChessboardLayout);
}

FileResult WriteChessboardLayout(const ChessboardLayoutRecord& layout) {
    return WriteRecordFile(kChessboardLayoutFileName, &layout, sizeof layout, false);
}
