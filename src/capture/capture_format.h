#pragma once
// Chooses the sensor's capture format: the first capability of the requested size as RGB24, else
// as YUY2, else as MJPG, set to 30 frames per second.
#include <windows.h>
#include <dshow.h>

#include "capture/graph_step.h"
#include "capture/sensor_identity.h"

// 30 frames per second, in 100-ns steps.
inline constexpr REFERENCE_TIME kFrameInterval30Fps = 333333;

// Whether one capability offers the subtype at exactly width x height with a VIDEOINFOHEADER.
bool CapabilityQualifies(const AM_MEDIA_TYPE& type, const VIDEO_STREAM_CONFIG_CAPS& caps, const GUID& subtype,
                         int width, int height);

// Sets the chosen format on the capture pin. On success the step's result is SetFormat's.
GraphStep ChooseCaptureFormat(ICaptureGraphBuilder2* builder, IBaseFilter* source, int width, int height,
                              CaptureFormat& chosen);
