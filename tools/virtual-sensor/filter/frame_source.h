#pragma once
// Everything one streaming run needs to make frames: the control file, the screen grabber, the
// composer and the response to the current picture controls.
#include <cstdint>

#include "control/control_file.h"
#include "format_list.h"
#include "scene/frame_composer.h"
#include "scene/picture_controls.h"
#include "scene/sensor_response.h"
#include "screen_grabber.h"

class FrameSource {
public:
    FrameSource(const VideoFormat& format, const PictureControls& controls);

    // Rereads the control file when it changed; the settings in force.
    const SensorSettings& Refresh();
    // Writes one frame of the format into `buffer`.
    void Fill(uint8_t* buffer);

private:
    VideoFormat format_;
    const PictureControls& controls_;
    ControlFile controlFile_;
    SensorSettings settings_;
    FrameComposer composer_;
    SensorResponse response_;
    ScreenGrabber grabber_;
    uint64_t seen_ = 0;
};
