#pragma once
// tavro_detector.und: one lens profile per text line, "A=%g\tB=%g\t...\tL=%g".
#include "settings/detector_profile.h"
#include "settings/file_result.h"

class LineReader;

inline constexpr wchar_t kDetectorFileName[] = L"tavro_detector.und";

// Reads up to maxProfiles profiles. Reading stops at the first line that is not a profile;
// a profile with a value that is not finite or a focal length that is not positive is refused
// (and reading stops there too). CannotOpen when the file is missing.
FileResult ReadDetectorProfiles(const wchar_t* fileName, DetectorProfile* profiles,
                                int maxProfiles, int& count);
// The same over lines from anywhere; `count` profiles were taken.
void ParseDetectorProfiles(LineReader& lines, DetectorProfile* profiles, int maxProfiles,
                           int& count);
FileResult WriteDetectorProfiles(const wchar_t* fileName, const DetectorProfile* profiles,
                                 int count);
