#pragma once
// The order in which language ids are tried when the program picks its language library.
#include <windows.h>

#include <array>
#include <vector>

// Language 1033 (English, United States) stands for the executable's own resources.
constexpr LANGID kOwnResourcesLanguage = 1033;

// The user's UI language, the system's UI language, the user's and the system's default
// language, in that order; 0 where the system cannot tell.
using LanguageSources = std::array<LANGID, 4>;

// Every id to try, in order: for each source its own id, then (when it has a sublanguage) the
// primary language alone, then (unless the sublanguage was 1) the primary language with
// sublanguage 1. A source of 0 adds nothing.
std::vector<LANGID> LanguageAttemptOrder(const LanguageSources& sources);
