#include "capture/capture_format.h"

#include <wrl/client.h>

#include "capture/media_type.h"

namespace {

struct FormatPass {
    const GUID& subtype;
    CaptureFormat format;
};

const FormatPass kPasses[] = {
    {MEDIASUBTYPE_RGB24, CaptureFormat::Rgb24},
    {MEDIASUBTYPE_YUY2, CaptureFormat::Yuy2},
    {MEDIASUBTYPE_MJPG, CaptureFormat::Mjpg},
};

// The result reported when the sensor offers nothing usable although every platform call worked.
constexpr HRESULT kNothingUsable = 1;

}  // namespace

bool CapabilityQualifies(const AM_MEDIA_TYPE& type, const VIDEO_STREAM_CONFIG_CAPS& caps, const GUID& subtype,
                         int width, int height) {
    return type.formattype == FORMAT_VideoInfo && type.pbFormat && type.cbFormat >= sizeof(VIDEOINFOHEADER) &&
           type.subtype == subtype && caps.InputSize.cx == width && caps.InputSize.cy == height;
}

GraphStep ChooseCaptureFormat(ICaptureGraphBuilder2* builder, IBaseFilter* source, int width, int height,
                              CaptureFormat& chosen) {
    Microsoft::WRL::ComPtr<IAMStreamConfig> config;
    const HRESULT found = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, source,
                                                 IID_IAMStreamConfig, reinterpret_cast<void**>(config.GetAddressOf()));
    if (FAILED(found) || !config)
        return GraphStep::Failure(FAILED(found) ? found : E_NOINTERFACE, L"Can not find capture interface");

    int count = 0;
    int size = 0;
    const HRESULT counted = config->GetNumberOfCapabilities(&count, &size);
    if (FAILED(counted) || size != sizeof(VIDEO_STREAM_CONFIG_CAPS))
        return GraphStep::Failure(FAILED(counted) ? counted : kNothingUsable, L"AM_MEDIA_TYPE structure were expecting.");

    for (const FormatPass& pass : kPasses) {
        for (int index = 0; index < count; ++index) {
            AM_MEDIA_TYPE* offered = nullptr;
            VIDEO_STREAM_CONFIG_CAPS caps{};
            const HRESULT got = config->GetStreamCaps(index, &offered, reinterpret_cast<BYTE*>(&caps));
            const UniqueMediaType type(offered);
            if (got != S_OK || !type) continue;
            if (!CapabilityQualifies(*type, caps, pass.subtype, width, height)) continue;
            reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->AvgTimePerFrame = kFrameInterval30Fps;
            const HRESULT set = config->SetFormat(type.get());
            chosen = pass.format;
            return GraphStep::Success(set);
        }
    }
    return GraphStep::Failure(kNothingUsable, L"Can not find desire capture size.");
}
