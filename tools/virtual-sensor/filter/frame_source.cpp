#include "frame_source.h"

FrameSource::FrameSource(const VideoFormat& format, const PictureControls& controls)
    : format_(format), controls_(controls), controlFile_(ControlFilePath()),
      composer_(format.width, format.height), grabber_(settings_.captureHz) {
    Refresh();
    // The first frames show the desktop rather than a dark room while the first grab runs.
    grabber_.WaitForFirst(2000);
}

const SensorSettings& FrameSource::Refresh() {
    if (controlFile_.Refresh(&settings_)) {
        grabber_.SetRate(settings_.captureHz);
        seen_ = 0;  // look at the newest desktop again with the new settings
    }
    return settings_;
}

void FrameSource::Fill(uint8_t* buffer) {
    grabber_.UseLatest(&seen_, [this](const uint8_t* pixels, int width, int height) {
        composer_.Aim(settings_, width, height);
        composer_.TakeDesktop(pixels, width, height);
    });
    response_.Configure(controls_.Values(), settings_);
    composer_.Compose(response_, settings_, format_.pixels, buffer);
}
