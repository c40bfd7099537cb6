// Manual alignment's picture on the main window: the start prompt until the dots appear, then
// the dots and the input status (or the warning about a pen left on a dot).
#include "controller/controller.h"

#include <cwchar>
#include <string>

#include "controller/dot_painter.h"
#include "resources/resource_ids.h"
#include "ui/resource_text.h"

namespace {

constexpr COLORREF kStatusColour = RGB(0, 0, 0);
constexpr COLORREF kWarningColour = RGB(255, 0, 0);

void DrawTopText(HDC dc, const RECT& client, const std::wstring& text, COLORREF colour) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT area = client;
    area.top += 1;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_NOPREFIX);
}

}  // namespace

void Controller::PaintManualAlignment(HDC dc, const RECT& client) {
    if (modes_.manualAlignmentStep < kManualInput) {
        DrawTopText(dc, client, LoadText(IDS_PROMPT_MANUAL_START), kStatusColour);
        if (modes_.manualAlignmentStep == kManualPreview) PaintManualPreview(dc, client);
        return;
    }
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    POINT origin{0, 0};
    ClientToScreen(mainWindow_, &origin);
    const DotSet& dots = manualRun_.Dots();
    PaintDots(dc, dots, model_.pattern, origin);
    if (manualRun_.ShowsDoubleInputWarning()) {
        DrawTopText(dc, client, LoadText(IDS_MANUAL_DOUBLE_INPUT), kWarningColour);
        return;
    }
    wchar_t status[kModeTextLength];
    swprintf(status, kModeTextLength, LoadFormat(IDS_MANUAL_STATUS).c_str(), dots.done, dots.lost);
    DrawTopText(dc, client, status, kStatusColour);
}

void Controller::PaintManualPreview(HDC dc, const RECT& client) const {
    const RECT picture = ManualPreviewRect(client);
    if (!frameImages_.Draw(frameImages_.snapshots[2], dc, picture)) return;
    // The part of the picture the dots will be searched in.
    const PixelRect& area = frameImages_.detectionArea;
    const SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, picture.left + area.x, picture.top + area.y, picture.left + area.Right(),
              picture.top + area.Bottom());
}

RECT Controller::ManualPreviewRect(const RECT& client) const {
    const int left = (client.right - frameImages_.Width()) / 2;
    const int top = (client.bottom - frameImages_.Height()) / 2;
    return {left, top, left + frameImages_.Width(), top + frameImages_.Height()};
}
