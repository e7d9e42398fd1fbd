// Asset scans on real folder trees: the file system's own order, masks, depth-first
// sub-folders, and the lists the four fillers build from them.
#include "compose/asset_library.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// The names of a folder's entries exactly as readdir returns them, without "." and "..".
std::vector<std::string> readdirOrder(const fs::path& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

std::vector<std::string> strings(const std::vector<fs::path>& paths) {
  std::vector<std::string> out;
  for (const fs::path& p : paths) out.push_back(p.string());
  return out;
}

// Appends folder/name for every name of the folder (readdir order) that passes keep.
template <typename Keep>
void appendInOrder(std::vector<std::string>& out, const fs::path& folder, Keep keep) {
  for (const std::string& name : readdirOrder(folder)) {
    if (keep(name)) out.push_back((folder / name).string());
  }
}

bool endsWithPng(const std::string& name) {
  return name.size() >= 4 &&
         (name.ends_with(".png") || name.ends_with(".PNG") || name.ends_with(".Png"));
}

TEST(ScanFiles, KeepsReaddirOrderPatternByPatternAndSubFoldersDepthFirst) {
  const TempDir dir;
  // Enough names that a file system hashing its directories returns them unsorted.
  for (const char* name : {"m.png", "b.jpg", "a.png", "Z.PNG", "c.Png", "note.txt", "q.png",
                           "e.png", "k.jpg", "pngless", "x.pngx"}) {
    dir.write(std::string("tex/") + name, "x");
  }
  dir.write("tex/one/x.png", "x");
  dir.write("tex/one/deep/y.png", "x");
  dir.write("tex/one/deep/y.jpg", "x");
  dir.write("tex/one/w.png", "x");
  dir.write("tex/two/z.png", "x");
  // A folder whose own name matches is listed as an entry and then scanned.
  dir.write("tex/folder.png/inner.png", "x");
  const fs::path tex = dir / "tex";

  // The expected list, assembled from each folder's readdir order by hand.
  std::vector<std::string> expected;
  appendInOrder(expected, tex, endsWithPng);
  for (const std::string& sub : readdirOrder(tex)) {
    if (!fs::is_directory(tex / sub)) continue;
    appendInOrder(expected, tex / sub, endsWithPng);
    if (sub == "one") {
      appendInOrder(expected, tex / "one" / "deep", endsWithPng);
    }
  }
  const std::vector<std::string> pngs = strings(ScanFiles({tex / "*.png"}, true));
  ASSERT_EQ(expected.size(), 12u);
  EXPECT_EQ(pngs, expected);

  // A second pattern's matches follow every match of the first, from the whole tree.
  const std::vector<std::string> both = strings(ScanFiles({tex / "*.png", tex / "*.jpg"}, true));
  ASSERT_EQ(both.size(), 15u);
  EXPECT_EQ(std::vector<std::string>(both.begin(), both.begin() + 12), expected);
  std::vector<std::string> jpgs;
  appendInOrder(jpgs, tex, [](const std::string& n) { return n.ends_with(".jpg"); });
  jpgs.push_back((tex / "one" / "deep" / "y.jpg").string());
  EXPECT_EQ(std::vector<std::string>(both.begin() + 12, both.end()), jpgs);

  // Without sub-folders only the folder itself counts, the matching folder still listed.
  std::vector<std::string> flat;
  appendInOrder(flat, tex, endsWithPng);
  EXPECT_EQ(strings(ScanFiles({tex / "*.png"}, false)), flat);
}

TEST(ScanFiles, MissingFoldersLoopsAndCallbacks) {
  const TempDir dir;
  EXPECT_TRUE(ScanFiles({dir / "absent" / "*.bmp"}, true).empty());
  dir.write("s/a.bmp", "x");
  dir.write("s/b.bmp", "x");
  dir.write("s/c.txt", "x");
  // A link back to its own folder must neither hang nor list the folder's files twice.
  fs::create_directory_symlink(dir / "s", dir / "s" / "loop");
  int calls = 0;
  const auto found = ScanFiles({dir / "s" / "*.bmp"}, true, [&calls] { ++calls; });
  EXPECT_EQ(found.size(), 2u);
  EXPECT_EQ(calls, 2);  // once after every listed entry
  // A pattern whose folder is a file gives nothing.
  EXPECT_TRUE(ScanFiles({dir / "s" / "a.bmp" / "*"}, true).empty());
}

TEST(MatchesMask, WildcardsIgnoreCaseAndCountCharactersNotBytes) {
  EXPECT_TRUE(matchesMask("Oak.JPG", "*.jpg"));
  EXPECT_TRUE(matchesMask("oak.jpg", "*.JPG"));
  EXPECT_TRUE(matchesMask(".jpg", "*.jpg"));
  EXPECT_FALSE(matchesMask("oak.jpeg", "*.jpg"));
  EXPECT_FALSE(matchesMask("oak.jpg.txt", "*.jpg"));
  EXPECT_TRUE(matchesMask("a.bmp", "?.bmp"));
  EXPECT_FALSE(matchesMask("ab.bmp", "?.bmp"));
  EXPECT_FALSE(matchesMask(".bmp", "?.bmp"));
  EXPECT_TRUE(matchesMask("\xC3\xA9.bmp", "?.bmp"));               // é is one character
  EXPECT_TRUE(matchesMask("\xE2\x82\xAC\xC3\xA9.bmp", "??.bmp"));  // €é
  EXPECT_TRUE(matchesMask("a.b.c", "*.*"));
  EXPECT_TRUE(matchesMask("abcabd", "*ab?"));
  EXPECT_TRUE(matchesMask("anything", "*"));
  EXPECT_TRUE(matchesMask("", "*"));
  EXPECT_FALSE(matchesMask("", "?"));
}

TEST(BaseNameWithoutExtension, EitherSeparatorAndLastDot) {
  EXPECT_EQ(baseNameWithoutExtension("Shadows\\soft.bmp"), "soft");
  EXPECT_EQ(baseNameWithoutExtension("a/b\\c.d.bmp"), "c.d");
  EXPECT_EQ(baseNameWithoutExtension("plain"), "plain");
  EXPECT_EQ(baseNameWithoutExtension("dir.x/plain"), "plain");
  EXPECT_EQ(baseNameWithoutExtension(""), "");
}

TEST(FillTextureLists, EachPatternOverTheWholeTreeAndRelativeNames) {
  const TempDir dir;
  dir.write("Image Textures/b.jpg", "x");
  dir.write("Image Textures/a.png", "x");
  dir.write("Image Textures/sub/x.png", "x");
  DesignControls c;
  FillTextureLists(c, dir.path());
  EXPECT_EQ(c.cboFrameTexture.entries, (std::vector<std::string>{"a.png", "sub\\x.png", "b.jpg"}));
  EXPECT_EQ(c.cboFrameTexture.selected, 0);
  EXPECT_EQ(c.cboOuterMatteTexture.entries, c.cboFrameTexture.entries);
  EXPECT_EQ(c.cboInnerTexture.entries, c.cboFrameTexture.entries);
  EXPECT_EQ(c.cboOuterMatteTexture.selected, 0);
  EXPECT_EQ(c.cboInnerTexture.selected, 0);

  // The four kinds in their fixed order: png, gif, jpg, bmp; other files ignored.
  const TempDir order;
  for (const char* name : {"d.bmp", "c.jpg", "b.gif", "a.png", "e.tif"}) {
    order.write(std::string("Image Textures/") + name, "x");
  }
  FillTextureLists(c, order.path());
  EXPECT_EQ(c.cboInnerTexture.entries,
            (std::vector<std::string>{"a.png", "b.gif", "c.jpg", "d.bmp"}));

  // No texture folder: three empty lists without a selection, old entries gone.
  const TempDir none;
  FillTextureLists(c, none.path());
  for (const ChoiceList* list : {&c.cboFrameTexture, &c.cboOuterMatteTexture, &c.cboInnerTexture}) {
    EXPECT_TRUE(list->entries.empty());
    EXPECT_EQ(list->selected, -1);
  }
}

TEST(FillShadowList, NoneFirstThenNamesWithoutExtension) {
  const TempDir dir;
  DesignControls c;
  c.cboShadow = {{"old"}, 0};
  FillShadowList(c, dir.path());  // no folder
  EXPECT_EQ(c.cboShadow.entries, std::vector<std::string>{"<none>"});
  EXPECT_EQ(c.cboShadow.selected, 0);
  fs::create_directories(dir / "Shadows");
  FillShadowList(c, dir.path());  // empty folder
  EXPECT_EQ(c.cboShadow.entries, std::vector<std::string>{"<none>"});

  dir.write("Shadows/soft.BMP", "x");
  dir.write("Shadows/readme.txt", "x");
  dir.write("Shadows/sub/deep.bmp", "x");  // not scanned: this folder only
  FillShadowList(c, dir.path());
  EXPECT_EQ(c.cboShadow.entries, (std::vector<std::string>{"<none>", "soft"}));
  EXPECT_EQ(c.cboShadow.selected, 0);
}

TEST(FillStyleList, StoredIndexSelectsOrNothing) {
  const TempDir dir;
  DesignControls c;
  FillStyleList(c, dir.path(), 0);
  EXPECT_TRUE(c.cboFrame.entries.empty());
  EXPECT_EQ(c.cboFrame.selected, -1);

  dir.write("Image Styles/One.txt", "");
  dir.write("Image Styles/Two.txt", "");
  dir.write("Image Styles/Three.ini", "");
  FillStyleList(c, dir.path(), 3);
  EXPECT_EQ(c.cboFrame.entries.size(), 2u);
  EXPECT_EQ(c.cboFrame.selected, -1);
  FillStyleList(c, dir.path(), -1);
  EXPECT_EQ(c.cboFrame.selected, -1);
  FillStyleList(c, dir.path(), 1);
  EXPECT_EQ(c.cboFrame.selected, 1);
  std::vector<std::string> expected;
  for (const std::string& name : readdirOrder(dir / "Image Styles")) {
    if (name.ends_with(".txt")) expected.push_back(name.substr(0, name.size() - 4));
  }
  EXPECT_EQ(c.cboFrame.entries, expected);
}

TEST(FillMaskList, BareNamesFromSubFolders) {
  const TempDir dir;
  DesignControls c;
  c.cboFrameMask = {{"Rounded Raised", "Flat"}, 1};
  FillMaskList(c, dir.path());
  EXPECT_TRUE(c.cboFrameMask.entries.empty());
  EXPECT_EQ(c.cboFrameMask.selected, -1);

  dir.write("Image Masks/Flat.bmp", "x");
  dir.write("Image Masks/Flat.ini", "x");
  dir.write("Image Masks/extra/Bead.bmp", "x");
  FillMaskList(c, dir.path());
  EXPECT_EQ(c.cboFrameMask.entries, (std::vector<std::string>{"Flat", "Bead"}));
  EXPECT_EQ(c.cboFrameMask.selected, 0);
}

}  // namespace
}  // namespace lumabord
