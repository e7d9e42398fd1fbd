// PrivateCups: cupsd -f with a configuration folder of its own.
#include "support/private_cups.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "support/run_program.h"

namespace lumabord::testing {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> findProgram(const std::string& name) {
  for (const char* folder : {"/usr/sbin", "/sbin", "/usr/bin", "/usr/local/sbin"}) {
    const fs::path candidate = fs::path(folder) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

void writeFile(const fs::path& path, const std::string& text, fs::perms perms) {
  std::ofstream(path) << text;
  fs::permissions(path, perms);
}

// A driver whose only filter passes the PDF through, so the device file gets the job as
// the program sent it.
std::string ppd(const fs::path& filter) {
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"LUMATEST.PPD\"\n"
         "*Manufacturer: \"Lumabord\"\n*Product: \"(File Printer)\"\n*ModelName: \"File Printer\"\n"
         "*ShortNickName: \"File Printer\"\n*NickName: \"File Printer\"\n"
         "*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n"
         "*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n"
         "*cupsFilter: \"application/pdf 0 " +
         filter.string() +
         "\"\n"
         "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: Letter\n"
         "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
         "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
         "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: Letter\n"
         "*PageRegion Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
         "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
         "*DefaultImageableArea: Letter\n*ImageableArea Letter: \"0 0 612 792\"\n"
         "*ImageableArea A4: \"0 0 595 842\"\n*DefaultPaperDimension: Letter\n"
         "*PaperDimension Letter: \"612 792\"\n*PaperDimension A4: \"595 842\"\n";
}

}  // namespace

PrivateCups::PrivateCups() : folder_(dir_.path()) {
  if (!start()) {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }
}

PrivateCups::~PrivateCups() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

bool PrivateCups::start() {
  const auto cupsd = findProgram("cupsd");
  const auto lpadmin = findProgram("lpadmin");
  if (!cupsd || !lpadmin) {
    skipReason_ = "cupsd or lpadmin is not installed (scripts/setup installs CUPS)";
    return false;
  }
  // The scheduler runs its filter as user lp, which must reach the folder.
  const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                    fs::perms::others_read | fs::perms::others_exec;
  const auto shared = fs::perms::all | fs::perms::sticky_bit;
  fs::permissions(folder_, open);
  for (const char* sub : {"spool", "cache", "state", "log"}) fs::create_directories(folder_ / sub);
  for (const char* sub : {"tmp", "out"}) {
    fs::create_directories(folder_ / sub);
    fs::permissions(folder_ / sub, shared);
  }
  const fs::path f = folder_;
  writeFile(f / "cupsd.conf",
            "Listen " + server() +
                "\nLogLevel info\nWebInterface No\nBrowsing No\nPreserveJobHistory Yes\n"
                "PageLogFormat \"%j %{job-name}\"\n<Location />\n  Order allow,deny\n"
                "  Allow all\n</Location>\n<Policy default>\n  <Limit All>\n"
                "    Order deny,allow\n  </Limit>\n</Policy>\n",
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  writeFile(f / "cups-files.conf",
            "ServerRoot " + f.string() + "\nRequestRoot " + (f / "spool").string() + "\nTempDir " +
                (f / "tmp").string() + "\nCacheDir " + (f / "cache").string() + "\nStateDir " +
                (f / "state").string() + "\nErrorLog " + (f / "log/error_log").string() +
                "\nAccessLog " + (f / "log/access_log").string() + "\nPageLog " +
                (f / "log/page_log").string() + "\nFileDevice Yes\nSandboxing Relaxed\n",
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  writeFile(f / "tofile", "#!/bin/sh\nif [ -n \"$6\" ]; then exec cat \"$6\"; else exec cat; fi\n",
            open);
  writeFile(f / "file-printer.ppd", ppd(f / "tofile"), open);

  pid_ = fork();
  if (pid_ == 0) {
    const int log = ::open((f / "cupsd.out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    execl(cupsd->c_str(), "cupsd", "-f", "-c", (f / "cupsd.conf").c_str(), "-s",
          (f / "cups-files.conf").c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ < 0) {
    skipReason_ = "cannot start cupsd";
    return false;
  }
  for (int i = 0; i < 100 && !fs::exists(server()); ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      skipReason_ = "cupsd stopped at once: " + readText(f / "cupsd.out") + errorLog();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!fs::exists(server())) {
    skipReason_ = "cupsd opened no socket within 10 seconds: " + errorLog();
    return false;
  }
  const ProgramRun add = runProgram({lpadmin->string(), "-h", server(), "-p", kQueue, "-E", "-v",
                                     "file://" + (f / "out/job.pdf").string(), "-P",
                                     (f / "file-printer.ppd").string()});
  const ProgramRun makeDefault = runProgram({lpadmin->string(), "-h", server(), "-d", kQueue});
  if (add.status != 0 || makeDefault.status != 0) {
    skipReason_ = "lpadmin could not add the queue: " + add.err + makeDefault.err;
    return false;
  }
  return true;
}

std::optional<std::string> PrivateCups::waitForJob(int job, std::chrono::seconds timeout) const {
  const auto end = std::chrono::steady_clock::now() + timeout;
  const std::string prefix = std::to_string(job) + " ";
  while (std::chrono::steady_clock::now() < end) {
    std::istringstream lines(readText(folder_ / "log/page_log"));
    for (std::string line; std::getline(lines, line);) {
      if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        line = line.substr(1, line.size() - 2);
      }
      if (line.rfind(prefix, 0) == 0 && fs::exists(jobFile())) return line.substr(prefix.size());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

std::string PrivateCups::errorLog() const {
  const std::string log = readText(folder_ / "log/error_log");
  return log.size() > 2000 ? log.substr(log.size() - 2000) : log;
}

}  // namespace lumabord::testing
