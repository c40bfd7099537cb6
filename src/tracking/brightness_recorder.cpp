#include "tracking/brightness_recorder.h"

#include "imaging/frame_operations.h"
#include "imaging/plane_operations.h"

void BrightnessRecorder::Begin(cv::Mat& accumulator) {
    FillPlane(accumulator, 0);
    frames_ = 0;
}

bool BrightnessRecorder::Record(const cv::Mat& frame, cv::Mat& accumulator, int channel,
                                const PixelRect& area) {
    if (frames_ >= kFrames) return true;
    MaxChannel(frame, accumulator, channel, area);
    ++frames_;
    return false;
}
