#pragma once
// One frame's detection pass: from the blobs SpotFinder::Find left, either no spot or one spot
// rectangle, and then the centroid of the pen's light in it.
#include "tracking/blocking_counter.h"
#include "tracking/spot_filters.h"
#include "tracking/spot_finder.h"
#include "tracking/spot_record.h"

// The "Tracking" parameters the detection reads.
struct SpotParameters {
    int dilateCount = 3;   // merge margin; below 1 no merging
    int spotMaxBand = 20;  // widest lit span of a spot; below 1 no band test
    int noiseThres = 4;    // lit edge samples that mark a larger lit structure
    int noiseRatio = 100;  // percent of the threshold for the edge samples
    int maxAveNoise = 128; // limit of the mean noise around the spot; 0 or below: no check
};

// Merges the blobs, drops those that fail the band test or are edge-lit, picks one by the
// previous spot and leaves its rectangle, grown by 2 and kept inside the detection area, in
// `current`. Too many blobs (more than 3 after merging) is no spot; blobs that were all
// dropped count as a blocked frame.
bool DetectSpot(SpotFinder& finder, const SpotView& view, const SpotParameters& parameters,
                const SpotRecord& previous, SpotRecord& current, BlockingCounter& blocking);

// Centroid of the pen's light: each pixel of the tracked channel weighs what it shows above the
// screen as it looks without the pen (`background`, 1 channel; empty counts as black), a
// clipped pixel fully, so a spot over an edge of the projected picture is not pulled to its
// bright side. Taken over the spot rectangle, then again over a square of the same reach
// centred on that first estimate, so the window cuts the light evenly (the rectangle's centre
// when nothing there is lit), then centred by SpotCentring. Rejected when the mean red level of
// the unlit pixels of the rectangle is above maxAveNoise. Moving the blocking counter is the
// caller's part.
bool MeasureSpot(const cv::Mat& frame, const cv::Mat& background, int channel, int maxAveNoise,
                 SpotRecord& current);
