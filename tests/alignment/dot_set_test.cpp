// The nine dots of the manual alignment: their order, the search for the next target, skipped
// dots, and how the pen spot is read from frame to frame.
#include <gtest/gtest.h>

#include <vector>

#include "alignment/dot_set.h"

namespace {

const cv::Point2f kLost(-1.0f, -1.0f);

// A distinct sensor position for each corner index.
cv::Point2f SeenAt(int index) { return {40.0f + 5.0f * index, 30.0f + 4.0f * index}; }

}  // namespace

TEST(DotSet, SkippingTheLastDotOffersItAgainAndPointsNotPositiveAreLost) {
    DotSet dots;
    dots.Begin();
    for (int i = 0; i < 8; ++i) dots.Record(SeenAt(dots.current));
    ASSERT_EQ(dots.current, 34);
    EXPECT_EQ(dots.Record(kLost), DotRecordOutcome::NextDot);
    EXPECT_EQ(dots.current, 34);
    EXPECT_EQ(dots.Record(kLost), DotRecordOutcome::AllTried);
    EXPECT_EQ(dots.done, 8);
    // Points that are not positive are lost, and the corners show them as missing.
    dots.Begin();
    dots.Record(cv::Point2f(12.0f, 0.0f));
    EXPECT_EQ(dots.points[0], kLost);
    dots.Record(cv::Point2f(0.0f, 0.0f));
    EXPECT_EQ(dots.points[3], kLost);
    EXPECT_EQ(dots.lost, 2);
    dots.Record(SeenAt(6));
    const CornerBuffer corners = dots.Corners();
    EXPECT_EQ(corners.count, 1);
    EXPECT_EQ(corners.points[0], cv::Point2f(0.0f, 0.0f));
    EXPECT_EQ(corners.points[6], SeenAt(6));
}

TEST(DotSet, NearnessIsStrictInBothAxes) {
    DotSet dots;
    dots.Begin();
    dots.Record(cv::Point2f(100.0f, 100.0f));
    EXPECT_TRUE(dots.HasDoneDotNear(cv::Point2f(109.9f, 90.1f), 10.0f));
    EXPECT_FALSE(dots.HasDoneDotNear(cv::Point2f(110.0f, 100.0f), 10.0f));
    EXPECT_FALSE(dots.HasDoneDotNear(cv::Point2f(100.0f, 90.0f), 10.0f));
    EXPECT_FALSE(dots.HasClosePair(3.0f));
    dots.Record(cv::Point2f(102.9f, 97.1f));
    EXPECT_TRUE(dots.HasClosePair(3.0f));
    dots.points[3] = cv::Point2f(103.0f, 100.0f);
    EXPECT_FALSE(dots.HasClosePair(3.0f));
}

TEST(DotInputWatch, AMovedSpotIsANewInputAndRestartsTheCount) {
    DotSet dots;
    dots.Begin();
    DotInputWatch watch;
    dots.Record(cv::Point2f(80.0f, 60.0f));
    watch.Update(dots, true, cv::Point2f(80.0f, 60.0f));
    watch.Update(dots, true, cv::Point2f(81.0f, 60.0f));
    ASSERT_EQ(watch.StillFrames(), 1);
    EXPECT_EQ(watch.Update(dots, true, cv::Point2f(91.0f, 60.0f)), DotInputNew);
    EXPECT_EQ(watch.StillFrames(), 0);
    watch.Reset();
    EXPECT_EQ(watch.Update(dots, true, cv::Point2f(91.0f, 60.0f)), DotInputNew);
    EXPECT_EQ(watch.StillFrames(), 0);
}
