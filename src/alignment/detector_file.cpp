#include "alignment/detector_file.h"

#include "settings/line_reader.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr char kProfileFormat[] =
    "A=%g\tB=%g\tC=%g\tD=%g\tE=%g\tF=%g\tG=%g\tH=%g\tI=%g\tJ=%g\tK=%g\tL=%g";
constexpr int kValuesPerProfile = 12;

float* Values(DetectorProfile& p) { return &p.fx; }
const float* Values(const DetectorProfile& p) { return &p.fx; }

bool IsUsable(const DetectorProfile& p) {
    for (int i = 0; i < kValuesPerProfile; ++i)
        if (!std::isfinite(Values(p)[i])) return false;
    return p.fx > 0.0f && p.fy > 0.0f;
}

}  // namespace

FileResult ReadDetectorProfiles(const wchar_t* fileName, DetectorProfile* profiles,
                                int maxProfiles, int& count) {
    count = 0;
    FileLineReader lines(fileName);
    if (!lines.IsOpen()) return FileResult::CannotOpen;
    ParseDetectorProfiles(lines, profiles, maxProfiles, count);
    return FileResult::Ok;
}

void ParseDetectorProfiles(LineReader& lines, DetectorProfile* profiles, int maxProfiles,
                           int& count) {
    count = 0;
    char line[512];
    while (count < maxProfiles && lines.Next(line, sizeof line)) {
        DetectorProfile p;
        float* v = Values(p);
        const int read = std::sscanf(line, kProfileFormat, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                                     &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]);
        if (read != kValuesPerProfile || !IsUsable(p)) break;
        profiles[count++] = p;
    }
}

FileResult WriteDetectorProfiles(const wchar_t* fileName, const DetectorProfile* profiles,
                                 int count) {
    UniqueStdioFile file(_wfopen(fileName, L"w"));
    if (!file) return FileResult::CannotOpen;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        const float* v = Values(profiles[i]);
        ok = std::fprintf(file.get(),
                          "A=%g\tB=%g\tC=%g\tD=%g\tE=%g\tF=%g\tG=%g\tH=%g\tI=%g\tJ=%g\tK=%g\tL=%g\n",
                          v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                          v[11]) > 0 && ok;
    }
    ok = std::fclose(file.release()) == 0 && ok;
    return ok ? FileResult::Ok : FileResult::ShortWrite;
}
