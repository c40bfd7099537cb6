#pragma once
// The files a run of the program needs beside it: core parameters naming the product, the
// chessboard layout, one lens profile and the options.
#include "settings/core_parameter_record.h"
#include "settings/option_record.h"

inline constexpr wchar_t kProductName[] = L"Tavro Pen";

// Options with the two first-run questions (introduction, gain level) switched off.
OptionRecord OptionsWithoutQuestions();

// The default core parameters with the product's names.
CoreParameterRecord ProductCoreParameters();

// Writes the files into the current directory; a failure is a fatal test failure.
void WriteProductFiles(const OptionRecord& options = OptionsWithoutQuestions(),
                       const CoreParameterRecord& parameters = ProductCoreParameters());
