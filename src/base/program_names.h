#pragma once
// Names other programs and the program's own second copy find it by; they never change.
inline constexpr wchar_t kMutexName[] = L"TavroWyvoMutex";
inline constexpr wchar_t kMainWindowClass[] = L"TavroWyvoClass";
inline constexpr wchar_t kGainOverlayClassName[] = L"TavroWyvoClassGain";
inline constexpr wchar_t kCoverageWindowClassName[] = L"TavroWyvoClassOut";
inline constexpr wchar_t kTrayWindowClass[] = L"TavroWyvoTrayIconClass";
inline constexpr wchar_t kTrayOwnerWindowTitle[] = L"TavroWyvoTrayIconWindow";
