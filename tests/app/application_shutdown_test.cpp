// The once-only teardown, in this process: an Application with a main window of its own.
#include "app/application.h"
#include "app/process_globals.h"
#include "ui/language_library.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK ForwardToApplication(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Application* application = g_process.application) {
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

class ApplicationShutdown : public ::testing::Test {
protected:
    ApplicationShutdown() {
        g_process.executableInstance = GetModuleHandleW(nullptr);
        g_process.resourceModule = g_process.executableInstance;
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ForwardToApplication;
        windowClass.hInstance = g_process.executableInstance;
        windowClass.lpszClassName = L"TavroShutdownTestWindow";
        RegisterClassW(&windowClass);
        main = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                               100, nullptr, nullptr, g_process.executableInstance, nullptr);
        g_process.mainWindow = main;
    }

    Application application;
    HWND main = nullptr;
};

TEST_F(ApplicationShutdown, SecondCallFindsNothingToDo) {
    ASSERT_EQ(g_process.application, &application);
    EXPECT_TRUE(application.ShutdownApplication());
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(g_process.mainWindow, nullptr);
    EXPECT_EQ(g_process.application, nullptr);
    EXPECT_TRUE(application.GetController().Paused());
    EXPECT_FALSE(application.ShutdownApplication());
    // The window's destruction asked the loop to end, once.
    EXPECT_EQ(QuitMessagesWaiting(), 1);
}

TEST_F(ApplicationShutdown, EndSessionShutsDownOnlyWhenTheSessionEnds) {
    SendMessageW(main, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(g_process.application, &application);
    SendMessageW(main, WM_ENDSESSION, FALSE, static_cast<LPARAM>(ENDSESSION_LOGOFF));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(g_process.application, nullptr);
    EXPECT_FALSE(application.ShutdownApplication());
    EXPECT_EQ(QuitMessagesWaiting(), 1);
}

bool g_languageLoadedAtDestroy = false;

LRESULT CALLBACK NoteLanguageAtDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        g_languageLoadedAtDestroy = ProcessLanguageLibrary().Module() != nullptr &&
                                    g_process.resourceModule == ProcessLanguageLibrary().Module();
    }
    return ForwardToApplication(window, message, wParam, lParam);
}

// The main window's class is registered with the language library as its instance (the menu
// comes from there), so the library may go only after the window.
TEST(ApplicationShutdownInLanguage, TheLanguageLibraryOutlivesTheMainWindow) {
    g_process.executableInstance = GetModuleHandleW(nullptr);
    LanguageLibrary& library = ProcessLanguageLibrary();
    ASSERT_TRUE(library.Load({1031, 0, 0, 0}));
    ASSERT_NE(library.Module(), nullptr);
    g_process.resourceModule = library.Module();
    Application application;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = NoteLanguageAtDestroy;
    windowClass.hInstance = library.Module();
    windowClass.lpszClassName = L"TavroShutdownLanguageWindow";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    g_process.mainWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                           100, nullptr, nullptr, library.Module(), nullptr);
    ASSERT_NE(g_process.mainWindow, nullptr);
    g_languageLoadedAtDestroy = false;

    EXPECT_TRUE(application.ShutdownApplication());
    EXPECT_TRUE(g_languageLoadedAtDestroy);
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_EQ(g_process.resourceModule, g_process.executableInstance);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
    QuitMessagesWaiting();
}

}  // namespace
