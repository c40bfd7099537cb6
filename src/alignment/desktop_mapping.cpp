#include "alignment/desktop_mapping.h"

cv::Point2f MapToDesktop(const ScreenMapping& mapping, const ScreenCorrection& correction,
                         cv::Point2f centroid) {
    const cv::Point2f desktop = correction.Apply(mapping.SensorToDesktop(centroid.x, centroid.y));
    return desktop + mapping.PointerOffset();
}
