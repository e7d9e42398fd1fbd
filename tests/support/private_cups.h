// A CUPS scheduler of the test's own: its own configuration folder and a socket in it, no
// port and no system queue touched. Its one queue hands every job unchanged to a file.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace lumabord::testing {

class PrivateCups {
 public:
  static constexpr const char* kQueue = "lumabord-test";

  // Starts cupsd and adds the queue; skipReason() says why when that fails.
  PrivateCups();
  ~PrivateCups();  // stops the scheduler it started
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  [[nodiscard]] const std::string& skipReason() const { return skipReason_; }
  // The value of CUPS_SERVER that reaches this scheduler.
  [[nodiscard]] std::string server() const { return (folder_ / "cups.sock").string(); }
  // Where the queue's device writes the job it received last.
  [[nodiscard]] std::filesystem::path jobFile() const { return folder_ / "out" / "job.pdf"; }
  // Waits until the job-th job (counting from 1) has completed and returns its title.
  [[nodiscard]] std::optional<std::string> waitForJob(int job, std::chrono::seconds timeout) const;
  // The last lines of the scheduler's error log, for failure messages.
  [[nodiscard]] std::string errorLog() const;

 private:
  bool start();
  TempDir dir_;
  std::filesystem::path folder_;
  pid_t pid_ = -1;
  std::string skipReason_;
};

}  // namespace lumabord::testing
