#pragma once
// The picture formats the capture pin offers, in the order it lists them, and their media types.
#include <dshow.h>

#include <vector>

#include "scene/frame_composer.h"
#include "scene/sensor_settings.h"

struct VideoFormat {
    PixelFormat pixels;
    int width, height;
};

// 640 x 480 RGB24 first, then 320 x 240 RGB24; the YUY2 set has no 320 x 240 RGB24 entry.
std::vector<VideoFormat> OfferedFormats(FormatSet set);

// A media type for the format at `fps` (owned by the caller; free with FreeMediaType).
AM_MEDIA_TYPE* NewMediaType(const VideoFormat& format, double fps);
void FillMediaType(const VideoFormat& format, double fps, AM_MEDIA_TYPE* type);
void FreeMediaType(AM_MEDIA_TYPE* type);
void ClearMediaType(AM_MEDIA_TYPE* type);
HRESULT CopyMediaType(const AM_MEDIA_TYPE& source, AM_MEDIA_TYPE* target);
void FillCaps(const VideoFormat& format, VIDEO_STREAM_CONFIG_CAPS* caps);

// The offered format a (possibly partial) media type asks for; false when none fits.
bool MatchFormat(const std::vector<VideoFormat>& formats, const AM_MEDIA_TYPE& type, VideoFormat* found);
int FrameBytes(const VideoFormat& format);
