#pragma once
// Alignments the program made itself, kept for the later scenarios of one run of scripts/e2e (in
// the folder that TAVRO_E2E_ALIGNMENTS names): one per desktop size and sensor control file. So
// tracking is tested on what the program really aligns to, without aligning in every scenario.
#include <string>

class OwnAlignmentCache {
public:
    OwnAlignmentCache(const std::string& sensorText, int desktopWidth, int desktopHeight);

    // Copies a kept alignment into the program's folder; false when there is none.
    bool Restore() const;
    // Keeps the alignment the program stored in its folder; true when there is no cache.
    bool Keep() const;

private:
    std::wstring folder_;  // empty without a cache
};
