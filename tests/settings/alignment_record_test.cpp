#include "settings/alignment_record.h"

#include "settings_test_fixture.h"

#include <limits>

namespace {

AlignmentRecord GoodAlignment() {
    AlignmentRecord record = DefaultAlignmentResult();
    record.accuracy = {AccuracyGrade::Good, 2.5f, 1.5f, 0.75f, 0.5f, 0, 1};
    record.displayAspectWidth = 16.0f;
    record.displayAspectHeight = 9.0f;
    record.alignedDesktopWidth = 1024;
    record.alignedDesktopHeight = 768;
    record.principalPointX = 161.5f;
    record.principalPointY = 119.25f;
    record.pose = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    record.posePoints.count = PosePoints::kCapacity;
    for (int i = 0; i < PosePoints::kCapacity; ++i) {
        record.posePoints.imagePoints[i] = {10.0f + i, 20.0f + i};
        record.posePoints.objectPoints[i] = {100.0f * (i % 7), 100.0f * (i / 7), 0.0f};
    }
    record.profileIndex = 0;
    record.refinedLens = {280.0f, 280.0f, -0.25f, 0.05f};
    return record;
}

}  // namespace

class AlignmentFileTest : public SettingsFileTest {};

// Counts, geometry and desktop sizes out of their rules are the reader mutation test's business.
TEST_F(AlignmentFileTest, RecordsNoAlignmentCouldHaveWrittenAreInvalidAndAGoodOneRoundTrips) {
    AlignmentRecord read = DefaultAlignmentResult();
    struct Case { const char* what; void (*damage)(AlignmentRecord&); };
    const Case cases[] = {
        {"grade 5", [](AlignmentRecord& r) { r.accuracy.grade = static_cast<AccuracyGrade>(5); }},
        {"grade -1", [](AlignmentRecord& r) { r.accuracy.grade = static_cast<AccuracyGrade>(-1); }},
        {"negative refined focal length", [](AlignmentRecord& r) { r.refinedLens.fx = -280.0f; }},
        {"nan refined k2", [](AlignmentRecord& r) { r.refinedLens.k2 = std::numeric_limits<float>::quiet_NaN(); }},
    };
    for (const Case& c : cases) {
        AlignmentRecord damaged = GoodAlignment();
        c.damage(damaged);
        WriteRecordBytes(kAlignmentResultFileName, damaged);
        EXPECT_EQ(ReadAlignmentResult(read), FileResult::Invalid) << c.what;
    }
    // A failed alignment is stored without a desktop size and still reads back.
    AlignmentRecord failed = DefaultAlignmentResult();
    failed.accuracy.grade = AccuracyGrade::Bad;
    WriteRecordBytes(kAlignmentResultFileName, failed);
    EXPECT_EQ(ReadAlignmentResult(read), FileResult::Ok);
    EXPECT_EQ(read.accuracy.grade, AccuracyGrade::Bad);
    // A good record: every field at its offset, and every byte read back.
    const std::string bytes = RoundTrip(GoodAlignment(), WriteAlignmentResult, ReadAlignmentResult, kAlignmentResultFileName, 808);
    // Grade, bad corners, desktop height, point count and profile.
    for (auto [offset, value] : {std::pair<size_t, int32_t>{0, 4}, {24, 1}, {40, 768}, {776, 35}, {780, 0}})
        EXPECT_EQ(ValueAt<int32_t>(bytes, offset), value) << offset;
    // Aspect width, principal point x, pose rz, image point 34's y, object point 8's x, refined fx and k1.
    for (auto [offset, value] : {std::pair<size_t, float>{28, 16.0f}, {44, 161.5f}, {52 + 4 * 5, 0.6f}, {76 + 8 * 34 + 4, 54.0f},
                                 {76 + 280 + 12 * 8, 100.0f}, {784, 280.0f}, {784 + 8, -0.25f}})
        EXPECT_EQ(ValueAt<float>(bytes, offset), value) << offset;
    EXPECT_EQ(bytes.substr(800), std::string(8, '\0'));
}
