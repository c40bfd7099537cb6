#include "settings/alignment_record.h"

#include "settings/record_file.h"

#include <cmath>
#include <initializer_list>

namespace {

bool Finite(std::initializer_list<float> values) {
    for (float value : values) {
        if (!std::isfinite(value)) return false;
    }
    return true;
}

bool FloatsFinite(const AlignmentRecord& record) {
    const AccuracyFigures& a = record.accuracy;
    const CameraPose& pose = record.pose;
    if (!Finite({a.maxErrorX, a.maxErrorY, a.averageErrorX, a.averageErrorY,
                 record.displayAspectWidth, record.displayAspectHeight,
                 record.principalPointX, record.principalPointY,
                 pose.tx, pose.ty, pose.tz, pose.rx, pose.ry, pose.rz,
                 record.refinedLens.fx, record.refinedLens.fy, record.refinedLens.k1,
                 record.refinedLens.k2})) {
        return false;
    }
    for (const cv::Point2f& p : record.posePoints.imagePoints) {
        if (!Finite({p.x, p.y})) return false;
    }
    for (const cv::Point3f& p : record.posePoints.objectPoints) {
        if (!Finite({p.x, p.y, p.z})) return false;
    }
    return true;
}

FileResult CheckAlignment(const AlignmentRecord& record) {
    AccuracyGrade grade = record.accuracy.grade;
    int32_t count = record.posePoints.count;
    bool sized = record.alignedDesktopWidth > 0 && record.alignedDesktopHeight > 0;
    bool valid = grade >= AccuracyGrade::NotAligned && grade <= AccuracyGrade::Good &&
                 count >= 0 && count <= PosePoints::kCapacity && FloatsFinite(record) &&
                 record.refinedLens.fx >= 0.0f && record.refinedLens.fy >= 0.0f &&
                 (!IsUsableGrade(grade) || sized);
    return valid ? FileResult::Ok : FileResult::Invalid;
}

}  // namespace

AlignmentRecord DefaultAlignmentResult() {
    AlignmentRecord record{};
    record.displayAspectWidth = 4.0f;
    record.displayAspectHeight = 3.0f;
    record.profileIndex = -1;
    return record;
}

FileResult DecodeAlignmentResult(const void* bytes, size_t size, AlignmentRecord& alignment) {
    return DecodeCheckedRecord(bytes, size, alignment, CheckAlignment);
}

FileResult ReadAlignmentResult(AlignmentRecord& alignment) {
    return ReadDecodedRecord(kAlignmentResultFileName, alignment, DecodeAlignmentResult);
}

FileResult WriteAlignmentResult(const AlignmentRecord& alignment) {
    return WriteRecordFile(kAlignmentResultFileName, &alignment, sizeof alignment, true);
}
