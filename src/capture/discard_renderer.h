#pragma once
// A renderer that takes any media type and drops every sample: it keeps a second camera's stream
// flowing without looking at it.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include "capture/video_renderer_base.h"

class DiscardRenderer : public VideoRendererBase {
public:
    static HRESULT Create(Microsoft::WRL::ComPtr<IBaseFilter>& renderer);
    DiscardRenderer();

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT SetMediaType(const AM_MEDIA_TYPE* type) override;
    HRESULT DoRenderSample(IMediaSample* sample) override;
};
