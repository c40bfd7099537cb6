#pragma once
// The records the program reads at start-up and keeps up to date: the user's options, the core
// parameters, the stored alignment, the board layout, the display aspect, and the last gain
// finding's verdict on the screen's own light. They start as the shipped defaults.
#include "settings/alignment_record.h"
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"
#include "settings/display_ratio_record.h"
#include "settings/option_record.h"
#include "tracking/hot_spots.h"

struct StoredRecords {
    OptionRecord options = DefaultOptions();
    CoreParameterRecord coreParameters = DefaultCoreParameters();
    AlignmentRecord alignmentResult = DefaultAlignmentResult();
    ChessboardLayoutRecord chessboardLayout = DefaultChessboardLayout();
    DisplayAspectRecord displayAspect = DefaultDisplayAspect();
    HotSpotRecord hotSpot;
};
