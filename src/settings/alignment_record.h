#pragma once
// The last alignment, kept in tavro_refer.und so that a later start can reuse it.
#include "settings/file_result.h"
#include "settings/detector_profile.h"
#include "settings/pattern_points.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

inline constexpr wchar_t kAlignmentResultFileName[] = L"tavro_refer.und";

// How well the mapping fits the drawn board; Coarse and Good count as usable.
enum class AccuracyGrade : int32_t {
    NotAligned = 0,
    Failed = 1,
    Bad = 2,
    Coarse = 3,
    Good = 4,
};

struct AccuracyFigures {
    AccuracyGrade grade;
    float maxErrorX;         // desktop pixels
    float maxErrorY;
    float averageErrorX;
    float averageErrorY;
    int32_t lostCorners;
    int32_t badCorners;
};

// The lens an alignment refined from its profile; all zero when it kept the profile's own.
struct RefinedLens {
    float fx;
    float fy;
    float k1;
    float k2;
};
static_assert(sizeof(RefinedLens) == 16);

struct AlignmentRecord {
    AccuracyFigures accuracy;
    float displayAspectWidth;
    float displayAspectHeight;
    int32_t alignedDesktopWidth;     // desktop size when the alignment was made
    int32_t alignedDesktopHeight;
    float principalPointX;           // lens centre after refinement, sensor pixels
    float principalPointY;
    CameraPose pose;
    PosePoints posePoints;           // plane points at aspect factor 1
    int32_t profileIndex;            // lens profile used, -1 for none
    RefinedLens refinedLens;         // files written before it existed hold zeros here
    uint8_t reserved[8];
};
static_assert(sizeof(AccuracyFigures) == 28);
static_assert(sizeof(AlignmentRecord) == 808);
static_assert(offsetof(AlignmentRecord, displayAspectWidth) == 28);
static_assert(offsetof(AlignmentRecord, alignedDesktopWidth) == 36);
static_assert(offsetof(AlignmentRecord, principalPointX) == 44);
static_assert(offsetof(AlignmentRecord, pose) == 52);
static_assert(offsetof(AlignmentRecord, posePoints) == 76);
static_assert(offsetof(AlignmentRecord, profileIndex) == 780);
static_assert(offsetof(AlignmentRecord, refinedLens) == 784);
static_assert(std::is_trivially_copyable_v<AlignmentRecord>, "stored byte for byte");

inline bool IsUsableGrade(AccuracyGrade grade) { return grade >= AccuracyGrade::Coarse; }

// All zero except the 4 : 3 display aspect and no lens profile.
AlignmentRecord DefaultAlignmentResult();

// Invalid when short, or when the record could not have been written by an alignment: a grade
// outside 0-4, a point count outside 0-35, a float that is not finite, a negative refined focal
// length, or a usable grade without a positive aligned desktop size.
// The file's bytes as a record: short, out-of-range or damaged bytes give a result other than
// Ok and leave `alignment` as it was.
FileResult DecodeAlignmentResult(const void* bytes, size_t size, AlignmentRecord& alignment);
FileResult ReadAlignmentResult(AlignmentRecord& alignment);
FileResult WriteAlignmentResult(const AlignmentRecord& alignment);
