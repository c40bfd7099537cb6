// Corner refinement on boards drawn through a known lens and pose, as the sensor sees them with
// grey edges and with the white clipped far beyond its last level.
#include <gtest/gtest.h>

#include <cmath>

#include "alignment/corner_refinement.h"
#include "board_renderer.h"

namespace {

constexpr int kHalfSize = 5;

// The root mean square and the largest distance of the found corners from the true ones.
struct Errors { double rms, max; };

Errors Measure(const std::vector<cv::Point2f>& found, const std::vector<cv::Point2f>& truth) {
    double max = 0.0;
    for (size_t i = 0; i < truth.size(); ++i) max = std::max(max, cv::norm(found[i] - truth[i]));
    return {cv::norm(found, truth) / std::sqrt(static_cast<double>(truth.size())), max};
}

// The white many times brighter than the sensor's last level: a pixel an edge cuts shows white
// as soon as a twelfth of it is lit, and no grey is left.
cv::Mat Overexposed(const cv::Mat& plane, uchar dark) {
    cv::Mat clipped;
    plane.convertTo(clipped, CV_8U, 24.0, -23.0 * dark);  // dark + 24 (level - dark), saturated
    return clipped;
}

}  // namespace

TEST(CornerCentring, SymmetryPlacesCornersTheSaddleLeavesOnPixelBordersAndKeepsGreyOnes) {
    const DetectorProfile lens = SampleLens(true);
    const BoardScene scene;
    const CameraPose pose = ViewOfDesktop(lens, scene);
    const std::vector<cv::Point2f> truth = TrueCorners(lens, pose, scene);
    const cv::Mat grey = RenderBoard(lens, pose, scene);
    for (const bool clipped : {false, true}) {
        SCOPED_TRACE(clipped ? "clipped" : "grey");
        const cv::Mat plane = clipped ? Overexposed(grey, scene.dark) : grey;
        // Where the chessboard finder leaves them: within a pixel.
        std::vector<cv::Point2f> corners = truth;
        for (size_t i = 0; i < corners.size(); ++i)
            corners[i] += cv::Point2f(0.6f * std::sin(i * 2.1f), 0.6f * std::cos(i * 1.3f));
        RefineCorners(plane, corners.data(), static_cast<int>(corners.size()), kHalfSize);
        const Errors saddle = Measure(corners, truth);
        CentreCornersBySymmetry(plane, corners.data(), static_cast<int>(corners.size()), kHalfSize);
        const Errors centred = Measure(corners, truth);
        if (clipped) {
            EXPECT_GT(saddle.max, 0.7);  // what the saddle alone makes of it
            EXPECT_LT(centred.max, 0.5);
            EXPECT_LT(centred.rms, 0.3);
        } else {
            EXPECT_LT(centred.max, 0.15);
            EXPECT_LT(centred.rms, 0.08);
        }
    }
    // A window that would leave the picture is not searched.
    cv::Point2f nearEdge(3.0f, 200.0f);
    CentreCornersBySymmetry(grey, &nearEdge, 1, kHalfSize);
    EXPECT_EQ(nearEdge, cv::Point2f(3.0f, 200.0f));
}
