#pragma once
// Draws what the sensor sees of a chessboard on the desktop: every sensor pixel is traced back
// through a known lens and pose (with the virtual sensor's camera, independent of CameraModel)
// onto the desktop plane, with 9 x 9 samples per pixel.
#include <opencv2/core.hpp>

#include <vector>

#include "settings/detector_profile.h"

struct BoardScene {
    int desktopWidth = 1024;
    int desktopHeight = 768;
    int columns = 7;  // inner corners
    int rows = 5;
    float square = 100.0f;  // desktop pixels
    // Only the two dark squares around this inner corner are drawn when it is not negative.
    int singleCorner = -1;
    // Desktop area painted light over the board (a hand, a window); empty for none.
    cv::Rect2f cover{};
    uchar dark = 25;
    uchar light = 225;
    uchar offScreen = 8;

    // Desktop position of the board's top-left outer corner: the board is centred.
    cv::Point2f Origin() const;
    // Desktop position of inner corner `index` (row * columns + column).
    cv::Point2f Corner(int index) const;
};

// The lens of the rendered scenes: the one-coefficient model, or all four coefficients.
DetectorProfile SampleLens(bool fullDistortion);

// A pose that shows the desktop filling about 300 x 220 sensor pixels, slightly turned.
CameraPose ViewOfDesktop(const DetectorProfile& profile, const BoardScene& scene);

// The 8-bit sensor plane (width x height) of the scene.
cv::Mat RenderBoard(const DetectorProfile& profile, const CameraPose& pose,
                    const BoardScene& scene, int width = 320, int height = 240);

// Where the sensor sees the given desktop points.
std::vector<cv::Point2f> ProjectDesktopPoints(const DetectorProfile& profile,
                                              const CameraPose& pose,
                                              const std::vector<cv::Point2f>& points);

// Sensor positions of every inner corner of the board, in index order.
std::vector<cv::Point2f> TrueCorners(const DetectorProfile& profile, const CameraPose& pose,
                                     const BoardScene& scene);
