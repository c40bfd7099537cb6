#pragma once
// What the auto alignment keeps between frames of one run.
#include "alignment/brightness_sweep.h"
#include "alignment/corner_order.h"
#include "alignment/white_exposure.h"
#include "settings/pattern_points.h"

struct AutoAlignmentState {
    int retryCount = 0;          // frames retried by the current step
    int quadrantTries = 0;       // quadrants shown by the orientation check
    int chessboardAttempts = 0;  // board detections of this run
    int foundLevel = 0;          // level (percent) that found the board, 0 for none
    bool referencesTaken = false;
    bool sweepStarted = false;
    int minCorners = 17;         // least valid corners an evaluation takes
    BrightnessSweep sweep;
    SweepJudge sweepJudge{minCorners};
    int channel = 2;             // colour channel every detection looks at
    WhiteExposureSearch whiteExposure;

    CornerBuffer corners;         // the finder's output of the current frame
    CornerBuffer savedCorners;    // the full board found with both references
    CornerBuffer orderedCorners;  // the board after orientation, for display
    CornerBuffer stepCorners;     // corners collected one by one
    int stepFound = 0;
    SeenCorners seen;

    // Preview: the latest frame copy is ready to be drawn; the sweep position it shows.
    bool previewReady = false;
    int previewPercent = 0;
};
