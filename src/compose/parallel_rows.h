// Splits a range of independent rows over the caller and one helper thread.
#pragma once

#include <cstddef>
#include <functional>

namespace lumabord {

// Calls work(begin, end, part) for part 0 on the calling thread and part 1 on a helper
// thread, the two parts together covering 0..count. Small ranges (below minParallel) and
// a failure to start the thread run everything as part 0. work must not throw.
void forRowsInParallel(size_t count, size_t minParallel,
                       const std::function<void(size_t begin, size_t end, int part)>& work);

// How many parts forRowsInParallel may use, for sizing per-part working arrays.
inline constexpr int kRowParts = 2;

}  // namespace lumabord
