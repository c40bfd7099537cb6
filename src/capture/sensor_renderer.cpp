#include "capture/sensor_renderer.h"

#include <cstdlib>

#include "capture/renderer_class_id.h"
#include "capture/frame_sink.h"

namespace {

// The answer DirectDraw gives for a pixel format it cannot take.
constexpr HRESULT kInvalidPixelFormat = static_cast<HRESULT>(0x88760091);

bool HasVideoInfo(const AM_MEDIA_TYPE& type) {
    return type.formattype == FORMAT_VideoInfo && type.pbFormat && type.cbFormat >= sizeof(VIDEOINFOHEADER);
}

long FrameBytes(const BITMAPINFOHEADER& header) {
    const long rowBytes = (std::labs(header.biWidth) * 3 + 3) & ~3L;
    return rowBytes * std::labs(header.biHeight);
}

}  // namespace

SensorRenderer::SensorRenderer(FrameSink* sink) : VideoRendererBase(kRendererClassId), sink_(sink) {}

HRESULT SensorRenderer::Create(FrameSink* sink, Microsoft::WRL::ComPtr<IBaseFilter>& renderer) {
    return Make<SensorRenderer>(renderer, sink);
}

HRESULT SensorRenderer::CheckMediaType(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    if (!HasVideoInfo(*type)) return E_INVALIDARG;
    if (type->majortype != MEDIATYPE_Video) return VFW_E_INVALIDMEDIATYPE;
    if (type->subtype != MEDIASUBTYPE_RGB24) return kInvalidPixelFormat;
    return S_OK;
}

const BITMAPINFOHEADER* SensorRenderer::TakeFrameSize(const AM_MEDIA_TYPE* type) {
    if (!HasVideoInfo(*type)) return nullptr;
    const BITMAPINFOHEADER& header = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader;
    frameBytes_ = FrameBytes(header);
    return &header;
}

HRESULT SensorRenderer::SetMediaType(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    const BITMAPINFOHEADER* header = TakeFrameSize(type);
    if (!header) return E_FAIL;
    if (sink_) sink_->PrepareFrame(*header);
    return S_OK;
}

HRESULT SensorRenderer::ChangeMediaType(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    const BITMAPINFOHEADER* header = TakeFrameSize(type);
    if (!header) return E_FAIL;
    if (sink_) sink_->ChangeFormat(*header);
    return S_OK;
}

HRESULT SensorRenderer::DoRenderSample(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    BYTE* buffer = nullptr;
    if (FAILED(sample->GetPointer(&buffer)) || !buffer) return E_POINTER;
    if (sample->GetSize() < frameBytes_) return E_INVALIDARG;
    if (sink_) sink_->OnFrame(buffer);
    return S_OK;
}
