#include <gtest/gtest.h>

#include "recording_pointer.h"
#include "tracking/pen_gesture.h"

namespace {

class PenGestureTest : public ::testing::Test {
protected:
    void SetUp() override { pen.Start(1024, 768); }

    // The same still point for `frames` frames, the press frame included.
    void Hold(cv::Point2f point, int frames) {
        for (int i = 0; i < frames; ++i) pen.SpotFound(point, pointer);
    }

    PenGesture pen;
    RecordingPointer pointer;
};

TEST_F(PenGestureTest, OneFrameSpotIsAClickAtTheSamePointAndLosingNothingSendsNothing) {
    pen.SpotLost(pointer);
    EXPECT_TRUE(pointer.events.empty());
    pen.SpotFound({300.5f, 200.25f}, pointer);
    pen.SpotLost(pointer);
    EXPECT_EQ(pointer.events, (PointerEvents{{"press", 300.5f, 200.25f}, {"release", 300.5f, 200.25f}}));
    EXPECT_EQ(pointer.forgotten, 2);
}

TEST_F(PenGestureTest, SixtyTwoStillFramesGiveNoRightClickSixtyThreeDo) {
    Hold({500.0f, 400.0f}, 62);
    EXPECT_EQ(pointer.Count("right"), 0);
    pen.SpotFound({500.0f, 400.0f}, pointer);
    EXPECT_EQ(pointer.Count("right"), 1);
    // The right click goes out before that frame's drag; the left button stays held.
    ASSERT_GE(pointer.events.size(), 2u);
    EXPECT_EQ(pointer.events[pointer.events.size() - 2].kind, "right");
    EXPECT_EQ(pointer.events.back().kind, "move");
    EXPECT_TRUE(pointer.LeftHeld());
    Hold({500.0f, 400.0f}, 200);
    EXPECT_EQ(pointer.Count("right"), 1);
}

// Wandering within three pixels still right-clicks; moving three and a half at frame 30, or an
// edge coordinate, cancels the hold until the spot is lost.
TEST_F(PenGestureTest, OnlyAStillSpotInsideTheEdgesRightClicks) {
    pen.SpotFound({500.0f, 400.0f}, pointer);
    pen.SpotFound({500.0f, 400.0f}, pointer);  // anchor
    for (int i = 3; i <= 63; ++i)
        pen.SpotFound({500.0f + (i % 2 ? 3.0f : -3.0f), 400.0f - (i % 2 ? 3.0f : 0.0f)}, pointer);
    EXPECT_EQ(pointer.Count("right"), 1);

    for (const cv::Point2f edge : {cv::Point2f(0.0f, 400.0f), cv::Point2f(500.0f, 0.0f)}) {
        pen.SpotLost(pointer);
        Hold(edge, 100);
    }
    pen.SpotLost(pointer);
    Hold({500.0f, 400.0f}, 29);
    pen.SpotFound({503.5f, 400.0f}, pointer);
    Hold({500.0f, 400.0f}, 100);
    EXPECT_EQ(pointer.Count("right"), 1);

    pen.SpotLost(pointer);
    Hold({500.0f, 400.0f}, 63);
    EXPECT_EQ(pointer.Count("right"), 2);
}

TEST_F(PenGestureTest, SpotBeyondTheScreenReleasesAtTheLastAcceptedPointAndPressesNothing) {
    pen.SpotFound({1000.0f, 300.0f}, pointer);
    pen.SpotFound({1024.0f, 300.0f}, pointer);
    const PointerEvents released{{"press", 1000.0f, 300.0f}, {"release", 1000.0f, 300.0f}};
    EXPECT_EQ(pointer.events, released);

    pen.SpotFound({-0.5f, 300.0f}, pointer);
    pen.SpotFound({500.0f, 768.0f}, pointer);
    EXPECT_EQ(pointer.events, released);
    EXPECT_FALSE(pointer.LeftHeld());
}

}  // namespace
