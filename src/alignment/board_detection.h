#pragma once
// The detections of auto alignment on one sensor frame: the lit screen, the chessboard (tile
// by tile against a black reference, or between a white and a black reference at several
// levels), the lit quadrant and a single drawn corner. Each works only inside the area it is
// given and leaves its binarized picture in `plane`.
#include <opencv2/core/mat.hpp>

#include "settings/pattern_points.h"
#include "imaging/pixel_rect.h"

struct DetectionImages {
    const cv::Mat& frame;  // the 3-channel sensor frame
    int channel;           // colour channel looked at
    PixelRect area;        // where the board is searched
    const cv::Mat& white;  // channel of the all-white screen
    const cv::Mat& black;  // channel of the all-black screen
    cv::Mat& plane;        // receives the binarized picture (ChannelPlane)
    cv::Mat& work;         // scratch plane
};

// Levels (percent between black and white) tried in turn until the board is found.
inline constexpr int kBinarizeLevels[] = {50, 40, 60, 30, 70, 20, 80, 90};
inline constexpr int kBoardCorners = 35;

// The bounding box of the largest lit region of white - black seeded inside `area`, when it is
// wider and taller than 2/7 of the frame; `area` itself otherwise. Uses `difference` as scratch.
PixelRect FindLitScreen(const cv::Mat& white, const cv::Mat& black, cv::Mat& difference,
                        const PixelRect& area);

// Frame minus the black reference, each tile of the area cut at its own mean, then the finder.
// Returns the corners found (at most 35), also left in corners.count.
int DetectTileAdaptive(const DetectionImages& images, int columns, int rows,
                       CornerBuffer& corners);

// Levels between the two sides of the cut DetectTileAdaptive last made on `images`: the mean of
// its difference plane where the cut is lit, less the mean where it is dark. A board found in a
// picture this flat is too faint to take the references at.
int TileCutContrast(const DetectionImages& images);

// Cuts between the references at each of kBinarizeLevels until all 35 corners are found, then
// refines them. foundLevel is the level that found the board, 0 when none did (the buffer then
// holds what the last level gave).
int DetectBetweenReferences(const DetectionImages& images, int columns, int rows,
                            CornerBuffer& corners, int& foundLevel);

// Filled-rectangle quadrants: the quadrant of the area (0 top-left .. 3 bottom-right in frame
// rows) that is brightest after a cut at `level`; its rectangle (shrunk by an eighth) in `lit`.
int BrightestQuadrant(const DetectionImages& images, int level, PixelRect& lit);

// Board quadrant (0..3) that most of the saved corners lying inside `rect` belong to; -1 when
// none lies inside.
int QuadrantOfCornersInside(const CornerBuffer& saved, const PixelRect& rect, int columns,
                            int rows);

// Chessboard-square quadrants: the corners of the small board (at most 9) drawn in one
// quadrant, found with inverted polarity at the first level giving two or more, refined.
int FindQuadrantCorners(const DetectionImages& images, int columns, int rows,
                        CornerBuffer& found);

// One drawn corner: cut at 25 percent with inverted polarity, dilated, finder with room for 1.
int FindSingleCorner(const DetectionImages& images, CornerBuffer& corners);
