// FrameImages: format handling, binding without copies, padded planes and snapshots.
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

#include <tuple>

#include "pixel_canvas.h"
#include "synthetic_frame.h"
#include "imaging/frame_images.h"

TEST(FrameImages, NegativeHeightGivesPositiveSizeAndUnusableFormatsLeaveEveryImageEmpty) {
    SyntheticFrame buffer(320, 240);
    BITMAPINFOHEADER format = buffer.Format();
    format.biHeight = -240;
    FrameImages images;
    images.detectionArea = {5, 5, 10, 10};
    ASSERT_TRUE(images.SetFormat(format));
    EXPECT_EQ(images.BitmapInfo().biHeight, -240);
    EXPECT_EQ(images.FullRect(), (PixelRect{0, 0, 320, 240}));
    EXPECT_EQ(images.detectionArea, images.FullRect());
    // Unusable formats leave every image empty.
    for (const auto& [bits, width, height] :
         {std::tuple<WORD, LONG, LONG>{16, 320, 240}, {24, 0, 240}, {24, 320, 100000}}) {
        const BITMAPINFOHEADER unusable{sizeof(BITMAPINFOHEADER), width, height, 1, bits,
                                        BI_RGB, 0, 0, 0, 0, 0};
        FrameImages refused;
        EXPECT_FALSE(refused.SetFormat(unusable)) << bits << " bits, " << width << " x " << height;
        EXPECT_TRUE(refused.channelPlane.empty());
        EXPECT_TRUE(refused.detectionArea.IsEmpty());
        refused.Bind(buffer.Data());
        EXPECT_TRUE(refused.frame.empty());
    }
}

TEST(FrameImages, BindLaysTheHeaderOverTheBuffersPaddedRows) {
    SyntheticFrame buffer(318, 10);  // 954 bytes a row, padded to 956
    FrameImages images;
    ASSERT_TRUE(images.SetFormat(buffer.Format()));
    buffer.At(317, 9, 2) = 77;
    images.Bind(buffer.Data());
    EXPECT_EQ(images.frame.at<cv::Vec3b>(9, 317)[2], 77);
    EXPECT_EQ(images.channelPlane.step[0], 320u);  // work rows padded like the buffer's
    images.Bind(nullptr);
    EXPECT_TRUE(images.frame.empty());
}
TEST(FrameImages, DrawShowsTheFrameTheWayTheSensorFormatSaysAndSnapshotsCopyIt) {
    SyntheticFrame buffer(32, 24);
    FrameImages images;
    ASSERT_TRUE(images.SetFormat(buffer.Format()));
    images.Bind(buffer.Data());
    buffer.At(5, 0, 2) = 255;  // buffer row 0 is the picture's bottom line (bottom-up DIB)
    testsupport::PixelCanvas canvas(32, 24);
    const RECT destination{0, 0, 32, 24};
    EXPECT_TRUE(images.Draw(images.frame, canvas.Dc(), destination));
    EXPECT_FALSE(images.Draw(images.channelPlane, canvas.Dc(), destination));
    EXPECT_EQ(canvas.At(5, 23), RGB(255, 0, 0));  // red, on the bottom line
    EXPECT_EQ(canvas.At(5, 0), RGB(0, 0, 0));

    // Snapshots copy the frame, and their planes start at zero.
    buffer.FillRect({0, 0, 32, 24}, 0, 40);
    buffer.At(3, 4, 1) = 200;
    images.TakeSnapshots();
    EXPECT_EQ(cv::countNonZero(images.channelPlane == 255), 32 * 24);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(images.snapshots[i].type(), CV_8UC1);
        EXPECT_EQ(cv::countNonZero(images.snapshots[i]), 0);
    }
    buffer.At(3, 4, 1) = 1;  // the copies keep the frame as it was
    for (int i = 2; i < 5; ++i) {
        ASSERT_EQ(images.snapshots[i].type(), CV_8UC3);
        EXPECT_EQ(images.snapshots[i].at<cv::Vec3b>(4, 3), cv::Vec3b(40, 200, 0));
    }
    images.Allocate(16, 16);
    for (const cv::Mat& snapshot : images.snapshots) EXPECT_TRUE(snapshot.empty());
}
