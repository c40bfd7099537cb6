#include "alignment/detector_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kProfileFormat[] =
    "A=%g\tB=%g\tC=%g\tD=%g\tE=%g\tF=%g\tG=%g\tH=%g\tI=%g\tJ=%g\tK=%g\tL=%g";
constexpr int kValuesPerProfile = 12;

float* Values(DetectorProfile& p) { return &p.fx; }
const float* Values(const DetectorProfile& p) { return &p.fx; }

// One line, at most size - 1 characters kept; the rest of a longer line is skipped. False at
// the end of the file.
bool ReadLine(FILE* file, char* line, int size) {
    if (!std::fgets(line, size, file)) return false;
    if (!std::strchr(line, '\n')) {
        int c;
        while ((c = std::fgetc(file)) != EOF && c != '\n') {
        }
    }
    return true;
}

bool IsUsable(const DetectorProfile& p) {
    for (int i = 0; i < kValuesPerProfile; ++i)
        if (!std::isfinite(Values(p)[i])) return false;
    return p.fx > 0.0f && p.fy > 0.0f;
}

}  // namespace

FileResult ReadDetectorProfiles(const wchar_t* fileName, DetectorProfile* profiles,
                                int maxProfiles, int& count) {
    count = 0;
    FILE* file = _wfopen(fileName, L"r");
    if (!file) return FileResult::CannotOpen;
    char line[512];
    while (count < maxProfiles && ReadLine(file, line, sizeof line)) {
        DetectorProfile p;
        float* v = Values(p);
        const int read = std::sscanf(line, kProfileFormat, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                                     &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]);
        if (read != kValuesPerProfile || !IsUsable(p)) break;
        profiles[count++] = p;
    }
    std::fclose(file);
    return FileResult::Ok;
}

FileResult WriteDetectorProfiles(const wchar_t* fileName, const DetectorProfile* profiles,
                                 int count) {
    FILE* file = _wfopen(fileName, L"w");
    if (!file) return FileResult::CannotOpen;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        const float* v = Values(profiles[i]);
        ok = std::fprintf(file,
                          "A=%g\tB=%g\tC=%g\tD=%g\tE=%g\tF=%g\tG=%g\tH=%g\tI=%g\tJ=%g\tK=%g\tL=%g\n",
                          v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                          v[11]) > 0 && ok;
    }
    ok = std::fclose(file) == 0 && ok;
    return ok ? FileResult::Ok : FileResult::ShortWrite;
}
