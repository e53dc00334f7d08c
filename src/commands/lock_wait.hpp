#pragma once

#include <chrono>

namespace kavrel {

// Takes the exclusive flock of fd, the lock other programs take with flock(1). When another
// holder keeps it, waits blocked in flock for at most `limit`. Returns 0, EWOULDBLOCK when
// the limit passed, or another errno.
int lockWithin(int fd, std::chrono::milliseconds limit);

} // namespace kavrel
