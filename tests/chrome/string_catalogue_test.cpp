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

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<UINT>*>(blocks)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

// Every id with a non-empty text in a module's string table (stored in blocks of sixteen).
std::set<UINT> StoredIds(HMODULE module) {
    std::vector<UINT> blocks;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    std::set<UINT> ids;
    for (UINT block : blocks) {
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            if (!StoredText(module, id).empty()) ids.insert(id);
        }
    }
    return ids;
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

class StringCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        libraryNames = ShippedLibraries();
        ASSERT_GE(libraryNames.size(), 2u) << "the German and the default library are built beside the tests";
        for (const std::wstring& name : libraryNames) {
            libraries.emplace_back(LoadLibraryW((testsupport::TestProgramFolder() + name).c_str()));
            ASSERT_TRUE(libraries.back()) << Narrow(name);
        }
    }

    HMODULE executable = GetModuleHandleW(nullptr);
    std::vector<std::wstring> libraryNames;
    std::vector<UniqueModule> libraries;
};

TEST_F(StringCatalogue, EveryLibraryTranslatesEveryTextWithTheSameConversionsAndFitsItsBuffer) {
    const std::set<UINT> ids = StoredIds(executable);
    for (UINT grade = 0; grade < kGradeTexts; ++grade) EXPECT_EQ(ids.count(IDS_GRADE_FIRST + grade), 1u) << grade;
    for (size_t i = 0; i < libraries.size(); ++i) {
        SCOPED_TRACE(Narrow(libraryNames[i]));
        for (UINT id : ids) {
            const std::wstring own = StoredText(executable, id);
            const std::wstring translated = StoredText(libraries[i].Get(), id);
            ASSERT_FALSE(own.empty()) << id;
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
