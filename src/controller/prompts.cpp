// Texts the Controller draws: Mode names for the title, and the prompts shown in the status
// rectangle at the top of the main window.
#include "controller/controller.h"

#include "base/unique_handle.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr UINT kPromptIds[kPromptCount] = {
    IDS_PROMPT_INITIALIZING, IDS_PROMPT_AUTO_ALIGNING,  IDS_PROMPT_MANUAL_ALIGNING,
    IDS_PROMPT_FINDING_THRESHOLD, IDS_PROMPT_SENSOR_SLOW, IDS_PROMPT_FINDING_GAIN,
    IDS_PROMPT_AUTO_START, IDS_PROMPT_MANUAL_START, IDS_MANUAL_STATUS,
    IDS_MANUAL_DOUBLE_INPUT, IDS_SENSOR_TRACKING, IDS_SMALL_HOT_SPOT,
};

// The status rectangle is wide and tall enough for each of these.
constexpr Prompt kStatusPrompts[] = {Prompt::Initializing,     Prompt::AutoAligning,
                                     Prompt::ManualAligning,   Prompt::FindingThreshold,
                                     Prompt::SensorSlow,       Prompt::ManualStart};

void CopyText(UINT id, wchar_t (&target)[kModeTextLength]) {
    const std::wstring text = LoadText(id);
    wcsncpy(target, text.c_str(), kModeTextLength - 1);
    target[kModeTextLength - 1] = L'\0';
}

SIZE MeasureText(HDC dc, const wchar_t* text) {
    RECT measured = {};
    DrawTextW(dc, text, -1, &measured, DT_CALCRECT);
    return {measured.right - measured.left, measured.bottom - measured.top};
}

}  // namespace

void Controller::LoadTexts() {
    for (int i = 0; i < kModeCount; ++i) CopyText(IDS_MODE_FIRST + i, texts_.modes[i]);
    for (int i = 0; i < kPromptCount; ++i) CopyText(kPromptIds[i], texts_.prompts[i]);
}

const wchar_t* Controller::PromptText(Prompt prompt) const {
    const int index = static_cast<int>(prompt);
    return index >= 0 && index < kPromptCount ? texts_.prompts[index] : L"";
}

void Controller::MeasureStatusRect() {
    WindowDc dc(mainWindow_);
    if (!dc) return;
    SIZE size = {0, 0};
    for (Prompt prompt : kStatusPrompts) {
        const SIZE text = MeasureText(dc.Get(), PromptText(prompt));
        size.cx = std::max(size.cx, text.cx);
        size.cy = std::max(size.cy, text.cy);
    }
    const LONG left = (status_.screenWidth - size.cx) / 2;
    status_.rect = {left, 1, left + size.cx, 1 + size.cy};
}

void Controller::DrawPrompt(HDC dc, COLORREF colour, const wchar_t* text) const {
    SetBkMode(dc, TRANSPARENT);
    UniqueBrush background(CreateSolidBrush(Background()));
    FillRect(dc, &status_.rect, background.Get());
    const SIZE size = MeasureText(dc, text);
    const LONG left = status_.rect.left + (status_.rect.right - status_.rect.left - size.cx) / 2;
    RECT target = {left, status_.rect.top, left + size.cx, status_.rect.top + size.cy};
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &target, DT_CENTER | DT_NOCLIP);
}

void Controller::ShowPrompt(HDC dc, const wchar_t* text) const {
    if (!text || !*text) {
        UniqueBrush background(CreateSolidBrush(Background()));
        FillRect(dc, &status_.rect, background.Get());
        return;
    }
    wchar_t line[kModeTextLength + 2];
    swprintf(line, sizeof line / sizeof line[0], L"%ls\n", text);
    DrawPrompt(dc, RGB(0, 0, 0), line);
}
