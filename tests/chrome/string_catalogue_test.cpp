// The string table as the program reads it: every text of the executable is in every shipped
// language library, a translation keeps the executable's conversions in order and fits the text
// buffers, and the grade texts fit their field.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "resources/resource_ids.h"
#include "test_support.h"
#include "ui/message_texts.h"
#include "ui/resource_text.h"
#include "ui/text_format.h"

namespace {

constexpr int kGradeTexts = 5;

// The whole stored text of an id, however long; empty when the module lacks it.
std::wstring StoredText(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The language libraries the build ships beside the program.
std::vector<std::wstring> ShippedLibraries() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    UniqueFileSearch search(FindFirstFileW((testsupport::TestProgramFolder() + L"XDL-*.dll").c_str(), &found));
    if (!search) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(c < 128 ? static_cast<char>(c) : '?');
    return narrow;
}

TEST(StringCatalogue, EveryLibraryTranslatesEveryTextWithTheSameConversionsAndFitsItsBuffer) {
    const HMODULE executable = GetModuleHandleW(nullptr);
    const std::vector<std::wstring> names = ShippedLibraries();
    ASSERT_GE(names.size(), 2u) << "the German and the default library are built beside the tests";
    std::set<UINT> ids;
    for (UINT id = 0; id <= 0xFFFF; ++id)
        if (!StoredText(executable, id).empty()) ids.insert(id);
    for (UINT grade = 0; grade < kGradeTexts; ++grade) EXPECT_EQ(ids.count(IDS_GRADE_FIRST + grade), 1u) << grade;
    for (const std::wstring& name : names) {
        SCOPED_TRACE(Narrow(name));
        const UniqueModule library(LoadLibraryW((testsupport::TestProgramFolder() + name).c_str()));
        ASSERT_TRUE(library);
        for (UINT id : ids) {
            const std::wstring own = StoredText(executable, id);
            const std::wstring translated = StoredText(library.Get(), id);
            if (translated.empty()) {
                ADD_FAILURE() << "missing " << id;
                continue;
            }
            EXPECT_EQ(Narrow(ConversionLetters(translated.c_str())), Narrow(ConversionLetters(own.c_str()))) << id;
            const bool grade = id >= IDS_GRADE_FIRST && id < IDS_GRADE_FIRST + kGradeTexts;
            EXPECT_LT(translated.size(), grade ? kGradeTextCapacity : kTextCapacity) << id;
            EXPECT_LT(own.size(), grade ? kGradeTextCapacity : kTextCapacity) << id;
        }
    }
}

}  // namespace
