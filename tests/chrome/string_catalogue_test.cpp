// The string table as the program reads it: every text it loads is in the executable and in
// every shipped language library, a translation keeps the executable's conversions in order and
// fits the text buffers, and the grade texts fit their field.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/unique_handle.h"
#include "resources/resource_ids.h"
#include "ui/message_texts.h"
#include "ui/resource_text.h"
#include "ui/text_format.h"

namespace {

constexpr int kModeTexts = 9;
constexpr int kGradeTexts = 5;

// Every string id the program loads from its string table. The message box's own buttons
// beyond 9009 have built-in labels and are not in the table.
std::set<UINT> ProgramStringIds() {
    std::set<UINT> ids = {
        IDS_BUTTON_RESET, IDS_BUTTON_OK, IDS_BUTTON_CANCEL, IDS_BUTTON_IGNORE, IDS_BUTTON_RETRY,
        IDS_BUTTON_ABORT, IDS_BUTTON_HELP, IDS_BUTTON_YES, IDS_BUTTON_NO, IDS_BUTTON_CONTINUE,
        IDS_OS_ERROR, IDS_FILE_ACCESS_ERROR, IDS_NO_TRAY_ICON, IDS_SENSOR_NOT_FOUND,
        IDS_SENSOR_DISCONNECTED, IDS_ASK_INSTALL, IDS_ASK_REINSTALL, IDS_SETUP_COPY_FAILED,
        IDS_SETUP_INF_MISSING, IDS_REPLUG_DEVICE, IDS_LOSING_CORNERS, IDS_ALIGNMENT_FAIL,
        IDS_ALIGNMENT_BAD, IDS_ALIGNMENT_COARSE, IDS_COVERAGE_INCOMPLETE, IDS_TOO_MANY_HOT_SPOTS,
        IDS_SMALL_HOT_SPOT, IDS_LIGHT_CHANGED, IDS_STEP_ERROR, IDS_RESOLUTION_CHANGED, IDS_ASPECT_CHANGED,
        IDS_TRACK_GAIN_CHANGED, IDS_EXIT_NOW, IDS_ASK_CLOSE, IDS_BUTTON_EXIT,
        IDS_PROMPT_INITIALIZING, IDS_PROMPT_AUTO_ALIGNING, IDS_PROMPT_MANUAL_ALIGNING,
        IDS_PROMPT_FINDING_THRESHOLD, IDS_PROMPT_FINDING_GAIN, IDS_PROMPT_SENSOR_SLOW,
        IDS_SENSOR_TRACKING, IDS_PROMPT_MANUAL_START, IDS_PROMPT_AUTO_START, IDS_ALIGNMENT_POOR,
        IDS_MANUAL_STATUS, IDS_MANUAL_INPUTS_DONE, IDS_MANUAL_SOME_DOTS_MISSED,
        IDS_MANUAL_TOO_FEW_DOTS, IDS_MANUAL_ASK_REDO, IDS_MANUAL_DOUBLE_INPUT,
        IDS_MANUAL_HOT_SPOT_FOUND, IDS_MANUAL_NO_HOT_SPOT, IDS_ACCURACY_REPORT, IDS_ASPECT_REPORT,
        IDS_VERSION_TITLE, IDS_VERSION_COMPANY, IDS_VERSION_PRODUCT, IDS_VERSION_ID,
        IDS_VERSION_DATE, IDS_INTRO_TITLE, IDS_INTRO_TEXT, IDS_INTRO_OPEN, IDS_COMMON_TITLE,
        IDS_DONT_ASK_AGAIN, IDS_COMMON_GROUP, IDS_COMMON_AUTORUN, IDS_COMMON_MINIMIZE_TO_TRAY,
        IDS_COMMON_KEEP_ALIGNMENT, IDS_GAIN_TITLE, IDS_GAIN_GROUP, IDS_GAIN_LOW, IDS_GAIN_MEDIUM,
        IDS_GAIN_HIGH, IDS_BUTTON_TEST_HINT_PAIRING, IDS_BUTTON_TEST_HINT_BATTERY,
        IDS_ASPECT_TITLE, IDS_ASPECT_SIZE, IDS_ASPECT_AUTO_DETECT, IDS_ASK_MANUAL_OR_AUTO,
    };
    for (UINT i = 0; i < kModeTexts; ++i) ids.insert(IDS_MODE_FIRST + i);
    for (UINT i = 0; i < kGradeTexts; ++i) ids.insert(IDS_GRADE_FIRST + i);
    return ids;
}

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

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

// The language libraries the build ships beside the program.
std::vector<std::wstring> ShippedLibraries() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    UniqueFileSearch search(FindFirstFileW((ProgramFolder() + L"XDL-*.dll").c_str(), &found));
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
            libraries.emplace_back(LoadLibraryW((ProgramFolder() + name).c_str()));
            ASSERT_TRUE(libraries.back()) << Narrow(name);
        }
    }

    HMODULE executable = GetModuleHandleW(nullptr);
    std::vector<std::wstring> libraryNames;
    std::vector<UniqueModule> libraries;
};

TEST_F(StringCatalogue, TheExecutableHoldsExactlyTheTextsTheProgramLoads) {
    EXPECT_EQ(StoredIds(executable), ProgramStringIds());
}

TEST_F(StringCatalogue, EveryLibraryTranslatesEveryTextWithTheSameConversionsAndFitsTheBuffers) {
    for (size_t i = 0; i < libraries.size(); ++i) {
        SCOPED_TRACE(Narrow(libraryNames[i]));
        for (UINT id : ProgramStringIds()) {
            const std::wstring own = StoredText(executable, id);
            const std::wstring translated = StoredText(libraries[i].Get(), id);
            ASSERT_FALSE(own.empty()) << id;
            if (translated.empty()) {
                ADD_FAILURE() << "missing " << id;
                continue;
            }
            EXPECT_EQ(Narrow(ConversionLetters(translated.c_str())), Narrow(ConversionLetters(own.c_str()))) << id;
            EXPECT_LT(translated.size(), kTextCapacity) << id;
        }
    }
}

TEST_F(StringCatalogue, GradeTextsFitTheirField) {
    std::vector<HMODULE> modules = {executable};
    for (const UniqueModule& library : libraries) modules.push_back(library.Get());
    for (HMODULE module : modules) {
        for (UINT grade = 0; grade < kGradeTexts; ++grade) {
            const std::wstring text = StoredText(module, IDS_GRADE_FIRST + grade);
            EXPECT_FALSE(text.empty()) << grade;
            EXPECT_LT(text.size(), kGradeTextCapacity) << Narrow(text);
        }
    }
}

}  // namespace
