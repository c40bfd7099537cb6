// Corner refinement on boards drawn through a known lens and pose, as the sensor sees them with
// grey edges and with the white clipped far beyond its last level.
#include <gtest/gtest.h>

#include <cmath>

#include "alignment/corner_refinement.h"
#include "board_renderer.h"

namespace {

constexpr int kHalfSize = 5;

struct Errors {
    double rms = 0.0;
    double max = 0.0;
};

Errors Measure(const std::vector<cv::Point2f>& found, const std::vector<cv::Point2f>& truth) {
    Errors errors;
    for (size_t i = 0; i < truth.size(); ++i) {
        const double e = cv::norm(found[i] - truth[i]);
        errors.rms += e * e;
        errors.max = std::max(errors.max, e);
    }
    errors.rms = std::sqrt(errors.rms / truth.size());
    return errors;
}

// The white many times brighter than the sensor's last level: a pixel an edge cuts shows white
// as soon as a twelfth of it is lit, and no grey is left.
cv::Mat Overexposed(const cv::Mat& plane, uchar dark) {
    cv::Mat clipped(plane.size(), CV_8UC1);
    for (int r = 0; r < plane.rows; ++r)
        for (int c = 0; c < plane.cols; ++c)
            clipped.at<uchar>(r, c) = cv::saturate_cast<uchar>(dark + (plane.at<uchar>(r, c) - dark) * 24);
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
