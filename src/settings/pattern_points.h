#pragma once
// Fixed point sets of the alignment: the chessboard finder's output and the pose solver's input.
#include <opencv2/core/types.hpp>

// Up to 36 corners (x, y) in ChannelPlane pixels and how many were found. Before a search the
// count is the room the caller gives the finder.
struct CornerBuffer {
    static constexpr int kCapacity = 36;
    cv::Point2f points[kCapacity];
    int count = 0;
};
static_assert(sizeof(CornerBuffer) == 36 * 8 + 4, "36 float pairs and a count");

// Up to 35 pairs of sensor pixel and screen-plane point (z = 0), and how many are in use.
struct PosePoints {
    static constexpr int kCapacity = 35;
    cv::Point2f imagePoints[kCapacity];
    cv::Point3f objectPoints[kCapacity];
    int count = 0;
};
static_assert(sizeof(PosePoints) == 35 * 8 + 35 * 12 + 4, "35 pairs and a count");
