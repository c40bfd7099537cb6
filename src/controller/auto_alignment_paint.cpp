// The picture of auto alignment: while waiting for the trigger the sensor's view with the
// prompt; afterwards the pattern the sensor is meant to see, and during the brightness sweep a
// small corner preview in the top-left corner, clear of the board.
#include "controller/controller.h"

#include <cwchar>

namespace {

constexpr COLORREF kPromptBlack = RGB(0, 0, 0);
constexpr COLORREF kPromptGray = RGB(128, 128, 128);
constexpr COLORREF kSweepRed = RGB(255, 0, 0);
// The sweep preview is a quarter of the frame's size so that it stays off the board.
constexpr int kSweepPreviewDivisor = 4;

void DrawAlignmentPrompt(HDC dc, const RECT& client, const wchar_t* text, COLORREF colour) {
    RECT area = {client.left, client.top + 1, client.right, client.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &area, DT_CENTER | DT_TOP | DT_NOCLIP);
}

}  // namespace

RECT Controller::AlignmentPreviewRect(const RECT& client) const {
    const int width = frameImages_.Width();
    const int height = frameImages_.Height();
    if (modes_.autoAlignmentStep == 1) {
        const int left = client.left + (client.right - client.left - width) / 2;
        const int top = client.top + (client.bottom - client.top - height) / 2;
        return {left, top, left + width, top + height};
    }
    return {client.left, client.top, client.left + width / kSweepPreviewDivisor,
            client.top + height / kSweepPreviewDivisor};
}

void Controller::PaintAutoAlignment(HDC dc, const RECT& client) {
    const int step = modes_.autoAlignmentStep;
    const cv::Mat& preview = frameImages_.snapshots[2];
    const AutoAlignmentState& run = autoRun_.State();
    if (step == 1) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawAlignmentPrompt(dc, client, PromptText(Prompt::AutoStart), kPromptBlack);
        if (run.previewReady) {
            frameImages_.Draw(preview, dc, AlignmentPreviewRect(client));
        }
        return;
    }
    POINT origin = {0, 0};
    ClientToScreen(mainWindow_, &origin);
    model_.pattern.Draw(dc, client, origin, false);
    if (step != 3) return;
    DrawAlignmentPrompt(dc, client, PromptText(Prompt::FindingGain), kPromptGray);
    if (!run.previewReady) return;
    RECT area = AlignmentPreviewRect(client);
    frameImages_.Draw(preview, dc, area);
    wchar_t percent[16];
    swprintf(percent, sizeof percent / sizeof percent[0], L"%d%%", run.previewPercent);
    InflateRect(&area, -2, -2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kSweepRed);
    DrawTextW(dc, percent, -1, &area, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}
