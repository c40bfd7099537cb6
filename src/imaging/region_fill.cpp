#include "imaging/region_fill.h"

#include <algorithm>

void RegionFill::Reserve(int width, int height) {
    // Seeds are runs of the rows next to a filled line; half the pixels is ample in practice.
    stack_.reserve(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) / 2 + 16);
}

FilledRegion RegionFill::Fill(cv::Mat& plane, int width, int height, int x, int y,
                              int lowerBound) {
    FilledRegion region;
    width = std::min(width, plane.cols);
    height = std::min(height, plane.rows);
    if (plane.type() != CV_8UC1 || x < 0 || y < 0 || x >= width || y >= height) return region;
    const int bound = std::max(lowerBound, 1);
    int left = x, top = y, right = x, bottom = y;
    stack_.clear();
    stack_.push_back({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)});
    while (!stack_.empty()) {
        const Seed seed = stack_.back();
        stack_.pop_back();
        uchar* row = plane.ptr<uchar>(seed.y);
        if (row[seed.x] < bound) continue;
        int first = seed.x;
        int last = seed.x;
        while (first > 0 && row[first - 1] >= bound) --first;
        while (last + 1 < width && row[last + 1] >= bound) ++last;
        std::fill(row + first, row + last + 1, static_cast<uchar>(0));
        region.pixels += last - first + 1;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, static_cast<int>(seed.y));
        bottom = std::max(bottom, static_cast<int>(seed.y));
        for (const int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= height) continue;
            const uchar* next = plane.ptr<uchar>(ny);
            for (int i = first; i <= last; ++i) {
                if (next[i] < bound) continue;
                stack_.push_back({static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(ny)});
                while (i <= last && next[i] >= bound) ++i;
            }
        }
    }
    if (region.pixels > 0) region.box = {left, top, right - left + 1, bottom - top + 1};
    return region;
}
