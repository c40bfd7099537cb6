#include "alignment/x_junction_finder.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Two rings of 16 samples around each pixel; a junction looks the same on both.
constexpr int kSamples = 16;
constexpr int kInnerRadius = 3;
constexpr int kOuterRadius = 5;
constexpr int kMinContrast = 48;
constexpr int kMinArc = 2;          // samples per light or dark arc
constexpr int kMinDark = 4;         // dark samples per ring, of 16
constexpr int kMaxDark = 12;
constexpr float kClusterReach = 3.0f;
constexpr int kMinClusterPixels = 2;
constexpr int kMaxClusters = 128;
constexpr float kMaxRefineShift = 3.0f;
constexpr float kSamePoint = 2.0f;

struct Ring {
    int offsets[kSamples];  // byte offsets from the centre pixel
};

Ring MakeRing(int radius, size_t step) {
    Ring ring{};
    for (int k = 0; k < kSamples; ++k) {
        const double angle = k * 2.0 * CV_PI / kSamples;
        const int dx = static_cast<int>(std::lround(radius * std::cos(angle)));
        const int dy = static_cast<int>(std::lround(radius * std::sin(angle)));
        ring.offsets[k] = dy * static_cast<int>(step) + dx;
    }
    return ring;
}

// True when the ring around `centre` splits into light, dark, light, dark arcs of fair size.
bool LooksLikeJunction(const uchar* centre, const Ring& ring) {
    int values[kSamples];
    int low = 255;
    int high = 0;
    for (int k = 0; k < kSamples; ++k) {
        values[k] = centre[ring.offsets[k]];
        low = std::min(low, values[k]);
        high = std::max(high, values[k]);
    }
    if (high - low < kMinContrast) return false;
    const int cut = (low + high) / 2;
    int dark = 0;
    int first = -1;  // a sample where an arc starts
    for (int k = 0; k < kSamples; ++k) {
        dark += values[k] <= cut;
        const bool previous = values[(k + kSamples - 1) % kSamples] > cut;
        if (previous != (values[k] > cut) && first < 0) first = k;
    }
    if (dark < kMinDark || dark > kMaxDark || first < 0) return false;
    int arcs = 0;
    int length = 0;
    for (int i = 0; i < kSamples; ++i) {
        const int k = (first + i) % kSamples;
        const int next = (k + 1) % kSamples;
        ++length;
        if ((values[k] > cut) != (values[next] > cut)) {
            if (length < kMinArc) return false;
            ++arcs;
            length = 0;
        }
    }
    return arcs == 4;
}

struct Cluster {
    float sumX = 0.0f;
    float sumY = 0.0f;
    int pixels = 0;
    cv::Point2f Centre() const { return {sumX / pixels, sumY / pixels}; }
};

bool Near(cv::Point2f a, cv::Point2f b, float reach) {
    return std::fabs(a.x - b.x) < reach && std::fabs(a.y - b.y) < reach;
}

int CollectClusters(const cv::Mat& plane, std::array<Cluster, kMaxClusters>& clusters) {
    const Ring inner = MakeRing(kInnerRadius, plane.step[0]);
    const Ring outer = MakeRing(kOuterRadius, plane.step[0]);
    const int margin = kOuterRadius + 1;
    int used = 0;
    for (int y = margin; y < plane.rows - margin; ++y) {
        const uchar* row = plane.ptr<uchar>(y);
        for (int x = margin; x < plane.cols - margin; ++x) {
            if (!LooksLikeJunction(row + x, inner) || !LooksLikeJunction(row + x, outer))
                continue;
            const cv::Point2f here(static_cast<float>(x), static_cast<float>(y));
            Cluster* home = nullptr;
            for (int i = 0; i < used && !home; ++i)
                if (Near(clusters[i].Centre(), here, kClusterReach)) home = &clusters[i];
            if (!home && used < kMaxClusters) home = &clusters[used++];
            if (!home) continue;
            home->sumX += here.x;
            home->sumY += here.y;
            ++home->pixels;
        }
    }
    return used;
}

}  // namespace

int FindXJunctions(const cv::Mat& plane, cv::Point2f* points, int room) {
    if (plane.type() != CV_8UC1 || plane.empty() || room <= 0) return 0;
    std::array<Cluster, kMaxClusters> clusters;
    const int used = CollectClusters(plane, clusters);
    std::stable_sort(clusters.begin(), clusters.begin() + used,
                     [](const Cluster& a, const Cluster& b) { return a.pixels > b.pixels; });
    int found = 0;
    for (int i = 0; i < used && found < room; ++i) {
        if (clusters[i].pixels < kMinClusterPixels) break;
        const cv::Point2f start = clusters[i].Centre();
        cv::Point2f refined = start;
        cv::cornerSubPix(plane, cv::Mat(1, 1, CV_32FC2, &refined), cv::Size(kOuterRadius - 1, kOuterRadius - 1),
                         cv::Size(-1, -1),
                         cv::TermCriteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS, 20, 0.01));
        if (!Near(refined, start, kMaxRefineShift)) continue;
        const bool known = std::any_of(points, points + found, [&](const cv::Point2f& p) {
            return Near(p, refined, kSamePoint);
        });
        if (!known) points[found++] = refined;
    }
    return found;
}
