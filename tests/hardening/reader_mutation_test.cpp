// Every reader of a file the program opens, fed with 5 000 damaged copies of a sound file. No
// input may crash or hang a reader; the result is one of the reader's own codes; a refused input
// leaves the caller's record exactly as it was; an accepted one carries nothing that would
// poison the geometry (NaN, infinities, focal lengths that are not positive).
#include "input_mutator.h"

#include "../alignment/test_desktop.h"

#include "alignment/detector_file.h"
#include "alignment/screen_correction.h"
#include "settings/alignment_record.h"
#include "settings/chessboard_layout_record.h"
#include "settings/core_parameter_record.h"
#include "settings/display_ratio_record.h"
#include "settings/line_reader.h"
#include "settings/option_record.h"
#include "settings/text_scrambling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr int kInputsPerReader = 5000;

template <typename Record>
std::string BytesOf(const Record& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

template <typename Record>
bool SameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A record filled with a marker pattern, so that any write into it shows.
template <typename Record>
Record Marked() {
    Record record;
    std::memset(static_cast<void*>(&record), 0x5A, sizeof record);
    return record;
}

// Feeds damaged copies of `sound` to `decode`; `accepted` judges what an Ok result delivered.
template <typename Record, typename Decode, typename Accepted>
void MutateRecord(const std::string& sound, uint32_t seed, Decode decode, Accepted accepted) {
    InputMutator mutator(seed);
    int ok = 0;
    for (int i = 0; i < kInputsPerReader; ++i) {
        const std::string bytes = mutator.MutateBinary(sound);
        const Record before = Marked<Record>();
        Record record = before;
        const FileResult result = decode(bytes.data(), bytes.size(), record);
        if (result == FileResult::Ok) {
            ++ok;
            ASSERT_TRUE(accepted(record)) << "input " << i;
        } else {
            ASSERT_TRUE(SameBytes(record, before)) << "input " << i << " half-replaced the record";
        }
        if (bytes.size() < sizeof(Record)) {
            ASSERT_EQ(result, FileResult::Invalid) << "input " << i;
        }
    }
    // The damage must leave some inputs whole enough to be taken, or the judge was never asked.
    EXPECT_GT(ok, 0);
    Record record = Marked<Record>();
    EXPECT_EQ(decode(sound.data(), sound.size(), record), FileResult::Ok);
}

bool Finite(const float* values, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

template <size_t N>
bool TerminatedText(const wchar_t (&slot)[N]) {
    return slot[0] != L'\0' && std::wmemchr(slot, L'\0', N) != nullptr;
}

}  // namespace

TEST(ReaderMutation, OptionsKeepTheirGainLevelsSelectable) {
    MutateRecord<OptionRecord>(BytesOf(DefaultOptions()), 1, DecodeOptions, [](const OptionRecord& r) {
        return r.gainLevel >= 1 && r.gainLevel <= 4 && r.gainLevel == r.trackGainLevel;
    });
}

TEST(ReaderMutation, CoreParametersKeepPlanesAndTextsInTheirSlots) {
    CoreParameterRecord sound = DefaultCoreParameters();
    wcscpy(sound.companyName, L"Tavro");
    wcscpy(sound.productName, L"Tavro Pen");
    ASSERT_TRUE(ScrambleText(sound.companyName) && ScrambleText(sound.productName) &&
                ScrambleText(sound.sensorVidPid) && ScrambleText(sound.sensorUserName) &&
                ScrambleText(sound.sensorDefName));
    MutateRecord<CoreParameterRecord>(BytesOf(sound), 2,
        [](const void* bytes, size_t size, CoreParameterRecord& record) {
            const FileResult result = DecodeCoreParameters(bytes, size, record);
            EXPECT_TRUE(result == FileResult::Ok || result == FileResult::Invalid ||
                        result == FileResult::InvalidText);
            return result;
        },
        [](const CoreParameterRecord& r) {
            for (int row = 0; row < kPresetRows; ++row) {
                if (r.alignment[row].channel < 0 || r.alignment[row].channel > 2) return false;
                if (r.findThreshold[row].channel < 0 || r.findThreshold[row].channel > 2) return false;
            }
            return TerminatedText(r.companyName) && TerminatedText(r.productName) &&
                   TerminatedText(r.sensorVidPid) && TerminatedText(r.sensorUserName) &&
                   TerminatedText(r.sensorDefName);
        });
}

TEST(ReaderMutation, AlignmentResultsCarryOnlyFiniteGeometry) {
    AlignmentRecord sound = DefaultAlignmentResult();
    sound.accuracy.grade = AccuracyGrade::Good;
    sound.alignedDesktopWidth = 1024;
    sound.alignedDesktopHeight = 768;
    sound.pose = {0.1f, -0.2f, 900.0f, 3.1f, 0.05f, 0.02f};
    sound.posePoints.count = 35;
    for (int i = 0; i < 35; ++i) {
        sound.posePoints.imagePoints[i] = {40.0f + 30.0f * (i % 7), 40.0f + 30.0f * (i / 7)};
        sound.posePoints.objectPoints[i] = {128.0f * (i % 7), 128.0f * (i / 7), 0.0f};
    }
    MutateRecord<AlignmentRecord>(BytesOf(sound), 3, DecodeAlignmentResult, [](const AlignmentRecord& r) {
        const int count = r.posePoints.count;
        if (count < 0 || count > PosePoints::kCapacity) return false;
        const float figures[] = {r.accuracy.maxErrorX, r.accuracy.maxErrorY, r.accuracy.averageErrorX,
                                 r.accuracy.averageErrorY, r.displayAspectWidth, r.displayAspectHeight,
                                 r.principalPointX, r.principalPointY, r.pose.tx, r.pose.ty, r.pose.tz,
                                 r.pose.rx, r.pose.ry, r.pose.rz};
        if (!Finite(figures, std::size(figures))) return false;
        for (int i = 0; i < PosePoints::kCapacity; ++i) {
            const cv::Point2f& image = r.posePoints.imagePoints[i];
            const cv::Point3f& object = r.posePoints.objectPoints[i];
            const float point[] = {image.x, image.y, object.x, object.y, object.z};
            if (!Finite(point, std::size(point))) return false;
        }
        return !IsUsableGrade(r.accuracy.grade) ||
               (r.alignedDesktopWidth > 0 && r.alignedDesktopHeight > 0);
    });
}

TEST(ReaderMutation, DisplayAspectsAndChessboardLayoutsStayUsable) {
    MutateRecord<DisplayAspectRecord>(BytesOf(DefaultDisplayAspect()), 4, DecodeDisplayAspect,
        [](const DisplayAspectRecord& r) {
            return std::isfinite(r.width) && std::isfinite(r.height) && r.width >= 0.0f && r.height >= 0.0f;
        });
    // Any layout the file can hold lays a board whose corners stay near the desktop.
    const DesktopMetrics desktop = Desktop(1024, 768);
    MutateRecord<ChessboardLayoutRecord>(BytesOf(DefaultChessboardLayout()), 5, DecodeChessboardLayout,
        [&desktop](const ChessboardLayoutRecord& r) {
            PatternScreen pattern;
            pattern.Layout(r, desktop);
            for (const POINT corner : pattern.InnerCornerSpan())
                if (std::abs(corner.x) > 3 * 1024 || std::abs(corner.y) > 3 * 768) return false;
            return true;
        });
}

TEST(ReaderMutation, DetectorProfilesAreFiniteWithPositiveFocalLengths) {
    const std::string sound =
        "A=300\tB=300\tC=160\tD=120\tE=-0.1\tF=0.02\tG=0\tH=0\tI=0\tJ=0\tK=0\tL=0\n"
        "A=280.5\tB=281\tC=158\tD=121\tE=0\tF=0\tG=0.001\tH=-0.001\tI=1\tJ=2\tK=3\tL=4\n"
        "A=320\tB=319\tC=161\tD=119\tE=0.2\tF=-0.05\tG=0\tH=0\tI=0\tJ=0\tK=0\tL=0\n";
    constexpr int kMaxProfiles = 5;
    InputMutator mutator(6);
    int taken = 0;
    for (int i = 0; i < kInputsPerReader; ++i) {
        const std::string text = mutator.MutateText(sound);
        TextLineReader lines(text);
        DetectorProfile profiles[kMaxProfiles + 1];
        int count = -1;
        ParseDetectorProfiles(lines, profiles, kMaxProfiles, count);
        ASSERT_GE(count, 0);
        ASSERT_LE(count, kMaxProfiles);
        taken += count;
        for (int p = 0; p < count; ++p) {
            ASSERT_TRUE(Finite(&profiles[p].fx, sizeof(DetectorProfile) / sizeof(float))) << "input " << i;
            ASSERT_GT(profiles[p].fx, 0.0f) << "input " << i;
            ASSERT_GT(profiles[p].fy, 0.0f) << "input " << i;
        }
    }
    EXPECT_GT(taken, 0);
}

TEST(ReaderMutation, ScreenCorrectionsKeepThePointerOnAFiniteDesktop) {
    const std::string sound = "1= 512\n2= 384\n3= 512\n4= 384\n5= 0.01\n6= -0.002\n7= 0.001\n8= 0\n9= 1.5\na= -2\n";
    InputMutator mutator(7);
    for (int i = 0; i < kInputsPerReader; ++i) {
        const std::string text = mutator.MutateText(sound);
        TextLineReader lines(text);
        ScreenCorrection correction = ScreenCorrection::Defaults(1024, 768);
        ParseScreenCorrection(lines, correction);
        for (const float value : correction.values) {
            ASSERT_TRUE(std::isfinite(value)) << "input " << i;
            ASSERT_LE(std::fabs(value), 1.0e6f) << "input " << i;
        }
        for (const cv::Point2f corner : {cv::Point2f(0, 0), cv::Point2f(1023, 767), cv::Point2f(512, 384)}) {
            const cv::Point2f moved = correction.Apply(corner);
            ASSERT_TRUE(std::isfinite(moved.x) && std::isfinite(moved.y)) << "input " << i;
        }
    }
}

TEST(ReaderMutation, TextLinesMatchTheFileReaderOnLongAndUnendedLines) {
    const std::string text = std::string(700, 'x') + "\nshort\n\nlast without end";
    TextLineReader lines(text);
    char line[512];
    ASSERT_TRUE(lines.Next(line, sizeof line));
    EXPECT_EQ(std::strlen(line), 511u);  // the rest of a long line is skipped, not a line of its own
    ASSERT_TRUE(lines.Next(line, sizeof line));
    EXPECT_STREQ(line, "short\n");
    ASSERT_TRUE(lines.Next(line, sizeof line));
    EXPECT_STREQ(line, "\n");
    ASSERT_TRUE(lines.Next(line, sizeof line));
    EXPECT_STREQ(line, "last without end");
    EXPECT_FALSE(lines.Next(line, sizeof line));
}
