#pragma once
// The start-up picture: "splash.jpg" beside the executable, shown while the sensor starts.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

class SplashPicture {
public:
    // False (and no picture) when the file is missing, empty, too large or not a picture.
    bool LoadFile(const wchar_t* path);
    // Pixel size on a device; 0 x 0 without a picture.
    SIZE Size(HDC dc) const;
    // Draws the whole picture upright with its top-left corner at (x, y).
    bool Draw(HDC dc, int x, int y) const;
    void Release();

private:
    Microsoft::WRL::ComPtr<IPicture> picture_;
};
