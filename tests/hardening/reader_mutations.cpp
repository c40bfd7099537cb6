#include "reader_mutations.h"

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

#include <cmath>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace {

template <typename Record>
std::string BytesOf(const Record& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// A record filled with a marker pattern, so that any write into it shows.
template <typename Record>
Record Marked() {
    Record record;
    std::memset(static_cast<void*>(&record), 0x5A, sizeof record);
    return record;
}

std::string Fault(const char* rule, int input) { return std::string(rule) + " (input " + std::to_string(input) + ")"; }

// Feeds damaged copies of `sound` to `decode`; `accepted` judges what an Ok result delivered.
template <typename Record, typename Decode, typename Accepted>
MutationRun MutateRecord(const std::string& sound, uint32_t seed, int inputs, Decode decode, Accepted accepted) {
    InputMutator mutator(seed);
    MutationRun run;
    for (int i = 0; i < inputs && run.fault.empty(); ++i) {
        const std::string bytes = mutator.MutateBinary(sound);
        const Record before = Marked<Record>();
        Record record = before;
        const FileResult result = decode(bytes.data(), bytes.size(), record);
        // Decoding bytes in memory opens and writes nothing.
        if (result == FileResult::CannotOpen || result == FileResult::ShortWrite) run.fault = Fault("not a decoding result", i);
        if (result == FileResult::Ok) {
            ++run.accepted;
            if (!accepted(record)) run.fault = Fault("accepted a record that breaks its rules", i);
        } else if (std::memcmp(&record, &before, sizeof record) != 0) {
            run.fault = Fault("half-replaced the record", i);
        }
        if (bytes.size() < sizeof(Record) && result != FileResult::Invalid) run.fault = Fault("short input not Invalid", i);
    }
    Record record = Marked<Record>();
    if (run.fault.empty() && decode(sound.data(), sound.size(), record) != FileResult::Ok)
        run.fault = "refused the sound record";
    return run;
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

MutationRun Options(int inputs) {
    return MutateRecord<OptionRecord>(BytesOf(DefaultOptions()), 1, inputs, DecodeOptions, [](const OptionRecord& r) {
        return r.gainLevel >= 1 && r.gainLevel <= 4 && r.gainLevel == r.trackGainLevel;
    });
}

// Planes and texts stay in their slots.
MutationRun CoreParameters(int inputs) {
    CoreParameterRecord sound = DefaultCoreParameters();
    wcscpy(sound.companyName, L"Tavro");
    wcscpy(sound.productName, L"Tavro Pen");
    if (!ScrambleText(sound.companyName) || !ScrambleText(sound.productName) || !ScrambleText(sound.sensorVidPid) ||
        !ScrambleText(sound.sensorUserName) || !ScrambleText(sound.sensorDefName))
        return {0, "cannot scramble the sound record"};
    return MutateRecord<CoreParameterRecord>(
        BytesOf(sound), 2, inputs, DecodeCoreParameters, [](const CoreParameterRecord& r) {
            for (int row = 0; row < kPresetRows; ++row) {
                if (r.alignment[row].channel < 0 || r.alignment[row].channel > 2) return false;
                if (r.findThreshold[row].channel < 0 || r.findThreshold[row].channel > 2) return false;
            }
            return TerminatedText(r.companyName) && TerminatedText(r.productName) &&
                   TerminatedText(r.sensorVidPid) && TerminatedText(r.sensorUserName) &&
                   TerminatedText(r.sensorDefName);
        });
}

// Only finite geometry; a usable grade names the desktop it was aligned on.
MutationRun AlignmentResults(int inputs) {
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
    return MutateRecord<AlignmentRecord>(BytesOf(sound), 3, inputs, DecodeAlignmentResult, [](const AlignmentRecord& r) {
        const int count = r.posePoints.count;
        if (count < 0 || count > PosePoints::kCapacity) return false;
        const float figures[] = {r.accuracy.maxErrorX, r.accuracy.maxErrorY, r.accuracy.averageErrorX,
                                 r.accuracy.averageErrorY, r.displayAspectWidth, r.displayAspectHeight,
                                 r.principalPointX, r.principalPointY, r.pose.tx, r.pose.ty, r.pose.tz,
                                 r.pose.rx, r.pose.ry, r.pose.rz};
        if (!Finite(figures, std::size(figures))) return false;
        // Every slot, used or not: the points are packed floats.
        if (!Finite(&r.posePoints.imagePoints[0].x, 2 * PosePoints::kCapacity) ||
            !Finite(&r.posePoints.objectPoints[0].x, 3 * PosePoints::kCapacity))
            return false;
        return !IsUsableGrade(r.accuracy.grade) || (r.alignedDesktopWidth > 0 && r.alignedDesktopHeight > 0);
    });
}

MutationRun DisplayAspects(int inputs) {
    return MutateRecord<DisplayAspectRecord>(
        BytesOf(DefaultDisplayAspect()), 4, inputs, DecodeDisplayAspect, [](const DisplayAspectRecord& r) {
            return std::isfinite(r.width) && std::isfinite(r.height) && r.width >= 0.0f && r.height >= 0.0f;
        });
}

// Any layout the file can hold lays a board whose corners stay near the desktop.
MutationRun ChessboardLayouts(int inputs) {
    return MutateRecord<ChessboardLayoutRecord>(
        BytesOf(DefaultChessboardLayout()), 5, inputs, DecodeChessboardLayout, [](const ChessboardLayoutRecord& r) {
            PatternScreen pattern;
            pattern.Layout(r, Desktop(1024, 768));
            for (const POINT corner : pattern.InnerCornerSpan())
                if (std::abs(corner.x) > 3 * 1024 || std::abs(corner.y) > 3 * 768) return false;
            return true;
        });
}

// Finite profiles with positive focal lengths, never more than asked for.
MutationRun DetectorProfiles(int inputs) {
    const std::string sound =
        "A=300\tB=300\tC=160\tD=120\tE=-0.1\tF=0.02\tG=0\tH=0\tI=0\tJ=0\tK=0\tL=0\n"
        "A=280.5\tB=281\tC=158\tD=121\tE=0\tF=0\tG=0.001\tH=-0.001\tI=1\tJ=2\tK=3\tL=4\n"
        "A=320\tB=319\tC=161\tD=119\tE=0.2\tF=-0.05\tG=0\tH=0\tI=0\tJ=0\tK=0\tL=0\n";
    constexpr int kMaxProfiles = 5;
    InputMutator mutator(6);
    MutationRun run;
    for (int i = 0; i < inputs && run.fault.empty(); ++i) {
        const std::string text = mutator.MutateText(sound);
        TextLineReader lines(text);
        DetectorProfile profiles[kMaxProfiles + 1];
        int count = -1;
        ParseDetectorProfiles(lines, profiles, kMaxProfiles, count);
        if (count < 0 || count > kMaxProfiles) run.fault = Fault("profile count out of range", i);
        for (int p = 0; p < count && run.fault.empty(); ++p) {
            if (!Finite(&profiles[p].fx, sizeof(DetectorProfile) / sizeof(float)) || profiles[p].fx <= 0.0f ||
                profiles[p].fy <= 0.0f)
                run.fault = Fault("profile not finite or focal length not positive", i);
        }
        run.accepted += count > 0;
    }
    return run;
}

// The correction keeps the pointer on a finite desktop.
MutationRun ScreenCorrections(int inputs) {
    const std::string sound = "1= 512\n2= 384\n3= 512\n4= 384\n5= 0.01\n6= -0.002\n7= 0.001\n8= 0\n9= 1.5\na= -2\n";
    InputMutator mutator(7);
    MutationRun run;
    for (int i = 0; i < inputs && run.fault.empty(); ++i, ++run.accepted) {
        const std::string text = mutator.MutateText(sound);
        TextLineReader lines(text);
        ScreenCorrection correction = ScreenCorrection::Defaults(1024, 768);
        ParseScreenCorrection(lines, correction);
        for (const float value : correction.values)
            if (!std::isfinite(value) || std::fabs(value) > 1.0e6f) run.fault = Fault("value not finite or huge", i);
        for (const cv::Point2f corner : {cv::Point2f(0, 0), cv::Point2f(1023, 767), cv::Point2f(512, 384)}) {
            const cv::Point2f moved = correction.Apply(corner);
            if (!std::isfinite(moved.x) || !std::isfinite(moved.y)) run.fault = Fault("moved point not finite", i);
        }
    }
    return run;
}

}  // namespace

const std::vector<ReaderUnderMutation>& ReadersUnderMutation() {
    static const std::vector<ReaderUnderMutation> readers = {
        {"options", Options},
        {"core_parameters", CoreParameters},
        {"alignment_results", AlignmentResults},
        {"display_aspects", DisplayAspects},
        {"chessboard_layouts", ChessboardLayouts},
        {"detector_profiles", DetectorProfiles},
        {"screen_corrections", ScreenCorrections},
    };
    return readers;
}
