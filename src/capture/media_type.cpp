#include "capture/media_type.h"

#include <cstring>

void ClearMediaType(AM_MEDIA_TYPE& type) {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    if (type.pUnk) type.pUnk->Release();
    type = AM_MEDIA_TYPE{};
}

HRESULT CopyMediaTypeInto(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source) {
    target = source;
    target.pbFormat = nullptr;
    if (source.cbFormat && source.pbFormat) {
        target.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
        if (!target.pbFormat) {
            target = AM_MEDIA_TYPE{};
            return E_OUTOFMEMORY;
        }
        std::memcpy(target.pbFormat, source.pbFormat, source.cbFormat);
    } else {
        target.cbFormat = 0;
    }
    if (target.pUnk) target.pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaTypeCopy(const AM_MEDIA_TYPE& source) {
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) return nullptr;
    if (FAILED(CopyMediaTypeInto(*copy, source))) {
        CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

bool SameFrameLayout(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype) return false;
    if (a.formattype != FORMAT_VideoInfo) {
        return a.cbFormat == b.cbFormat &&
               (a.cbFormat == 0 || (a.pbFormat && b.pbFormat && std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0));
    }
    if (!a.pbFormat || !b.pbFormat || a.cbFormat < sizeof(VIDEOINFOHEADER) || b.cbFormat < sizeof(VIDEOINFOHEADER))
        return false;
    const BITMAPINFOHEADER& x = reinterpret_cast<const VIDEOINFOHEADER*>(a.pbFormat)->bmiHeader;
    const BITMAPINFOHEADER& y = reinterpret_cast<const VIDEOINFOHEADER*>(b.pbFormat)->bmiHeader;
    return x.biWidth == y.biWidth && x.biHeight == y.biHeight && x.biBitCount == y.biBitCount &&
           x.biCompression == y.biCompression;
}

void MediaTypeDeleter::operator()(AM_MEDIA_TYPE* type) const {
    if (!type) return;
    ClearMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT OwnedMediaType::Assign(const AM_MEDIA_TYPE& source) {
    ClearMediaType(type_);
    return CopyMediaTypeInto(type_, source);
}
