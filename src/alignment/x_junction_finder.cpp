#include "alignment/x_junction_finder.h"


#include <algorithm>
#include <array>
#include <cmath>

#include "alignment/corner_refinement.h"

namespace {

// Three rings of 16 samples around each pixel. A junction looks the same on every ring (it has
// no scale of its own), while a line through the pixel covers less of the larger rings.
constexpr int kSamples = 16;
constexpr int kRadii[3] = {5, 7, 9};
constexpr int kOuterRadius = 9;
constexpr int kMinContrast = 48;
constexpr int kMinArc = 2;   // samples per light or dark arc
constexpr int kMinDark = 5;  // dark samples per ring, of 16
constexpr int kMaxDark = 11;
constexpr int kMaxDarkSpread = 3;  // between the rings
constexpr float kClusterReach = 6.0f;
constexpr int kMinClusterPixels = 2;
constexpr int kMaxClusters = 128;
constexpr int kRefineHalfSize = 4;
constexpr float kMaxRefineShift = 3.0f;
constexpr float kSamePoint = 4.0f;

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

// The number of dark samples when the ring around `centre` splits into light, dark, light,
// dark arcs of fair size; -1 otherwise.
int JunctionDarkCount(const uchar* centre, const Ring& ring) {
    int values[kSamples];
    int low = 255;
    int high = 0;
    for (int k = 0; k < kSamples; ++k) {
        values[k] = centre[ring.offsets[k]];
        low = std::min(low, values[k]);
        high = std::max(high, values[k]);
    }
    if (high - low < kMinContrast) return -1;
    const int cut = (low + high) / 2;
    int dark = 0;
    int first = -1;  // a sample where an arc starts
    for (int k = 0; k < kSamples; ++k) {
        dark += values[k] <= cut;
        const bool previous = values[(k + kSamples - 1) % kSamples] > cut;
        if (previous != (values[k] > cut) && first < 0) first = k;
    }
    if (dark < kMinDark || dark > kMaxDark || first < 0) return -1;
    int arcs = 0;
    int length = 0;
    for (int i = 0; i < kSamples; ++i) {
        const int k = (first + i) % kSamples;
        const int next = (k + 1) % kSamples;
        ++length;
        if ((values[k] > cut) != (values[next] > cut)) {
            if (length < kMinArc) return -1;
            ++arcs;
            length = 0;
        }
    }
    return arcs == 4 ? dark : -1;
}

bool LooksLikeJunction(const uchar* centre, const Ring (&rings)[3]) {
    int fewest = kSamples;
    int most = 0;
    for (const Ring& ring : rings) {
        const int dark = JunctionDarkCount(centre, ring);
        if (dark < 0) return false;
        fewest = std::min(fewest, dark);
        most = std::max(most, dark);
    }
    return most - fewest <= kMaxDarkSpread;
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
    const Ring rings[3] = {MakeRing(kRadii[0], plane.step[0]), MakeRing(kRadii[1], plane.step[0]),
                           MakeRing(kRadii[2], plane.step[0])};
    const int margin = kOuterRadius + 1;
    int used = 0;
    for (int y = margin; y < plane.rows - margin; ++y) {
        const uchar* row = plane.ptr<uchar>(y);
        for (int x = margin; x < plane.cols - margin; ++x) {
            if (!LooksLikeJunction(row + x, rings)) continue;
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
        RefineCorners(plane, &refined, 1, kRefineHalfSize);
        if (!Near(refined, start, kMaxRefineShift)) continue;
        const bool known = std::any_of(points, points + found, [&](const cv::Point2f& p) {
            return Near(p, refined, kSamePoint);
        });
        if (!known) points[found++] = refined;
    }
    return found;
}
