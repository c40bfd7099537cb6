#include "program_support.h"

#include "alignment/detector_file.h"
#include "settings/alignment_record.h"
#include "settings/chessboard_layout_record.h"

#include <cwchar>

CoreParameterRecord ProductCoreParameters() {
    CoreParameterRecord parameters = DefaultCoreParameters();
    wcscpy(parameters.companyName, L"Tavro");
    wcscpy(parameters.productName, kProductName);
    return parameters;
}

void WriteProductFiles(const OptionRecord& options, const CoreParameterRecord& parameters) {
    ASSERT_EQ(WriteCoreParameters(parameters), FileResult::Ok);
    ASSERT_EQ(WriteChessboardLayout(DefaultChessboardLayout()), FileResult::Ok);
    const DetectorProfile lens{300.0f, 300.0f, 160.0f, 120.0f};
    ASSERT_EQ(WriteDetectorProfiles(kDetectorFileName, &lens, 1), FileResult::Ok);
    ASSERT_EQ(WriteOptions(options), FileResult::Ok);
}

bool CopyBesideProgram(const std::wstring& folder, const wchar_t* fileName) {
    // The build puts the program in bin/, a sibling of this test program's folder.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring built(path);
    built.resize(built.find_last_of(L'\\'));
    built.resize(built.find_last_of(L'\\'));
    return CopyFileW((built + L"\\bin\\" + fileName).c_str(), (folder + L"\\" + fileName).c_str(), FALSE) != 0;
}

HWND WaitForWindowOfClass(const ProgramRun& run, const wchar_t* className, DWORD milliseconds) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        HWND found;
    } search{run.ProcessId(), className, nullptr};
    for (const ULONGLONG end = GetTickCount64() + milliseconds;; Sleep(50)) {
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* search = reinterpret_cast<Search*>(context);
                DWORD processId = 0;
                GetWindowThreadProcessId(window, &processId);
                wchar_t name[128] = {};
                GetClassNameW(window, name, 128);
                if (processId != search->processId || wcscmp(name, search->className) != 0 || !IsWindowVisible(window))
                    return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount64() >= end) return search.found;
    }
}

HWND WaitUntilWorking(const ProgramRun& run) {
    return run.WaitForTitle(std::wstring(kProductName) + L" - ", 60000) ? run.MainWindow() : nullptr;
}

void ExpectEndsWithZero(ProgramRun& run) {
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

void WriteUsableAlignment() {
    AlignmentRecord alignment = DefaultAlignmentResult();
    alignment.accuracy.grade = AccuracyGrade::Good;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    alignment.alignedDesktopWidth = width;
    alignment.alignedDesktopHeight = height;
    // The one lens profile of the product files (300 pixels focal length, centre 160, 120),
    // looking straight at the desktop from 1200 pixels: a quarter scale around the centre.
    alignment.profileIndex = 0;
    PosePoints& points = alignment.posePoints;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float x = width * (1 + 3 * column) / 10.0f;
            const float y = height * (1 + 3 * row) / 10.0f;
            points.objectPoints[points.count] = {x, y, 0.0f};
            points.imagePoints[points.count] = {160.0f + (x - width / 2.0f) / 4.0f,
                                                120.0f + (y - height / 2.0f) / 4.0f};
            ++points.count;
        }
    }
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
        Sleep(30);
    }
}
