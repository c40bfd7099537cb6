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
    const std::wstring built = testsupport::BuildFolder() + L"bin\\" + fileName;
    return CopyFileW(built.c_str(), (folder + L"\\" + fileName).c_str(), FALSE) != 0;
}

HWND WaitForWindowOfClass(const ProgramRun& run, const wchar_t* className, DWORD milliseconds) {
    for (const ULONGLONG end = GetTickCount64() + milliseconds;; Sleep(50)) {
        const std::vector<HWND> found = testsupport::VisibleWindowsOfClass(run.ProcessId(), className);
        if (!found.empty()) return found.front();
        if (GetTickCount64() >= end) return nullptr;
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

bool WaitForTitleEnding(HWND window, const std::wstring& ending, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const std::wstring title = testsupport::WindowText(window);
        if (title.size() >= ending.size() &&
            title.compare(title.size() - ending.size(), ending.size(), ending) == 0) {
            return true;
        }
        if (GetTickCount64() >= end) return false;
        Sleep(30);
    }
}
