// The start-up picture and the drawn banner that replaces it.
#include <gtest/gtest.h>

#include "base/unique_handle.h"
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
    ASSERT_TRUE(testsupport::WriteBytes(L"splash.jpg", "", 0));
    EXPECT_FALSE(picture.LoadFile(L"splash.jpg"));
    const char text[] = "this is not a picture";
    ASSERT_TRUE(testsupport::WriteBytes(L"splash.jpg", text, sizeof text));
    EXPECT_FALSE(picture.LoadFile(L"splash.jpg"));
    PixelCanvas canvas(10, 10);
    EXPECT_EQ(picture.Size(canvas.Dc()).cx, 0);
    EXPECT_FALSE(picture.Draw(canvas.Dc(), 0, 0));
}

// The title's extent in the banner's font.
SIZE TitleExtent(const wchar_t* text) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueFont font(CreateFontW(100, 0, 0, 0, 900, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    SelectedObject selected(dc.Get(), font.Get());
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc.Get(), text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    return {rect.right, rect.bottom};
}

TEST(SplashBannerTest, IsTheTextWidthPlusTwiceItsHeightByTwiceTheHeightWithLightLetters) {
    SplashBanner banner;
    ASSERT_TRUE(banner.Create(nullptr, L"Wyvo", 0x808040));
    const SIZE text = TitleExtent(L"Wyvo");
    ASSERT_GT(text.cy, 0);
    EXPECT_EQ(banner.Width(), text.cx + 2 * text.cy);
    EXPECT_EQ(banner.Height(), 2 * text.cy);
    EXPECT_EQ(GetPixel(banner.Dc(), 12, 12), static_cast<COLORREF>(0x808040));
    int light = 0;
    for (int x = text.cy; x < banner.Width() - text.cy; ++x) {
        light += GetPixel(banner.Dc(), x, banner.Height() / 2) == static_cast<COLORREF>(0xDDFFFF);
    }
    EXPECT_GT(light, 10);
    banner.Release();
    EXPECT_EQ(banner.Dc(), nullptr);
}

}  // namespace
