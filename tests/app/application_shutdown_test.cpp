// The once-only teardown, in this process: an Application with a main window of its own.
#include "app/application.h"
#include "base/window_binding.h"
#include "ui/language_library.h"
#include "ui/resource_text.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK ForwardToApplication(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* application = BoundObject<Application*>(window, message, lParam)) {
        return application->HandleMessage(window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int QuitMessagesWaiting() {
    int quits = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) ++quits;
    }
    return quits;
}

// A main window of `application`, of a class registered under `name` with `instance`.
HWND MakeMain(Application& application, const wchar_t* name, WNDPROC procedure, HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
    HWND main = CreateWindowExW(0, name, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance,
                                &application);
    application.AttachWindow(main);
    return main;
}

// A session that goes on changes nothing; one that ends shuts down, once.
TEST(ApplicationShutdown, EndSessionShutsDownOnlyWhenTheSessionEndsAndOnlyOnce) {
    Application application;
    HWND main = MakeMain(application, L"TavroShutdownTestWindow", ForwardToApplication, GetModuleHandleW(nullptr));
    SendMessageW(main, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(main));
    SendMessageW(main, WM_ENDSESSION, FALSE, static_cast<LPARAM>(ENDSESSION_LOGOFF));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(application.ShutdownApplication());
    // The window's destruction asked the loop to end, once.
    EXPECT_EQ(QuitMessagesWaiting(), 1);
}

bool g_languageLoadedAtDestroy = false;

LRESULT CALLBACK NoteLanguageAtDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        g_languageLoadedAtDestroy = ProcessLanguageLibrary().Module() != nullptr &&
                                    ResourceModule() == ProcessLanguageLibrary().Module();
    }
    return ForwardToApplication(window, message, wParam, lParam);
}

// The main window's class is registered with the language library as its instance (the menu
// comes from there), so the library may go only after the window.
TEST(ApplicationShutdownInLanguage, TheLanguageLibraryOutlivesTheMainWindow) {
    LanguageLibrary& library = ProcessLanguageLibrary();
    ASSERT_TRUE(library.Load({1031, 0, 0, 0}));
    ASSERT_NE(library.Module(), nullptr);
    Application application;
    const HINSTANCE instance = library.Module();
    ASSERT_NE(MakeMain(application, L"TavroShutdownLanguageWindow", NoteLanguageAtDestroy, instance), nullptr);
    g_languageLoadedAtDestroy = false;

    EXPECT_TRUE(application.ShutdownApplication());
    EXPECT_TRUE(g_languageLoadedAtDestroy);
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_EQ(ResourceModule(), ExecutableModule());
    UnregisterClassW(L"TavroShutdownLanguageWindow", instance);
    QuitMessagesWaiting();
}

}  // namespace
