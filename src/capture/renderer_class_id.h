#pragma once
#include <windows.h>

// The class id both of the program's renderers report, that of the platform's video renderer.
inline constexpr CLSID kRendererClassId = {0x71771540, 0x2017, 0x11CF, {0xAE, 0x26, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
