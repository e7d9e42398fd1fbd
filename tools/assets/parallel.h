// Spreading the generator's work over the machine's cores. Every row or job is computed the
// same way whichever thread runs it, so the files do not depend on the number of cores.
#pragma once

#include <functional>
#include <vector>

namespace lumabord::assets {

// Calls body(i) for every i in [0, count), spread over the cores that are free.
void parallelFor(int count, const std::function<void(int i)>& body);

// Runs the jobs, spread over the cores that are free; rethrows the first failure after all
// jobs have ended.
void runJobs(const std::vector<std::function<void()>>& jobs);

}  // namespace lumabord::assets
