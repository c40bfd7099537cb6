// The request layouts themselves are checked end to end: the virtual sensor's driver decodes
// every request byte by byte (sensor_automatics_off_at_startup).
#include "capture/ks_requests.h"

#include <gtest/gtest.h>

namespace {

TEST(KsRequests, PowerLineFrequencyCodes) {
    const int cases[][2] = {{50, 1}, {60, 2}, {0, 0}, {1, 1}, {55, 55}};
    for (const auto& c : cases) EXPECT_EQ(PowerLineFrequencyCode(c[0]), c[1]) << c[0];
}

}  // namespace
