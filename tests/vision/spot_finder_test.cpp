// SpotFinder: region size limit, seeds and fill bounds, the one-pass merge, the association.
#include <gtest/gtest.h>

#include <vector>

#include "spot_scene.h"

TEST(SpotFinderFind, ThirtyPixelsMakeABlobSeededInsideTheAreaWhoseFillMayLeaveIt) {
    SpotScene scene;
    scene.Light({50, 50, 6, 5});  // 30 pixels
    scene.Light({150, 50, 29, 1});
    ASSERT_EQ(scene.Find(), 1);
    const Blob& blob = scene.finder.Blobs()[0];
    EXPECT_EQ(blob.Rect(), (PixelRect{50, 50, 6, 5}));
    EXPECT_EQ(blob.pixelCount, 30);
    // The last row and column of the area are no seeds.
    SpotScene edges;
    edges.images.detectionArea = {0, 0, 100, 100};
    edges.Light({99, 10, 1, 40});
    edges.Light({10, 99, 40, 1});
    EXPECT_EQ(edges.Find(), 0);
    // A region takes its seed's threshold and may leave the area.
    SpotScene wide;
    wide.images.detectionArea = {100, 100, 50, 50};
    wide.Light({140, 120, 30, 3});  // reaches 20 columns beyond the area
    // Pixels whose own threshold is higher still join: the seed's threshold counts.
    wide.images.thresholdImage(cv::Rect(160, 120, 10, 3)).setTo(250);
    // Outside the area the plane keeps what was extracted before; give it the same light.
    ExtractChannel(wide.images.frame, wide.images.channelPlane, SpotScene::kChannel, wide.images.FullRect());
    ASSERT_EQ(wide.finder.Find(wide.images.channelPlane, wide.images.detectionArea, wide.images.thresholdImage), 1);
    EXPECT_EQ(wide.finder.Blobs()[0].Rect(), (PixelRect{140, 120, 30, 3}));
    EXPECT_EQ(wide.finder.Blobs()[0].pixelCount, 90);
    EXPECT_EQ(wide.images.channelPlane.at<uchar>(121, 165), 0);  // consumed by the fill
}

TEST(SpotFinderMerge, RegionsFivePixelsApartMergeSevenApartStayAndAPassedBlobIsNotRetested) {
    for (const int gap : {5, 7}) {  // free columns between
        SpotScene pair;
        pair.Light({100, 100, 6, 6});
        pair.Light({106 + gap, 100, 6, 6});
        ASSERT_EQ(pair.Find(), 2);
        const bool merged = gap == 5;
        ASSERT_EQ(pair.finder.Merge(3), merged ? 1 : 2) << gap;
        EXPECT_EQ(pair.finder.Blobs()[0].Rect(), (PixelRect{100, 100, merged ? 17 : 6, 6}));
        EXPECT_EQ(pair.finder.Blobs()[0].pixelCount, merged ? 72 : 36);
        EXPECT_EQ(pair.finder.Merge(0), merged ? 1 : 2);
    }
    // A blob passed over is not tested again against the grown union.
    SpotScene scene;
    scene.Light({100, 10, 6, 6});  // A, first seed
    scene.Light({120, 11, 6, 6});  // C: next to B only, but seeded before it
    scene.Light({110, 12, 6, 6});  // B: next to A
    ASSERT_EQ(scene.Find(), 3);
    ASSERT_EQ(scene.finder.Merge(3), 2);
    EXPECT_EQ(scene.finder.Blobs()[0].Rect(), (PixelRect{100, 10, 16, 8}));
    EXPECT_EQ(scene.finder.Blobs()[0].pixelCount, 72);
    EXPECT_EQ(scene.finder.Blobs()[1].Rect(), (PixelRect{120, 11, 6, 6}));
}

// Blobs are {x, y, width, height, pixels}; the one kept is named by its x.
TEST(SpotFinderAssociate, InsideTheLastSpotTheNearestElseTheLargestWithinReachElseTheLargest) {
    SpotRecord previous;
    previous.blobCount = 1;
    previous.spot = {100, 100, 10, 10};  // reach r = 5 * sqrt(200) = 70.7 (against d^2)
    previous.centroidX = 105.0f;
    previous.centroidY = 105.0f;
    const struct {
        const char* what;
        bool history;
        std::vector<Blob> blobs;
        int kept;
    } cases[] = {
        {"no history: the largest, the first on ties", false,
         {{0, 0, 6, 6, 40}, {50, 50, 6, 6, 45}, {90, 0, 6, 6, 45}}, 50},
        {"nothing within reach: the largest", true, {{150, 150, 6, 6, 40}, {20, 20, 6, 6, 70}}, 20},
        {"the largest within reach beats the nearest", true,
         {{112, 102, 6, 6, 40},    // centre (115, 105): d^2 = 100, beyond the reach
          {107, 112, 6, 6, 60},    // centre (110, 115): d^2 = 125, larger still, too far
          {108, 105, 4, 4, 35},    // centre (110, 107): d^2 = 29, nearest
          {111, 101, 4, 4, 50}},   // centre (113, 103): d^2 = 68, within reach and larger
         111},
        {"the nearest inside the last spot", true,
         {{103, 103, 2, 2, 30},    // centre (104, 104), inside
          {101, 101, 4, 4, 90},    // centre (103, 103), inside, farther
          {104, 100, 2, 2, 99},    // centre (105, 101), inside, d^2 = 16
          {140, 140, 6, 6, 500}},
         103},
    };
    for (const auto& c : cases) {
        SpotFinder finder;
        finder.Blobs() = c.blobs;
        finder.Associate(c.history ? previous : SpotRecord());
        ASSERT_EQ(finder.Blobs().size(), 1u) << c.what;
        EXPECT_EQ(finder.Blobs()[0].x, c.kept) << c.what;
    }
}
