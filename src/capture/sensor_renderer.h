#pragma once
// The renderer at the end of the sensor graph: takes 24-bit RGB video only and hands each frame's
// buffer to the FrameSink (the Controller) on the streaming thread.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/video_renderer_base.h"

class FrameSink;

class SensorRenderer : public VideoRendererBase {
public:
    // E_OUTOFMEMORY or the platform's failure when the renderer cannot be made.
    static HRESULT Create(FrameSink* sink, Microsoft::WRL::ComPtr<IBaseFilter>& renderer);
    explicit SensorRenderer(FrameSink* sink);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT ChangeMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT DoRenderSample(IMediaSample* sample) override;

private:
    // The bitmap header of a type the renderer takes; null for one without a video info block.
    const BITMAPINFOHEADER* TakeFrameSize(const AM_MEDIA_TYPE* type);

    FrameSink* const sink_;  // not owned
    // Bytes of one frame of the connected format; shorter buffers are never handed on.
    long frameBytes_ = 0;
};
