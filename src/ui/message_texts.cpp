#include "ui/message_texts.h"

#include "resources/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/text_format.h"
#include "base/unique_handle.h"

namespace {

struct LocalMemoryCloser { void operator()(HLOCAL memory) const { LocalFree(memory); } };
using UniqueLocalMemory = UniqueHandle<HLOCAL, LocalMemoryCloser>;

std::wstring Joined(std::initializer_list<FormatArg> parts, const wchar_t* withTwo, const wchar_t* withThree) {
    return FormatText(parts.size() == 2 ? withTwo : withThree, parts, kMessageCapacity);
}

}  // namespace

std::wstring NumberedText(UINT id) {
    return FormatText(L"#%d\n\n%s", {static_cast<int>(id), LoadText(id)}, kMessageCapacity);
}

std::wstring FatalText(UINT id) {
    return FormatText(L"%s\n\n%s", {NumberedText(id), LoadText(IDS_EXIT_NOW)}, kMessageCapacity);
}

std::wstring SystemErrorText(const std::wstring& systemText) {
    const std::wstring numbered = NumberedText(IDS_OS_ERROR);
    const std::wstring exitText = LoadText(IDS_EXIT_NOW);
    if (systemText.empty()) return Joined({numbered, exitText}, L"%s\n\n%s", nullptr);
    return Joined({numbered, systemText, exitText}, nullptr, L"%s\n\n%s\n\n%s");
}

std::wstring SystemTextOf(DWORD errorCode) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const UniqueLocalMemory owner(text);
    if (length == 0 || !text) return std::wstring();
    return Bounded(std::wstring(text, length), kMessageCapacity);
}

std::wstring FileErrorText(const std::wstring& fileName) {
    return FormatText(L"#%d\n[ %s]\n\n%s\n\n%s",
                      {IDS_FILE_ACCESS_ERROR, fileName, LoadText(IDS_FILE_ACCESS_ERROR), LoadText(IDS_EXIT_NOW)},
                      kMessageCapacity);
}

std::wstring OpenFailureText(const std::wstring& fileName, INT_PTR shellResult) {
    return FormatText(L"#%d\n[ %s]\n\n%s\n\n%s",
                      {IDS_FILE_ACCESS_ERROR, WithoutExtension(fileName), LoadText(IDS_FILE_ACCESS_ERROR),
                       ShellOpenErrorText(shellResult)},
                      kMessageCapacity);
}

const wchar_t* ShellOpenErrorText(INT_PTR shellResult) {
    switch (shellResult) {
    case 0: return L"The operating system is out of memory or resources.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return L"The specified file was not found.";
    case SE_ERR_ACCESSDENIED: return L"The operating system denied access to the specified file.";
    case SE_ERR_OOM: return L"There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return L"The .exe file is invalid (non-Win32R .exe or error in .exe image).";
    case SE_ERR_SHARE: return L"A sharing violation occurred";
    case SE_ERR_ASSOCINCOMPLETE: return L"The file name association is incomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return L"The Dynamic Data Exchange (DDE) transaction could not be completed\nbecause the request timed out.";
    case SE_ERR_DDEFAIL: return L"The Dynamic Data Exchange (DDE) transaction failed.";
    case SE_ERR_DDEBUSY:
        return L"The Dynamic Data Exchange (DDE) transaction could not be completed\nbecause other DDE transactions "
               L"were being processed.";
    case SE_ERR_NOASSOC: return L"There is no application associated with the given file name extension.";
    case SE_ERR_DLLNOTFOUND: return L"The specified dynamic-link library was not found.";
    default: return L"Unknow error";
    }
}

std::wstring WithoutExtension(const std::wstring& name) {
    // A dot in a folder name is not an extension.
    const std::size_t dot = name.find_last_of(L'.');
    const std::size_t slash = name.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return name;
    return name.substr(0, dot);
}

std::wstring SystemAspectText(const DisplayGeometry& geometry) {
    const std::wstring desktop = FormatText(L"%6d x %6d", {geometry.desktopWidth, geometry.desktopHeight});
    const std::wstring display = FormatText(L"%6.4f x %6.4f", {static_cast<double>(geometry.displayAspectWidth),
                                                               static_cast<double>(geometry.displayAspectHeight)});
    return FormatText(LoadFormat(IDS_ASPECT_REPORT).c_str(), {desktop, display}, kMessageCapacity);
}

std::wstring GradeText(int grade) {
    if (grade < 0 || grade > 4) grade = 0;
    return Bounded(LoadText(IDS_GRADE_FIRST + grade), kGradeTextCapacity);
}

std::wstring AccuracyText(const AccuracyFigures& figures) {
    const int grade = static_cast<int>(figures.grade);
    std::wstring lost = L"--", bad = L"--", maximum = L"--", average = L"--";
    if (grade >= 2) {
        lost = FormatText(L"%d", {figures.lostCorners});
        bad = FormatText(L"%d", {figures.badCorners});
        maximum = FormatText(L"x:%5.2f\ty:%5.2f",
                             {static_cast<double>(figures.maxErrorX), static_cast<double>(figures.maxErrorY)});
        average = FormatText(L"x:%5.2f\ty:%5.2f",
                             {static_cast<double>(figures.averageErrorX), static_cast<double>(figures.averageErrorY)});
    }
    return FormatText(LoadFormat(IDS_ACCURACY_REPORT).c_str(), {GradeText(grade), lost, bad, maximum, average},
                      kMessageCapacity);
}
