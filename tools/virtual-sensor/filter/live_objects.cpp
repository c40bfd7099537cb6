#include "live_objects.h"

std::atomic<long> LiveObjects::count_{0};
std::atomic<long> LiveObjects::locks_{0};
