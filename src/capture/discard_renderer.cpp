#include "capture/discard_renderer.h"

#include "capture/renderer_class_id.h"

DiscardRenderer::DiscardRenderer() : VideoRendererBase(kRendererClassId) {}

HRESULT DiscardRenderer::Create(Microsoft::WRL::ComPtr<IBaseFilter>& renderer) {
    return Make<DiscardRenderer>(renderer);
}

HRESULT DiscardRenderer::CheckMediaType(const AM_MEDIA_TYPE* type) { return type ? S_OK : E_POINTER; }
HRESULT DiscardRenderer::SetMediaType(const AM_MEDIA_TYPE* type) { return type ? S_OK : E_POINTER; }

HRESULT DiscardRenderer::DoRenderSample(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    BYTE* buffer = nullptr;
    if (FAILED(sample->GetPointer(&buffer)) || !buffer) return E_POINTER;
    return S_OK;
}
