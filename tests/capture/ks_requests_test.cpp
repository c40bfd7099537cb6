#include "capture/ks_requests.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

template <typename Request>
std::vector<unsigned char> BytesOf(const Request& request) {
    std::vector<unsigned char> bytes(sizeof(request));
    std::memcpy(bytes.data(), &request, sizeof(request));
    return bytes;
}

uint32_t WordAt(const std::vector<unsigned char>& bytes, size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

TEST(KsRequests, CameraControlSetHasTheFortyByteLayout) {
    const auto bytes = BytesOf(MakeCameraControlSet(4, {-7, 1, 0x33}));
    ASSERT_EQ(bytes.size(), 40u);
    // {C6E13370-30AC-11D0-A18C-00A0C9118956} in memory order.
    const unsigned char set[16] = {0x70, 0x33, 0xE1, 0xC6, 0xAC, 0x30, 0xD0, 0x11,
                                   0xA1, 0x8C, 0x00, 0xA0, 0xC9, 0x11, 0x89, 0x56};
    EXPECT_EQ(std::memcmp(bytes.data(), set, 16), 0);
    EXPECT_EQ(WordAt(bytes, 16), 4u);
    EXPECT_EQ(WordAt(bytes, 20), 2u);
    EXPECT_EQ(static_cast<int32_t>(WordAt(bytes, 24)), -7);
    EXPECT_EQ(WordAt(bytes, 28), 1u);
    EXPECT_EQ(WordAt(bytes, 32), 0x33u);
    EXPECT_EQ(WordAt(bytes, 36), 0u);
    // A get sends only the header.
    const auto get = BytesOf(MakeCameraControlGet(4));
    EXPECT_EQ(WordAt(get, 16), 4u);
    EXPECT_EQ(WordAt(get, 20), 1u);
    for (size_t offset = 24; offset < 40; offset += 4) EXPECT_EQ(WordAt(get, offset), 0u) << offset;
}

TEST(KsRequests, VendorSetHasTheFiftySixByteLayout) {
    const auto bytes = BytesOf(MakeVendorSet(1, {2, 2, 0x11}));
    ASSERT_EQ(bytes.size(), 56u);
    // {A7974C56-A77E-4B90-8CBF-1C71EC301000} in memory order.
    const unsigned char set[16] = {0x56, 0x4C, 0x97, 0xA7, 0x7E, 0xA7, 0x90, 0x4B,
                                   0x8C, 0xBF, 0x1C, 0x71, 0xEC, 0x30, 0x10, 0x00};
    EXPECT_EQ(std::memcmp(bytes.data(), set, 16), 0);
    EXPECT_EQ(WordAt(bytes, 16), 1u);
    EXPECT_EQ(WordAt(bytes, 20), 2u);
    EXPECT_EQ(WordAt(bytes, 24), 0u);
    EXPECT_EQ(WordAt(bytes, 28), 2u);
    EXPECT_EQ(WordAt(bytes, 32), 0x11u);
    for (size_t offset = 36; offset < 52; offset += 4) EXPECT_EQ(WordAt(bytes, offset), 0u) << offset;
    EXPECT_EQ(WordAt(bytes, 52), 2u);
}

TEST(KsRequests, PowerLineFrequencyCodes) {
    const int cases[][2] = {{50, 1}, {60, 2}, {0, 0}, {1, 1}, {55, 55}};
    for (const auto& c : cases) EXPECT_EQ(PowerLineFrequencyCode(c[0]), c[1]) << c[0];
}

}  // namespace
