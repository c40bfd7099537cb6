#pragma once
// The sensor as a pinhole camera with lens distortion looking at the screen plane (Z = 0):
// maps screen-plane points to sensor pixels and back. Matrices are built only in SetIntrinsics
// and SetPose; the projections allocate nothing and invert nothing.
#include <opencv2/core/matx.hpp>
#include <opencv2/core/types.hpp>

#include "settings/detector_profile.h"

class CameraModel {
public:
    CameraModel();

    // Takes the profile; the full distortion model is used when |k2|, |p1| or |p2| > 1e-5.
    // Leaves the pose alone: refit it before relying on the mapping.
    void SetIntrinsics(const DetectorProfile& profile);
    // Builds the extrinsic matrices. An all-zero pose is refused and changes nothing; a pose
    // whose plane matrix is singular is refused but stays stored (the caller retries).
    bool SetPose(const CameraPose& pose);

    // Normalized undistorted -> normalized distorted image coordinates, and back (iterative).
    cv::Point2f Distort(cv::Point2f point) const;
    cv::Point2f Undistort(cv::Point2f point) const;

    // Screen-plane point -> sensor pixel.
    cv::Point2f ProjectBoardPoint(float x, float y) const;
    // Sensor pixel -> screen-plane point; the normalized ray when it runs parallel to the plane.
    cv::Point2f SensorToBoard(float u, float v) const;

    const DetectorProfile& Profile() const { return profile_; }
    const CameraPose& Pose() const { return pose_; }
    bool UsesFullDistortion() const { return useFullDistortion_; }

private:
    cv::Point2f UndistortSimple(cv::Point2f point) const;
    cv::Point2f UndistortFull(cv::Point2f point) const;

    cv::Matx33f plane_;      // [r1 r2 t]
    float planeDeterminant_ = 0.0f;
    cv::Matx44f extrinsic_;  // [R t; 0 0 0 1], screen plane -> camera
    cv::Matx44f extrinsicInverse_;
    cv::Matx33f rayPlane_;   // plane_ with [2][2] = 1; the ray goes into its third column
    bool useFullDistortion_ = false;
    mutable int undistortIterations_ = 0;
    DetectorProfile profile_;
    CameraPose pose_;
};
