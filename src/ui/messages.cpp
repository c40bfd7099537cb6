#include "ui/messages.h"

#include <string>

#include "resources/resource_ids.h"
#include "ui/help_files.h"
#include "ui/html_message_box.h"
#include "ui/resource_text.h"
#include "ui/text_format.h"

namespace {

// The tag the box keeps for the program's error and status messages (0 for the rest).
constexpr int kStatusTag = 7;

std::wstring& Title() {
    static std::wstring title;
    return title;
}

HWND& Owner() {
    static HWND owner = nullptr;
    return owner;
}

int Show(const std::wstring& text, UINT style, int tag, HWND owner = nullptr) {
    MessageBoxParams params;
    params.resourceModule = ResourceModule();
    params.applicationName = Title().c_str();
    params.messageTag = tag;
    return HtmlMessageBox(owner ? owner : Owner(), text.c_str(), Title().c_str(), style | MB_TOPMOST,
                          &params);
}

void ShowFatal(UINT id) { Show(FatalText(id), MB_ICONERROR, kStatusTag); }
void ShowNumbered(UINT id, UINT style, int tag) { Show(NumberedText(id), style, tag); }
void ShowPlain(UINT id, UINT style, int tag) { Show(LoadText(id), style, tag); }
int AskPlain(UINT id, int tag) { return Show(LoadText(id), MB_YESNO | MB_ICONQUESTION, tag); }

void OpenDocument(const wchar_t* baseName, const wchar_t* languageCode) {
    const HelpOpenResult result = OpenHelpDocument(baseName, languageCode);
    if (result.shellResult <= 32) {
        Show(OpenFailureText(result.name, result.shellResult), MB_ICONEXCLAMATION, kStatusTag);
    }
}

}  // namespace

void SetMessageTitle(const wchar_t* productName) { Title() = Bounded(productName ? productName : L""); }
void SetMessageOwner(HWND window) { Owner() = window; }

bool ShowSystemError(DWORD errorCode) {
    Show(SystemErrorText(SystemTextOf(errorCode)), MB_ICONERROR, kStatusTag);
    return false;
}

bool ShowSystemErrorText(const wchar_t* text) {
    Show(SystemErrorText(text ? text : L""), MB_ICONERROR, kStatusTag);
    return false;
}

void ShowFileError(const wchar_t* fileName) {
    Show(FileErrorText(fileName ? fileName : L""), MB_ICONERROR, kStatusTag);
}

void FatalMessage(UINT id) { ShowFatal(id); }
void ShowTrayIconFailure() { ShowNumbered(IDS_NO_TRAY_ICON, MB_ICONEXCLAMATION, kStatusTag); }
void ShowSensorNotFound() { ShowFatal(IDS_SENSOR_NOT_FOUND); }
void ShowSensorDisconnected() { ShowFatal(IDS_SENSOR_DISCONNECTED); }

bool AskCloseNow() {
    const std::wstring text = FormatText(LoadFormat(IDS_ASK_CLOSE).c_str(), {Title()}, kMessageCapacity);
    return Show(text, MB_OKCANCEL | MB_ICONQUESTION, 0) == IDOK;
}

bool AskInstallDriver() { return Show(NumberedText(IDS_ASK_INSTALL), MB_YESNO | MB_ICONQUESTION, 0) == IDYES; }
bool AskReinstallDriver() { return Show(NumberedText(IDS_ASK_REINSTALL), MB_YESNO | MB_ICONQUESTION, 0) == IDYES; }
void ShowSetupCopyFailed() { ShowNumbered(IDS_SETUP_COPY_FAILED, MB_ICONERROR, 0); }
void ShowSetupInfMissing() { ShowNumbered(IDS_SETUP_INF_MISSING, MB_ICONERROR, 0); }
void ShowReplugDevice() { ShowNumbered(IDS_REPLUG_DEVICE, MB_ICONINFORMATION, 0); }

void ShowAlignmentFailure(UINT failureId) { ShowNumbered(failureId, MB_ICONEXCLAMATION, kStatusTag); }
void ShowAlignmentCoarse() { ShowNumbered(IDS_ALIGNMENT_COARSE, MB_ICONEXCLAMATION, kStatusTag); }

bool AskCoverageRealign(HWND owner) {
    return Show(NumberedText(IDS_COVERAGE_INCOMPLETE), MB_YESNO | MB_ICONQUESTION, kStatusTag, owner) == IDYES;
}

void ShowTooManyHotSpots() { ShowNumbered(IDS_TOO_MANY_HOT_SPOTS, MB_ICONEXCLAMATION, kStatusTag); }
void ShowSmallHotSpot() { ShowNumbered(IDS_SMALL_HOT_SPOT, MB_ICONEXCLAMATION, kStatusTag); }
void ShowLightChanged() { ShowNumbered(IDS_LIGHT_CHANGED, MB_ICONEXCLAMATION, kStatusTag); }
void ShowStepError() { ShowNumbered(IDS_STEP_ERROR, MB_ICONEXCLAMATION, kStatusTag); }
void ShowResolutionChanged() { ShowPlain(IDS_RESOLUTION_CHANGED, MB_ICONINFORMATION, 0); }
void ShowAspectChanged() { ShowPlain(IDS_ASPECT_CHANGED, MB_ICONINFORMATION, 0); }
void ShowTrackGainChanged() { ShowNumbered(IDS_TRACK_GAIN_CHANGED, MB_ICONEXCLAMATION, kStatusTag); }
void ShowSensorTracking() { ShowPlain(IDS_SENSOR_TRACKING, MB_ICONINFORMATION, kStatusTag); }
void ShowAlignmentPoor() { ShowPlain(IDS_ALIGNMENT_POOR, MB_ICONEXCLAMATION, kStatusTag); }
int AskManualOrAutoAlignment() { return AskPlain(IDS_ASK_MANUAL_OR_AUTO, kStatusTag); }

void ShowManualInputsDone() { ShowPlain(IDS_MANUAL_INPUTS_DONE, MB_ICONINFORMATION, kStatusTag); }
int AskManualSomeDotsMissed() { return AskPlain(IDS_MANUAL_SOME_DOTS_MISSED, 0); }
int AskManualTooFewDots() { return AskPlain(IDS_MANUAL_TOO_FEW_DOTS, 0); }
int AskManualRedo() { return AskPlain(IDS_MANUAL_ASK_REDO, 0); }
int AskManualHotSpotFound() { return AskPlain(IDS_MANUAL_HOT_SPOT_FOUND, 0); }
void ShowManualNoHotSpot() { ShowPlain(IDS_MANUAL_NO_HOT_SPOT, MB_ICONINFORMATION, 0); }

void ShowSystemAspect(const DisplayGeometry& geometry) { Show(SystemAspectText(geometry), MB_ICONINFORMATION, 0); }
void ShowAccuracy(const AccuracyFigures& figures) { Show(AccuracyText(figures), MB_ICONINFORMATION, 0); }

void OpenHelp(const wchar_t* languageCode) { OpenDocument(L"readme", languageCode); }
void OpenUserGuide(const wchar_t* languageCode) { OpenDocument(L"intro", languageCode); }
