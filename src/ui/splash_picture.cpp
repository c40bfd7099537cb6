#include "ui/splash_picture.h"

#include "base/unique_handle.h"

namespace {

// A splash picture is a few hundred kilobytes; anything far larger is not ours.
constexpr DWORD kLargestFile = 32u * 1024u * 1024u;
constexpr int kHimetricPerInch = 2540;

struct GlobalMemoryCloser { void operator()(HGLOBAL h) const { GlobalFree(h); } };
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryCloser>;

// The file's bytes in a movable global block, as a stream over it wants them.
UniqueGlobalMemory ReadWholeFile(const wchar_t* path, DWORD& size) {
    UniqueFile file(CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER fileSize{};
    if (!GetFileSizeEx(file.Get(), &fileSize) || fileSize.QuadPart == 0 || fileSize.QuadPart > kLargestFile) return {};
    size = static_cast<DWORD>(fileSize.QuadPart);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return {};
    void* bytes = GlobalLock(memory.Get());
    DWORD read = 0;
    const BOOL ok = bytes && ReadFile(file.Get(), bytes, size, &read, nullptr) && read == size;
    GlobalUnlock(memory.Get());
    return ok ? std::move(memory) : UniqueGlobalMemory();
}

}  // namespace

bool SplashPicture::LoadFile(const wchar_t* path) {
    Release();
    DWORD size = 0;
    UniqueGlobalMemory memory = ReadWholeFile(path, size);
    if (!memory) return false;
    Microsoft::WRL::ComPtr<IStream> stream;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(memory.Get(), TRUE, &stream))) return false;
    memory.Release();
    Microsoft::WRL::ComPtr<IPicture> picture;
    const HRESULT result = OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(picture.GetAddressOf()));
    if (result != S_OK || !picture) return false;
    picture_ = picture;
    return true;
}

SIZE SplashPicture::Size(HDC dc) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!picture_ || FAILED(picture_->get_Width(&width)) || FAILED(picture_->get_Height(&height))) return {0, 0};
    return {MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), kHimetricPerInch),
            MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), kHimetricPerInch)};
}

bool SplashPicture::Draw(HDC dc, int x, int y) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!picture_ || FAILED(picture_->get_Width(&width)) || FAILED(picture_->get_Height(&height))) return false;
    const SIZE pixels = Size(dc);
    // Pictures are stored bottom-up in HIMETRIC space: start at the top and go down.
    return picture_->Render(dc, x, y, pixels.cx, pixels.cy, 0, height, width, -height, nullptr) == S_OK;
}

void SplashPicture::Release() {
    picture_.Reset();
}
