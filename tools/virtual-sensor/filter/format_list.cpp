#include "format_list.h"

#include <cstdlib>
#include <cstring>

namespace {

const GUID& Subtype(PixelFormat pixels) {
    return pixels == PixelFormat::Rgb24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_YUY2;
}

}  // namespace

std::vector<VideoFormat> OfferedFormats(FormatSet set) {
    if (set == FormatSet::Yuy2)
        return {{PixelFormat::Rgb24, 640, 480}, {PixelFormat::Yuy2, 640, 480}, {PixelFormat::Yuy2, 320, 240}};
    return {{PixelFormat::Rgb24, 640, 480}, {PixelFormat::Rgb24, 320, 240}};
}

int FrameBytes(const VideoFormat& format) {
    return format.pixels == PixelFormat::Rgb24 ? ((format.width * 3 + 3) & ~3) * format.height
                                               : format.width * 2 * format.height;
}

void FillMediaType(const VideoFormat& format, double fps, AM_MEDIA_TYPE* type) {
    std::memset(type, 0, sizeof(*type));
    auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
    if (!info) return;
    std::memset(info, 0, sizeof(*info));
    info->AvgTimePerFrame = static_cast<REFERENCE_TIME>(10000000.0 / fps + 0.5);
    info->dwBitRate = static_cast<DWORD>(FrameBytes(format) * 8 * fps);
    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = format.width;
    header.biHeight = format.height;
    header.biPlanes = 1;
    header.biBitCount = format.pixels == PixelFormat::Rgb24 ? 24 : 16;
    header.biCompression = format.pixels == PixelFormat::Rgb24 ? BI_RGB : MAKEFOURCC('Y', 'U', 'Y', '2');
    header.biSizeImage = FrameBytes(format);
    type->majortype = MEDIATYPE_Video;
    type->subtype = Subtype(format.pixels);
    type->bFixedSizeSamples = TRUE;
    type->bTemporalCompression = FALSE;
    type->lSampleSize = FrameBytes(format);
    type->formattype = FORMAT_VideoInfo;
    type->cbFormat = sizeof(VIDEOINFOHEADER);
    type->pbFormat = reinterpret_cast<BYTE*>(info);
}

AM_MEDIA_TYPE* NewMediaType(const VideoFormat& format, double fps) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!type) return nullptr;
    FillMediaType(format, fps, type);
    if (!type->pbFormat) {
        CoTaskMemFree(type);
        return nullptr;
    }
    return type;
}

void ClearMediaType(AM_MEDIA_TYPE* type) {
    if (type->pbFormat) CoTaskMemFree(type->pbFormat);
    type->pbFormat = nullptr;
    type->cbFormat = 0;
    if (type->pUnk) type->pUnk->Release();
    type->pUnk = nullptr;
}

void FreeMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    ClearMediaType(type);
    CoTaskMemFree(type);
}

HRESULT CopyMediaType(const AM_MEDIA_TYPE& source, AM_MEDIA_TYPE* target) {
    *target = source;
    if (source.cbFormat) {
        target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (!target->pbFormat) {
            target->cbFormat = 0;
            target->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(target->pbFormat, source.pbFormat, source.cbFormat);
    }
    if (target->pUnk) target->pUnk->AddRef();
    return S_OK;
}

void FillCaps(const VideoFormat& format, VIDEO_STREAM_CONFIG_CAPS* caps) {
    std::memset(caps, 0, sizeof(*caps));
    caps->guid = FORMAT_VideoInfo;
    caps->VideoStandard = 0;
    caps->InputSize = {format.width, format.height};
    caps->MinCroppingSize = caps->MaxCroppingSize = caps->InputSize;
    caps->CropGranularityX = caps->CropGranularityY = 1;
    caps->CropAlignX = caps->CropAlignY = 1;
    caps->MinOutputSize = caps->MaxOutputSize = caps->InputSize;
    caps->OutputGranularityX = caps->OutputGranularityY = 1;
    caps->MinFrameInterval = 333333;
    caps->MaxFrameInterval = 10000000;
    caps->MinBitsPerSecond = FrameBytes(format) * 8;
    caps->MaxBitsPerSecond = FrameBytes(format) * 8 * 30;
}

bool MatchFormat(const std::vector<VideoFormat>& formats, const AM_MEDIA_TYPE& type, VideoFormat* found) {
    if (type.majortype != GUID_NULL && type.majortype != MEDIATYPE_Video) return false;
    const bool sized = type.formattype == FORMAT_VideoInfo && type.pbFormat &&
                       type.cbFormat >= sizeof(VIDEOINFOHEADER);
    if (type.formattype != GUID_NULL && !sized) return false;
    for (const VideoFormat& format : formats) {
        if (type.subtype != GUID_NULL && type.subtype != Subtype(format.pixels)) continue;
        if (sized) {
            const BITMAPINFOHEADER& header = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
            if (header.biWidth != format.width || std::abs(header.biHeight) != format.height) continue;
        }
        *found = format;
        return true;
    }
    return false;
}
