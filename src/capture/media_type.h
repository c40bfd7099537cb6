#pragma once
// Ownership of DirectShow media types. A media type's format block and its pUnk belong to it;
// types handed across COM boundaries are allocated with CoTaskMemAlloc.
#include <windows.h>
#include <dshow.h>

#include <memory>

// Frees the format block and the pUnk of a type, leaving it empty; the structure itself stays.
void ClearMediaType(AM_MEDIA_TYPE& type);
// Deep copy into an empty target; E_OUTOFMEMORY leaves the target empty.
HRESULT CopyMediaTypeInto(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source);
// A CoTaskMemAlloc'd deep copy, as IEnumMediaTypes::Next hands out; null when out of memory.
AM_MEDIA_TYPE* CreateMediaTypeCopy(const AM_MEDIA_TYPE& source);

// True when both types describe the same frames: major type, subtype, format type and, for
// video, width, height, bit depth and compression. Frame rate, rectangles and image size may
// differ; a buffer of one type is laid out as a buffer of the other.
bool SameFrameLayout(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// Types handed to us by the platform (GetStreamCaps, IMediaSample::GetMediaType).
struct MediaTypeDeleter {
    void operator()(AM_MEDIA_TYPE* type) const;
};
using UniqueMediaType = std::unique_ptr<AM_MEDIA_TYPE, MediaTypeDeleter>;

// A media type held by value that frees its parts when replaced or destroyed.
class OwnedMediaType {
public:
    OwnedMediaType() = default;
    ~OwnedMediaType() { ClearMediaType(type_); }
    OwnedMediaType(const OwnedMediaType&) = delete;
    OwnedMediaType& operator=(const OwnedMediaType&) = delete;

    HRESULT Assign(const AM_MEDIA_TYPE& source);
    void Clear() { ClearMediaType(type_); }
    const AM_MEDIA_TYPE& Get() const { return type_; }

private:
    AM_MEDIA_TYPE type_{};
};
