// A test program linking OpenCV runs under Wine and finds a drawn chessboard.
#include <gtest/gtest.h>

#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

TEST(OpenCvUnderWine, FindsDrawnSevenByFiveBoard) {
    const int square = 30, columns = 8, rows = 6;  // 7 x 5 inner corners
    cv::Mat image(rows * square + 80, columns * square + 80, CV_8UC1, cv::Scalar(255));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if ((r + c) % 2 == 0)
                cv::rectangle(image, cv::Rect(40 + c * square, 40 + r * square, square, square),
                              cv::Scalar(0), cv::FILLED);
    std::vector<cv::Point2f> corners;
    ASSERT_TRUE(cv::findChessboardCorners(image, cv::Size(7, 5), corners,
                                          cv::CALIB_CB_ADAPTIVE_THRESH));
    ASSERT_EQ(corners.size(), 35u);
    EXPECT_NEAR(corners.front().x, 70, 1.0);
    EXPECT_NEAR(corners.front().y, 70, 1.0);
}
