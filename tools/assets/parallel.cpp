// A shared budget of threads: jobs and the row loops inside them take only the cores still
// free, so nesting never starts more threads than the machine has.
#include "assets/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace lumabord::assets {
namespace {

int coreCount() {
  static const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return cores;
}

std::atomic<int> busyThreads{1};  // the main thread

// Takes up to wanted extra threads from the budget; returns how many were granted.
int reserveThreads(int wanted) {
  int busy = busyThreads.load();
  for (;;) {
    const int grant = std::min(wanted, coreCount() - busy);
    if (grant <= 0) return 0;
    if (busyThreads.compare_exchange_weak(busy, busy + grant)) return grant;
  }
}

// Runs work(i) for i in [0, count) on the calling thread and the granted helpers, handing out
// indices one by one so that uneven items balance.
void spread(int count, const std::function<void(int)>& work) {
  std::atomic<int> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto loop = [&] {
    for (int i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureLock);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  const int helpers = reserveThreads(std::min(count, coreCount()) - 1);
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(helpers));
  for (int t = 0; t < helpers; ++t) {
    // A helper gives its core back as soon as no work is left for it.
    threads.emplace_back([&loop] {
      loop();
      --busyThreads;
    });
  }
  loop();
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

void parallelFor(int count, const std::function<void(int i)>& body) {
  spread(count, body);
}

void runJobs(const std::vector<std::function<void()>>& jobs) {
  spread(static_cast<int>(jobs.size()), [&jobs](int i) { jobs[static_cast<size_t>(i)](); });
}

}  // namespace lumabord::assets
