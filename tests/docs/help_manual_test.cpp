// The HTML help manual: every page reachable from the contents, no broken link or anchor,
// no link leaving the manual except to the maker's addresses, every command documented.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "support/temp_dir.h"

namespace lumabord {
namespace {
namespace fs = std::filesystem;

const fs::path kManual = fs::path(LUMABORD_BINARY_DIR) / "LumabordHelp";

std::vector<std::string> matches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    found.push_back((*it)[1].str());
  }
  return found;
}

std::set<std::string> anchors(const fs::path& page) {
  static const std::regex id(R"re(\sid="([^"]+)")re");
  const auto ids = matches(testing::readText(page), id);
  return {ids.begin(), ids.end()};
}

TEST(HelpManual, EveryPageIsReachableAndNoLinkIsBroken) {
  static const std::regex link(R"re(\s(?:href|src)="([^"]*)")re");
  std::set<std::string> reached{"index.html"};
  std::deque<std::string> pending{"index.html"};
  while (!pending.empty()) {
    const std::string page = pending.front();
    pending.pop_front();
    const std::string text = testing::readText(kManual / page);
    EXPECT_NE(text.find("<title>"), std::string::npos) << page;
    for (const std::string& target : matches(text, link)) {
      if (target.rfind("https://lumabord.example.org/", 0) == 0 ||
          target.rfind("mailto:support@example.org", 0) == 0) {
        continue;
      }
      ASSERT_EQ(target.find(':'), std::string::npos) << page << " leaves the manual: " << target;
      const size_t hash = target.find('#');
      const std::string file = hash == 0 ? page : target.substr(0, hash);
      EXPECT_TRUE(fs::is_regular_file(kManual / file)) << page << " -> " << target;
      if (hash != std::string::npos && fs::is_regular_file(kManual / file)) {
        EXPECT_TRUE(anchors(kManual / file).count(target.substr(hash + 1)))
            << page << " -> " << target;
      }
      if (file.ends_with(".html") && reached.insert(file).second) pending.push_back(file);
    }
  }
  for (const auto& entry : fs::directory_iterator(kManual)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".html")) {
      EXPECT_TRUE(reached.count(name)) << name << " is unreachable";
    }
  }
  EXPECT_GE(reached.size(), 10u);
}

TEST(HelpManual, DescribesEveryCommandOfTheCommandLine) {
  const testing::TempDir dir;
  const std::string out = (dir / "help.txt").string();
  ASSERT_EQ(std::system((LUMABORD_BINARY_DIR "/lumabord-cli --help > '" + out + "'").c_str()), 0);
  const std::string help = testing::readText(out);
  static const std::regex command(R"(\n  ([a-z]+) )");
  const std::set<std::string> documented = anchors(kManual / "cli.html");
  int commands = 0;
  for (const std::string& name : matches(help.substr(0, help.find("\nOptions:")), command)) {
    EXPECT_TRUE(documented.count(name)) << "cli.html lacks " << name;
    ++commands;
  }
  EXPECT_GE(commands, 5);
}

}  // namespace
}  // namespace lumabord
