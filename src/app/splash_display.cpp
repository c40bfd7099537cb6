#include "app/application.h"


namespace {

// Looked for in the current directory, which is the executable's folder.
constexpr wchar_t kSplashPictureFile[] = L"splash.jpg";
constexpr COLORREF kBannerColour = 0x808040;

}  // namespace

void Application::ShowSplash() {
    HideSplash();
    auto picture = std::make_unique<SplashPicture>();
    if (picture->LoadFile(kSplashPictureFile)) {
        splashPicture_ = std::move(picture);
        return;
    }
    auto banner = std::make_unique<SplashBanner>();
    if (banner->Create(mainWindow_, controller_.CoreParameters().companyName, kBannerColour)) {
        splashBanner_ = std::move(banner);
    }
}

void Application::HideSplash() {
    splashPicture_.reset();
    splashBanner_.reset();
}

bool Application::PaintSplash(HDC dc) const {
    if (!splashPicture_ && !splashBanner_) return false;
    RECT client = {};
    GetClientRect(mainWindow_, &client);
    if (splashPicture_) {
        const SIZE size = splashPicture_->Size(dc);
        splashPicture_->Draw(dc, (client.right - size.cx) / 2, (client.bottom - size.cy) / 2);
    } else {
        splashBanner_->Draw(dc, (client.right - splashBanner_->Width()) / 2,
                            (client.bottom - splashBanner_->Height()) / 2);
    }
    return true;
}
