#pragma once
// Every message and question the program shows. Each operation owns its text id, text form,
// buttons and icon; all boxes are top-most, titled with the product name and owned by the main
// window unless an owner is given. Call on the UI thread; each call blocks until the box closes.
#include <windows.h>

#include "ui/message_texts.h"

// The title of every box (the product name of the core parameters). Until it is set the box
// falls back to its owner's title, then to "Error".
void SetMessageTitle(const wchar_t* productName);
// The window that owns the boxes shown without an owner of their own: the main window while it
// exists, else none.
void SetMessageOwner(HWND window);

// Start-up and system failures. Each returns false so a failing path can end with it.
bool ShowSystemError(DWORD errorCode);             // 10001 with the system's text of the code
bool ShowSystemErrorText(const wchar_t* text);     // 10001 with a given text (e.g. the sensor's)
void ShowFileError(const wchar_t* fileName);       // 10003, a settings file is missing or damaged
void FatalMessage(UINT id);                        // any id in the fatal form
void ShowTrayIconFailure();                        // 10005
void ShowSensorNotFound();                         // 10011, fatal
void ShowSensorDisconnected();                     // 10012, fatal
bool AskCloseNow();                                // 10060 "Close %s now?", true for OK

// Driver installation.
bool AskInstallDriver();                           // 10013, true for Yes
bool AskReinstallDriver();                         // 10014, true for Yes
void ShowSetupCopyFailed();                        // 10016
void ShowSetupInfMissing();                        // 10017
void ShowReplugDevice();                           // 10018

// Alignment, gain and tracking.
void ShowAlignmentFailure(UINT failureId);         // 10020, 10021 or 10022
void ShowAlignmentCoarse();                        // 10023
bool AskCoverageRealign(HWND owner);               // 10024, true for Yes
void ShowTooManyHotSpots();                        // 10026
void ShowSmallHotSpot();                           // 10027
void ShowLightChanged();                           // 10030
void ShowStepError();                              // 10031, a step stopped by an internal error
void ShowResolutionChanged();                      // 10040
void ShowAspectChanged();                          // 10041
void ShowTrackGainChanged();                       // 10042
void ShowSensorTracking();                         // 20206
void ShowAlignmentPoor();                          // 20209
int AskManualOrAutoAlignment();                    // 21025, IDYES: manual, IDNO: auto again

// Manual alignment. Questions return IDYES or IDNO.
void ShowManualInputsDone();                       // 20301
int AskManualSomeDotsMissed();                     // 20302
int AskManualTooFewDots();                         // 20303
int AskManualRedo();                               // 20305, after a failed manual alignment
int AskManualHotSpotFound();                       // 20307
void ShowManualNoHotSpot();                        // 20308

// The Help menu's reports.
void ShowSystemAspect(const DisplayGeometry& geometry);  // 20401
void ShowAccuracy(const AccuracyFigures& figures);      // 20400, of the alignment result record

// F1 and the Introduction dialog's Open: open "readme_<code>.*" / "intro_<code>.*" (then the
// "def" and "eng" ones) from the current directory; a failure is shown as a message.
void OpenHelp(const wchar_t* languageCode);
void OpenUserGuide(const wchar_t* languageCode);
