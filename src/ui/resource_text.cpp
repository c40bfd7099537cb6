#include "ui/resource_text.h"

#include "resources/resource_ids.h"
#include "ui/language_library.h"
#include "ui/text_format.h"

HINSTANCE ExecutableModule() {
    return GetModuleHandleW(nullptr);
}

HINSTANCE ResourceModule() {
    const HMODULE library = ProcessLanguageLibrary().Module();
    return library ? library : ExecutableModule();
}

HICON MainIcon() {
    return LoadIconW(ExecutableModule(), MAKEINTRESOURCEW(IDI_MAIN_ICON));
}

std::wstring LoadModuleText(HINSTANCE module, UINT id) {
    wchar_t buffer[kTextCapacity] = {};
    const int length = LoadStringW(module, id, buffer, static_cast<int>(kTextCapacity));
    return length > 0 ? std::wstring(buffer, length) : std::wstring();
}

std::wstring LoadText(UINT id) {
    std::wstring text = LoadModuleText(ResourceModule(), id);
    return text.empty() ? LoadModuleText(ExecutableModule(), id) : text;
}

std::wstring ChooseFormat(const std::wstring& own, const std::wstring& translated) {
    if (translated.empty() || ConversionLetters(translated.c_str()) != ConversionLetters(own.c_str())) return own;
    return translated;
}

std::wstring LoadFormat(UINT id) {
    const std::wstring own = LoadModuleText(ExecutableModule(), id);
    if (ResourceModule() == ExecutableModule()) return own;
    return ChooseFormat(own, LoadModuleText(ResourceModule(), id));
}
