#pragma once
// What the process counts of itself, for the test build's leak checks: Wine answers neither
// count for another process, and answers 0 for its own through the usual calls, so each has a
// way round that holds on both.

#include <cstdint>

namespace zentrava {

struct HandleCounts {
    std::int64_t all = -1; // kernel handles of this process; -1 when there is no way to tell
    // Of those, registry keys: Wine's MCI open of an MPEGVideo device leaks about seventy a
    // sound (a bare open, play and close does), which hides any other growth.
    std::int64_t keys = -1;
};
HandleCounts OwnHandleCounts();
// Committed private memory of this process in bytes; -1 when there is no way to tell.
std::int64_t OwnPrivateBytes();

} // namespace zentrava
