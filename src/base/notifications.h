#pragma once
// Private messages and timers of the main window. Work from the frame thread reaches the UI
// thread only as posted AppNotify messages.
#include <windows.h>

inline constexpr UINT kGraphEventMessage = WM_APP + 1;
inline constexpr UINT kAppNotifyMessage = WM_APP + 2;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 10;
inline constexpr UINT kCloseQuietlyMessage = WM_APP + 11;

// wParam of AppNotify; the value travels in lParam.
enum AppNotifyCode : WPARAM {
    NotifyModeRequest = 0,   // value: the Mode wanted (3: start-up completion)
    NotifyInformation = 1,   // value 8: "Sensor is tracking."
    NotifyCursor = 2,        // value: ShowCursor argument
    NotifyRaise = 3,
    NotifyModeEntered = 4,   // value: 1 for Track, else 0
    NotifyCloseNow = 5,
    NotifyStepEnded = 6,     // a Mode's step ended; the Controller concludes it on the UI thread
    NotifySlowSensor = 7,    // the frame-rate monitor found the sensor slow while tracking
    NotifyScreenBlocking = 8,  // lit structures kept hiding the pen while tracking
    NotifyFormatChanged = 9,   // the sensor's frames came in another layout
};

inline constexpr UINT_PTR kFrameTimerId = 7626;
inline constexpr UINT_PTR kStartupTimerId = 1127;
inline constexpr int kFindThresholdHotkeyId = 40005;
