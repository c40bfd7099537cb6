#pragma once
// Running the built program from a folder of its own (through the end-to-end harness's
// ProgramRun) and watching its windows: the files it needs beside it, its boxes, its title, its
// end, and a stored alignment that lets it enter gain finding.
#include "desktop_test_support.h"
#include "harness/program_files.h"
#include "harness/program_run.h"
#include "settings/core_parameter_record.h"
#include "settings/option_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

inline constexpr wchar_t kProductName[] = L"Tavro Pen";

// Copies a file that the build puts beside the program (e.g. "XDL-DEU.dll") into a folder.
bool CopyBesideProgram(const std::wstring& folder, const wchar_t* fileName);

// The default core parameters with the product's names.
CoreParameterRecord ProductCoreParameters();

// Writes the core parameters, the chessboard layout, one lens profile and the options into the
// current directory; a failure is a fatal test failure.
void WriteProductFiles(const OptionRecord& options = QuietStartOptions(),
                       const CoreParameterRecord& parameters = ProductCoreParameters());

// A copy of the program in a fresh folder (the current one for the test's life), one program
// test at a time.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyBesideProgram(folder.Path(), L"tavro.exe")); }

    testsupport::ProgramLock lock;
    testsupport::ScratchDirectory folder{L"program"};
};

// A visible top-level window of the running program with this class ("#32770" for a box),
// waited for; null when none came.
HWND WaitForWindowOfClass(const ProgramRun& run, const wchar_t* className, DWORD milliseconds);
// The main window once the program has entered its first working Mode (its title then carries
// a Mode text after the product name). Start-up may rightly spend 21 s waiting for the tray
// before that, and more on a loaded machine.
HWND WaitUntilWorking(const ProgramRun& run);
// The run ends within 15 s with exit code 0.
void ExpectEndsWithZero(ProgramRun& run);

// A stored alignment graded Good for the current desktop, written into the current folder; a
// start with "skip alignment when aligned" takes it over.
void WriteUsableAlignment();

// Waits until the title ends with the text; true when it did.
bool WaitForTitleEnding(HWND window, const std::wstring& ending, DWORD milliseconds);
