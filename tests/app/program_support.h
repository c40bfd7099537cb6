#pragma once
// Running the built program from a folder of its own and watching its main window: the files
// it needs beside it, its title, its end, and a stored alignment that lets it enter gain finding.
#include "desktop_test_support.h"
#include "program_run.h"
#include "settings/core_parameter_record.h"
#include "settings/option_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

inline constexpr wchar_t kProductName[] = L"Tavro Pen";

// Options with the two first-run questions (introduction, gain level) switched off.
OptionRecord OptionsWithoutQuestions();

// The default core parameters with the product's names.
CoreParameterRecord ProductCoreParameters();

// Writes the core parameters, the chessboard layout, one lens profile and the options into the
// current directory; a failure is a fatal test failure.
void WriteProductFiles(const OptionRecord& options = OptionsWithoutQuestions(),
                       const CoreParameterRecord& parameters = ProductCoreParameters());

// A copy of the program in a fresh folder (the current one for the test's life), one program
// test at a time.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyProgramTo(folder.Path())); }

    std::wstring Program() const { return folder.Path() + L"\\tavro.exe"; }

    testsupport::ProgramLock lock;
    testsupport::ScratchDirectory folder{L"program"};
};

// The run ends within 15 s with exit code 0.
void ExpectEndsWithZero(ProgramRun& run);
// Ends the run through the quiet close message and expects exit code 0.
void CloseQuietly(ProgramRun& run, HWND main);

// A stored alignment graded Good for the current desktop, written into the current folder; a
// start with "skip alignment when aligned" takes it over.
void WriteUsableAlignment();

std::wstring TitleOf(HWND window);
// Waits (serving messages) until the title ends with the text; true when it did.
bool WaitForTitleEnding(HWND window, const std::wstring& ending, DWORD milliseconds);
