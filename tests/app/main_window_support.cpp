#include "main_window_support.h"

#include "settings/alignment_record.h"

#include <gtest/gtest.h>

void WriteUsableAlignment() {
    AlignmentRecord alignment = DefaultAlignmentResult();
    alignment.accuracy.grade = AccuracyGrade::Good;
    alignment.alignedDesktopWidth = GetSystemMetrics(SM_CXSCREEN);
    alignment.alignedDesktopHeight = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(WriteAlignmentResult(alignment), FileResult::Ok);
}

std::wstring TitleOf(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

bool WaitForTitleEnding(HWND window, const std::wstring& ending, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const std::wstring title = TitleOf(window);
        if (title.size() >= ending.size() &&
            title.compare(title.size() - ending.size(), ending.size(), ending) == 0) {
            return true;
        }
        if (GetTickCount64() >= end) return false;
        ServeMessages(30);
    }
}
