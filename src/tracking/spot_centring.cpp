#include "tracking/spot_centring.h"

#include <array>
#include <cmath>

namespace {

constexpr double kRayStep = 0.25;     // pixels
constexpr double kLongestMove = 1.5;  // pixels; a larger one means the edge was misread

int Nearest(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// Least-squares circle x^2 + y^2 + Dx + Ey + F = 0 through the points; false when they do not
// fix one.
template <size_t N>
bool FitCircleCentre(const std::array<cv::Point2d, N>& points, int count, cv::Point2d origin,
                     cv::Point2d& centre) {
    cv::Matx33d normal = cv::Matx33d::zeros();
    cv::Vec3d right(0.0, 0.0, 0.0);
    for (int i = 0; i < count; ++i) {
        const cv::Point2d& p = points[i];
        const cv::Vec3d row(p.x - origin.x, p.y - origin.y, 1.0);
        const double target = -(row[0] * row[0] + row[1] * row[1]);
        normal += row * row.t();
        right += target * row;
    }
    cv::Vec3d solution;
    if (!cv::solve(normal, right, solution, cv::DECOMP_CHOLESKY)) return false;
    centre = {origin.x - 0.5 * solution[0], origin.y - 0.5 * solution[1]};
    return std::isfinite(centre.x) && std::isfinite(centre.y);
}

}  // namespace

SpotCentring::SpotCentring(const cv::Mat& frame, const cv::Mat& background, int channel, int reach)
    : frame_(frame),
      background_(background.type() == CV_8UC1 && background.size() == frame.size() ? &background
                                                                                   : nullptr),
      channel_(channel),
      reach_(reach) {}

int SpotCentring::Behind(int x, int y) const {
    return background_ != nullptr ? background_->ptr<uchar>(y)[x] : 0;
}

int SpotCentring::Light(int x, int y) const {
    return PenLight(frame_.ptr<uchar>(y)[3 * x + channel_], Behind(x, y));
}

double SpotCentring::LightAt(double x, double y) const {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    if (!Inside(x0, y0) || !Inside(x0 + 1, y0 + 1)) return -1.0;
    const double fx = x - x0, fy = y - y0;
    const double top = (1.0 - fx) * Light(x0, y0) + fx * Light(x0 + 1, y0);
    const double bottom = (1.0 - fx) * Light(x0, y0 + 1) + fx * Light(x0 + 1, y0 + 1);
    return (1.0 - fy) * top + fy * bottom;
}

bool SpotCentring::EdgeOnRay(cv::Point2d from, double dx, double dy, double level,
                             cv::Point2d& edge) const {
    double inner = LightAt(from.x, from.y);
    if (inner < level) return false;
    for (double t = kRayStep; t <= reach_ + 1.0; t += kRayStep) {
        const double outer = LightAt(from.x + t * dx, from.y + t * dy);
        if (outer < 0.0) return false;
        if (outer < level) {
            const double at = t - kRayStep * (level - outer) / (inner - outer);
            edge = {from.x + at * dx, from.y + at * dy};
            return true;
        }
        inner = outer;
    }
    return false;
}

int SpotCentring::ScreenBehindRay(cv::Point2d from, cv::Point2d edge) const {
    int brightest = 0;
    for (double f = 0.5; f <= 1.0; f += 0.125) {
        const double x = from.x + f * (edge.x - from.x), y = from.y + f * (edge.y - from.y);
        const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        brightest = std::max({brightest, Behind(x0, y0), Behind(x0 + 1, y0), Behind(x0, y0 + 1),
                              Behind(x0 + 1, y0 + 1)});
    }
    return brightest;
}

void SpotCentring::Refine(cv::Point2d& estimate) const {
    if (frame_.type() != CV_8UC3 || channel_ < 0 || channel_ > 2 || background_ == nullptr) return;
    const int cx = Nearest(estimate.x), cy = Nearest(estimate.y);
    int darkest = 255, brightest = 0, peak = 0;
    for (int y = cy - reach_; y <= cy + reach_; ++y) {
        for (int x = cx - reach_; x <= cx + reach_; ++x) {
            if (!Inside(x, y)) return;
            darkest = std::min(darkest, Behind(x, y));
            brightest = std::max(brightest, Behind(x, y));
            peak = std::max(peak, Light(x, y));
        }
    }
    if (brightest - darkest <= kScreenStep || peak < kFaintest) return;
    std::array<cv::Point2d, kRays> edge;
    int edgeCount = 0;
    for (int i = 0; i < kRays; ++i) {
        const double angle = 2.0 * CV_PI * i / kRays;
        cv::Point2d point;
        if (!EdgeOnRay(estimate, std::cos(angle), std::sin(angle), 0.12 * peak, point)) continue;
        // The edge counts where the screen behind the outer half of the ray is the darkest:
        // light that crossed a brighter part on its way out reaches further.
        if (ScreenBehindRay(estimate, point) <= darkest + kScreenStep) edge[edgeCount++] = point;
    }
    if (edgeCount < kFewestRays) return;
    cv::Point2d centre;
    if (!FitCircleCentre(edge, edgeCount, estimate, centre)) return;
    if (std::hypot(centre.x - estimate.x, centre.y - estimate.y) > kLongestMove) return;
    estimate = centre;
}
