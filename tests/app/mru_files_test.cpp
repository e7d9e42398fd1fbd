// The recent-photos list: ordering rules, "mru.ini" bytes and the menu entries.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/mru_files.h"
#include "base/error.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::readText;
using testing::TempDir;

TEST(RecentFiles, AddMovesCaseInsensitiveMatchesToTheTopAsNewlyGiven) {
  TMRUFiles mru;
  int rebuilds = 0;
  mru.OnChange = [&] { ++rebuilds; };
  mru.Add("/p/a.jpg");
  mru.Add("/p/B.jpg");
  mru.Add("/p/c.jpg");
  mru.Add("/P/b.JPG");
  mru.Add("");
  EXPECT_EQ(mru.Items(), (std::vector<std::string>{"/P/b.JPG", "/p/c.jpg", "/p/a.jpg"}));
  EXPECT_EQ(rebuilds, 4);  // once per addition, none for the empty name

  // Only the first equal entry goes (a loaded file may hold duplicates).
  TempDir dir;
  dir.write("mru.ini", "x\r\nX\r\ny\r\n");
  mru.LoadFromFile(dir / "mru.ini");
  mru.Add("x");
  EXPECT_EQ(mru.Items(), (std::vector<std::string>{"x", "X", "y"}));
}

TEST(RecentFiles, ATenthFilePushesOutTheOldest) {
  TMRUFiles mru;
  for (int i = 1; i <= 10; ++i) mru.Add("/f" + std::to_string(i));
  ASSERT_EQ(mru.Items().size(), 9u);
  EXPECT_EQ(mru.Items().front(), "/f10");
  EXPECT_EQ(mru.Items().back(), "/f2");

  mru.MaxEntries = 0;  // no room at all still keeps the newest
  mru.Add("/new");
  EXPECT_EQ(mru.Items(), std::vector<std::string>{"/new"});
}

TEST(RecentFiles, TwelveLinesShowTwelveEntriesUntilTheNextAddition) {
  TempDir dir;
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "/photos/p" + std::to_string(i) + ".jpg\r\n";
  dir.write("mru.ini", text);
  TMRUFiles mru;
  mru.LoadFromFile(dir / "mru.ini");
  const std::vector<MruMenuItem> menu = mru.MenuItems();
  ASSERT_EQ(menu.size(), 13u);
  EXPECT_TRUE(menu[0].separator);
  EXPECT_EQ(menu[1].caption, "&1 /photos/p1.jpg");
  EXPECT_EQ(menu[1].hint, "Opens /photos/p1.jpg");
  EXPECT_EQ(menu[10].caption, "&10 /photos/p10.jpg");
  EXPECT_EQ(menu[11].caption, "  /photos/p11.jpg");
  EXPECT_EQ(menu[12].caption, "  /photos/p12.jpg");
  EXPECT_EQ(menu[12].index, 11);

  mru.Numbered = false;
  EXPECT_EQ(mru.MenuItems()[1].caption, "/photos/p1.jpg");

  mru.Add("/photos/p12.jpg");
  ASSERT_EQ(mru.Items().size(), 9u);
  EXPECT_EQ(mru.Items()[0], "/photos/p12.jpg");
  EXPECT_EQ(mru.Items()[8], "/photos/p8.jpg");
}

TEST(RecentFiles, FileIsCrLfLinesAndLoadingKeepsBlanksAndEveryEnding) {
  TempDir dir;
  TMRUFiles mru;
  mru.SaveToFile(dir / "mru.ini");
  EXPECT_EQ(readText(dir / "mru.ini"), "");
  EXPECT_TRUE(mru.MenuItems().empty());

  mru.Add("/a b/one.jpg");
  mru.Add("/two.tif");
  mru.SaveToFile(dir / "mru.ini");
  EXPECT_EQ(readText(dir / "mru.ini"), "/two.tif\r\n/a b/one.jpg\r\n");

  dir.write("other.ini", " spaced \n\r\nlast");
  mru.LoadFromFile(dir / "other.ini");
  EXPECT_EQ(mru.Items(), (std::vector<std::string>{" spaced ", "", "last"}));
  EXPECT_THROW(mru.LoadFromFile(dir / "missing.ini"), Error);
}

TEST(RecentFiles, OnlyARegularFileOfAtMost64KiBIsRead) {
  TempDir dir;
  std::string lines;
  for (int i = 0; i < 200000; ++i) lines += "/p/" + std::to_string(i) + ".jpg\r\n";
  ASSERT_EQ(mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder.ini");
  const struct {
    std::filesystem::path file;
    std::string error;  // empty: read
  } cases[] = {
      {dir.write("big.ini", lines), "is larger than 65536 bytes"},
      {dir / "fifo.ini", "is not a regular file"},  // read without waiting for a writer
      {dir / "folder.ini", "is not a regular file"},
      {dir.write("limit.ini", std::string(65534, 'a') + "\r\n"), ""},
  };
  for (const auto& c : cases) {
    TMRUFiles mru;
    mru.Add("/p/kept.jpg");
    if (c.error.empty()) {
      mru.LoadFromFile(c.file);
      EXPECT_EQ(mru.Items().size(), 1u) << c.file;
      continue;
    }
    try {
      mru.LoadFromFile(c.file);
      ADD_FAILURE() << c.file << " was read";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.file.string() + " " + c.error);
    }
    EXPECT_EQ(mru.Items(), std::vector<std::string>{"/p/kept.jpg"}) << c.file;
  }
}

TEST(RecentFiles, SavingMergesThisListsAdditionsOverTheFileOnDisk) {
  TempDir dir;
  const std::filesystem::path file = dir / "mru.ini";
  TMRUFiles mine;
  mine.Add("/p/mine.jpg");
  dir.write("mru.ini", "/p/theirs.jpg\r\n/p/MINE.jpg\r\n/p/old.jpg\r\n");
  mine.SaveMergedToFile(file);
  EXPECT_EQ(readText(file), "/p/mine.jpg\r\n/p/theirs.jpg\r\n/p/old.jpg\r\n");
  // Saved additions are not replayed over what another window writes later.
  dir.write("mru.ini", "/p/later.jpg\r\n");
  mine.SaveMergedToFile(file);
  EXPECT_EQ(readText(file), "/p/later.jpg\r\n");
  // A file that is no list stays unless there is something to store.
  const std::string big(TMRUFiles::kMaxFileBytes + 1, 'a');
  dir.write("mru.ini", big);
  mine.SaveMergedToFile(file);
  EXPECT_EQ(readText(file), big);
  mine.Add("/p/new.jpg");
  mine.SaveMergedToFile(file);
  EXPECT_EQ(readText(file), "/p/new.jpg\r\n");
}

TEST(RecentFiles, ClickRaisesTheEntryAtTheRememberedIndex) {
  TMRUFiles mru;
  mru.Add("/a.jpg");
  mru.Add("/b.jpg");
  mru.Click(1);  // no handler: nothing happens
  std::vector<std::string> clicked;
  mru.OnClick = [&](const std::string& path) { clicked.push_back(path); };
  mru.Click(mru.MenuItems()[2].index);
  mru.Click(7);
  mru.Click(-1);
  EXPECT_EQ(clicked, std::vector<std::string>{"/a.jpg"});
}

}  // namespace
}  // namespace lumabord
