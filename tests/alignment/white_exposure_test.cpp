// The exposure auto alignment takes its references and board at: the exposures the search asks
// for in turn, each judged on a synthetic picture of the white screen.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "alignment/white_exposure.h"

namespace {

struct Room {
    std::map<int, int> screenLevel;  // by exposure; 255 is clipped
    double screenShare = 1.0;        // of the picture's middle the screen fills
    int lampPixels = 0;              // a clipped lamp in the middle whatever the exposure
    int minimum = -8;
};

cv::Mat WhitePicture(const Room& room, int exposure) {
    cv::Mat plane(240, 320, CV_8UC1, cv::Scalar(10));
    const cv::Rect middle(53, 40, 214, 160);
    const int rows = static_cast<int>(middle.height * room.screenShare);
    plane(cv::Rect(middle.x, middle.y, middle.width, rows)).setTo(room.screenLevel.at(exposure));
    plane(cv::Rect(middle.x, middle.y + middle.height - 1, room.lampPixels, 1)).setTo(255);
    return plane;
}

// The exposures the search sets, starting from the alignment settings' -2.
std::vector<int> ExposuresSet(const Room& room) {
    WhiteExposureSearch search;
    search.Start(-2, room.minimum);
    std::vector<int> set;
    while (const std::optional<int> next = search.Next(MeasureWhiteScreen(WhitePicture(room, search.Current())))) {
        set.push_back(*next);
        if (set.size() > 10) break;
    }
    return set;
}

}  // namespace

TEST(WhiteExposureSearch, DropsAnEighthThenStepsToTheFirstExposureThatClipsNothing) {
    // The default room: clipped at -2, 138 at -5.
    EXPECT_EQ(ExposuresSet({{{-2, 255}, {-5, 138}}}), (std::vector<int>{-5}));
    // A dim screen: 96 at -5 is raised once, to -4 (192), which clips nothing.
    EXPECT_EQ(ExposuresSet({{{-2, 255}, {-5, 96}, {-4, 192}}}), (std::vector<int>{-5, -4}));
    // Raised into clipping, it goes back down and stays.
    EXPECT_EQ(ExposuresSet({{{-2, 255}, {-5, 100}, {-4, 255}}}), (std::vector<int>{-5, -4, -5}));
    // Still clipped after the drop: one step at a time down to the sensor's least.
    EXPECT_EQ(ExposuresSet({{{-2, 255}, {-5, 255}, {-6, 255}}, 1.0, 0, -6}), (std::vector<int>{-5, -6}));
    // A far screen, a third of the middle, at 138 is not dim.
    EXPECT_EQ(ExposuresSet({{{-2, 255}, {-5, 138}}, 0.3}), (std::vector<int>{-5}));
}

TEST(WhiteExposureSearch, KeepsTheAlignmentExposureWhenTheScreenDoesNotClip) {
    // A clipped lamp in view is not the screen; a dim screen is never raised above -2.
    EXPECT_TRUE(ExposuresSet({{{-2, 150}}, 1.0, 200}).empty());
    EXPECT_TRUE(ExposuresSet({{{-2, 60}}}).empty());
    // A sensor that cannot go lower.
    EXPECT_TRUE(ExposuresSet({{{-2, 255}}, 1.0, 0, -2}).empty());
}
