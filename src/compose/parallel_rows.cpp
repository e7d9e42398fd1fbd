// Two-way row splitting with a plain std::thread: pixel loops here are long enough that
// starting a thread per call costs nothing measurable.
#include "compose/parallel_rows.h"

#include <system_error>
#include <thread>

namespace lumabord {

void forRowsInParallel(size_t count, size_t minParallel,
                       const std::function<void(size_t begin, size_t end, int part)>& work) {
  if (count < 2 || count < minParallel) {
    work(0, count, 0);
    return;
  }
  const size_t middle = count / 2;
  std::thread helper;
  try {
    helper = std::thread(work, middle, count, 1);
  } catch (const std::system_error&) {
    work(0, count, 0);
    return;
  }
  work(0, middle, 0);
  helper.join();
}

}  // namespace lumabord
