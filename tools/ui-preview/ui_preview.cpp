// ui_preview.exe PIECE: shows one piece of the program's chrome in the user's language, as the
// program would, until it is closed. PIECE is one of: common, gain, intro, aspect, version,
// banner, picture.
#include <windows.h>

#include <cwchar>
#include <string>

#include "base/unique_handle.h"
#include "ui/settings_dialogs.h"
#include "ui/language_library.h"
#include "ui/splash_banner.h"
#include "ui/splash_picture.h"

namespace {

SplashBanner g_banner;
SplashPicture g_picture;
bool g_showPicture = false;

LRESULT CALLBACK SplashWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintDc paint(window);
        HDC dc = paint.Get();
        RECT client;
        GetClientRect(window, &client);
        if (g_showPicture) {
            const SIZE size = g_picture.Size(dc);
            g_picture.Draw(dc, (client.right - size.cx) / 2, (client.bottom - size.cy) / 2);
        } else {
            g_banner.Draw(dc, (client.right - g_banner.Width()) / 2, (client.bottom - g_banner.Height()) / 2);
        }
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

void ShowSplashWindow(HINSTANCE instance, bool picture) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SplashWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"TavroPreviewSplash";
    RegisterClassW(&windowClass);
    HWND main = CreateWindowExW(0, L"TavroPreviewSplash", L"Tavro Pen", WS_OVERLAPPEDWINDOW, 0, 0, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    g_showPicture = picture && g_picture.LoadFile(L"splash.jpg");
    if (!g_showPicture) g_banner.Create(main, L"Wyvo Devices", 0x808040);
    ShowWindow(main, SW_SHOWMAXIMIZED);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    LoadLanguageResources();
    const std::wstring piece = commandLine;
    OptionRecord options = DefaultOptions();
    DisplayAspectRecord aspect{16.0f, 9.0f, 0};
    CoreParameterRecord parameters = DefaultCoreParameters();
    wcscpy(parameters.companyName, L"Wyvo Devices");
    wcscpy(parameters.productName, L"Tavro Pen");
    if (piece == L"common") ShowCommonSettingDialog(nullptr, options);
    if (piece == L"gain") ShowGainLevelDialog(nullptr, options);
    if (piece == L"intro") ShowIntroductionDialog(nullptr, options);
    if (piece == L"aspect") ShowDisplayAspectDialog(nullptr, aspect);
    if (piece == L"version") ShowVersionDialog(nullptr, parameters);
    if (piece == L"banner" || piece == L"picture") ShowSplashWindow(instance, piece == L"picture");
    ReleaseLanguageResources();
    return 0;
}
