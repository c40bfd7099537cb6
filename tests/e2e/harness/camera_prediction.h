#pragma once
// Where the sensor should see desktop points, computed with OpenCV's camera model (an
// implementation independent of the sensor's own) from the pose and lens its settings describe.
#include <opencv2/core.hpp>

#include <vector>

#include "scene/sensor_settings.h"

std::vector<cv::Point2d> PredictSensorPixels(const SensorSettings& settings, int desktopWidth, int desktopHeight,
                                             int sensorWidth, const std::vector<cv::Point3d>& desktopPoints);
