// The start-up picture and the drawn banner that replaces it.
#include <gtest/gtest.h>

#include <string>

#include "pixel_canvas.h"
#include "test_support.h"
#include "ui/splash_banner.h"
#include "ui/splash_picture.h"

namespace {

using testsupport::PixelCanvas;

int Brightness(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

TEST(SplashPictureTest, LoadsTheShippedPictureAndDrawsItUpright) {
    SplashPicture picture;
    ASSERT_TRUE(picture.LoadFile(L"splash.jpg"));
    PixelCanvas canvas(600, 400);
    const SIZE size = picture.Size(canvas.Dc());
    EXPECT_EQ(size.cx, 480);
    EXPECT_EQ(size.cy, 270);
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 60, 50));
    // The card fades from a lighter blue at the top to a darker one at the bottom; the pen's
    // yellow tip sits near the top of the drawn screen.
    EXPECT_GT(Brightness(canvas.At(60 + 400, 50 + 5)), Brightness(canvas.At(60 + 400, 50 + 265)));
    const COLORREF tip = canvas.At(60 + 230, 50 + 60);
    EXPECT_GT(GetRValue(tip), 200);
    EXPECT_GT(GetGValue(tip), 180);
    EXPECT_LT(GetBValue(tip), 140);
    // Nothing is drawn outside the picture.
    EXPECT_EQ(canvas.At(30, 30), RGB(0, 0, 0));
}

TEST(SplashPictureTest, MissingEmptyOrForeignFilesAreNoPicture) {
    testsupport::ScratchDirectory scratch(L"splash");
    SplashPicture picture;
    EXPECT_FALSE(picture.LoadFile(L"splash.jpg"));
    for (const std::string content : {"", "this is not a picture"}) {
        ASSERT_TRUE(testsupport::WriteBytes(L"splash.jpg", content.data(), content.size()));
        EXPECT_FALSE(picture.LoadFile(L"splash.jpg")) << content;
    }
    PixelCanvas canvas(10, 10);
    EXPECT_EQ(picture.Size(canvas.Dc()).cx, 0);
    EXPECT_FALSE(picture.Draw(canvas.Dc(), 0, 0));
}

// The banner grows with its title, wider than high, light letters on the given colour.
TEST(SplashBannerTest, FitsItsTitleWithLightLettersOnTheBackground) {
    SplashBanner shorter, banner;
    ASSERT_TRUE(shorter.Create(nullptr, L"W", 0x808040));
    ASSERT_TRUE(banner.Create(nullptr, L"Wyvo", 0x808040));
    EXPECT_GT(banner.Width(), shorter.Width());
    EXPECT_EQ(banner.Height(), shorter.Height());
    EXPECT_GT(banner.Width(), banner.Height());
    EXPECT_EQ(GetPixel(banner.Dc(), 12, 12), static_cast<COLORREF>(0x808040));
    int light = 0;
    for (int x = 0; x < banner.Width(); ++x) light += GetPixel(banner.Dc(), x, banner.Height() / 2) == 0xDDFFFF;
    EXPECT_GT(light, 10);
    banner.Release();
    EXPECT_EQ(banner.Dc(), nullptr);
}

}  // namespace
