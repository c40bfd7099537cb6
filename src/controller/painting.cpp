// The main window's picture for each Mode. The frame thread leaves every Mode's data alone
// while `painting` is set, so the pictures may read what the steps write.
#include "controller/controller.h"

#include "base/unique_handle.h"
#include "controller/track_picture.h"

#include <algorithm>
#include <cwchar>

namespace {

class PaintingScope {
public:
    explicit PaintingScope(Controller& controller) : controller_(controller) {
        controller_.SetPainting(true);
    }
    ~PaintingScope() { controller_.SetPainting(false); }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    Controller& controller_;
};

void FillWith(HDC dc, const RECT& area, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

POINT ClientOrigin(HWND window) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

}  // namespace

COLORREF Controller::Background() const {
    const bool waiting =
        (modes_.mode == Mode::AutoAlignment && modes_.autoAlignmentStep == 1) ||
        (modes_.mode == Mode::ManualAlignment && modes_.manualAlignmentStep == 1);
    return waiting ? kWaitingBackground : RGB(255, 255, 255);
}

void Controller::Paint(HDC dc) {
    PaintingScope scope(*this);
    RECT client = {};
    GetClientRect(mainWindow_, &client);
    switch (modes_.mode) {
    case Mode::Idle:
        model_.pattern.Draw(dc, client, ClientOrigin(mainWindow_), true);
        break;
    case Mode::AutoAlignment:
        PaintAutoAlignment(dc, client);
        break;
    case Mode::ManualAlignment:
        PaintManualAlignment(dc, client);
        break;
    case Mode::FindGain:
        PaintFindGain(dc, client);
        break;
    case Mode::Track:
        PaintTrack(dc, client);
        break;
    default:
        FillWith(dc, client, Background());
        break;
    }
}

void Controller::PaintFindGain(HDC dc, const RECT& client) {
    if (gainOverlay_) {
        InvalidateRect(gainOverlay_.Get(), nullptr, TRUE);
        return;
    }
    FillWith(dc, client, model_.pattern.Kind() == kPatternBlack ? RGB(0, 0, 0) : RGB(255, 255, 255));
}

void Controller::PaintTrack(HDC dc, const RECT& client) {
    DrawTrackGrid(dc, client);
    HotSpotSource hotSpots;
    hotSpots.threshold = &frameImages_.thresholdImage;
    hotSpots.area = records_.hotSpot.box;
    hotSpots.count = records_.hotSpot.count;
    hotSpots.toDesktop = [this](float u, float v) { return SensorToDesktop(u, v); };
    hotSpots.clientOrigin = ClientOrigin(mainWindow_);
    DrawHotSpotMarkers(dc, client, hotSpots);

    SetBkMode(dc, TRANSPARENT);
    if (sensor_.shownFrameRate == FrameRateMonitor::kSlow) {
        // One line: the prompt's own line break becomes a space.
        wchar_t slow[kModeTextLength];
        wcscpy(slow, PromptText(Prompt::SensorSlow));
        std::replace(slow, slow + wcslen(slow), L'\n', L' ');
        SetTextColor(dc, kTrackTextColour);
        RECT line = client;
        DrawTextW(dc, slow, -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    wchar_t status[2 * kModeTextLength + 2];
    if (records_.hotSpot.count > 0) {
        swprintf(status, sizeof status / sizeof status[0], L"%ls\n%ls",
                 PromptText(Prompt::SensorTracking), PromptText(Prompt::SmallHotSpot));
    } else {
        swprintf(status, sizeof status / sizeof status[0], L"%ls",
                 PromptText(Prompt::SensorTracking));
    }
    DrawPrompt(dc, kTrackTextColour, status);
    PaintTrackOverlays(dc, client);
}
