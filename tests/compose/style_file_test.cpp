// Style files: the writer's exact bytes, the reader's rules and order, name cleaning and the
// Add, Del and Save operations.
#include "compose/style_file.h"
#include "compose/style_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "compose/color.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;
using testing::readText;
using testing::TempDir;

// Controls with every list filled the way the asset fillers fill them.
DesignControls filledControls() {
  DesignControls c;
  c.cboFrame = {{"Classic", "Modern", "Third"}, 0};
  c.cboFrameMask = {{"Rounded Raised", "Flat", "Bead"}, 0};
  c.cboShadow = {{"<none>", "soft", "medium", "hard"}, 0};
  const std::vector<std::string> textures = {"marble.jpg", "Wood\\oak.jpg", "Wood\\Walnut.jpg",
                                             "Matte\\linen.png"};
  c.cboFrameTexture = {textures, 0};
  c.cboOuterMatteTexture = {textures, 0};
  c.cboInnerTexture = {textures, 0};
  return c;
}

fs::path styleFile(const TempDir& dir, const std::string& name) {
  return dir / "Image Styles" / (name + ".txt");
}

std::string errorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(WriteStyle, ExactlyTheTwentyOneLinesWithCrLf) {
  const TempDir dir;
  DesignControls c = filledControls();
  c.cboFrame.selected = 1;
  c.cboFrameColor = 0x2F4F6F;
  c.cboFrameMask.selected = 2;
  c.cboFrameTexture.selected = 1;
  c.rdoFrame2 = false;
  c.cboShadow.selected = 2;
  c.cboOuterMatteColor = kClWhite;
  c.cboOuterMatteTexture.selected = 3;
  c.rdoOuterMatte2 = true;
  c.txtLeft = 0;
  c.txtRight = -12;
  c.txtTop = 150;
  c.txtBottom = 2147483647;
  c.cboInnerColor = 0x8000000F;  // a system colour by its identifier
  c.txtInnerWidth = 14;
  c.cboInnerTexture.selected = 0;
  c.rdoInnerMatte2 = false;
  WriteStyle(c, dir.path());
  EXPECT_EQ(readText(styleFile(dir, "Modern")),
            "[FRAME0]\r\n"
            "COLOR=$002F4F6F\r\n"
            "MASK=Bead.bmp\r\n"
            "TEXTURE=Wood\\oak.jpg\r\n"
            "SELECTED=1\r\n"
            "DROPSHADOW=Shadows\\medium.bmp\r\n"
            "\r\n"
            "[OUTERMATTE0]\r\n"
            "COLOR=clWhite\r\n"
            "TEXTURE=Matte\\linen.png\r\n"
            "SELECTED=2\r\n"
            "LEFT=0\r\n"
            "RIGHT=-12\r\n"
            "TOP=150\r\n"
            "BOTTOM=2147483647\r\n"
            "\r\n"
            "[INNERMATTE0]\r\n"
            "COLOR=clBtnFace\r\n"
            "WIDTH=14\r\n"
            "TEXTURE=marble.jpg\r\n"
            "SELECTED=1\r\n");

  // "<none>" writes the empty form; a named file replaces the old one; entries written with
  // "/" are stored with "\"; nothing but the target is left in the folder.
  c.cboShadow.selected = 0;
  c.cboFrameTexture = {{"Wood/oak.jpg"}, 0};
  WriteStyle(c, dir.path(), "Modern");
  const std::string text = readText(styleFile(dir, "Modern"));
  EXPECT_NE(text.find("\r\nTEXTURE=Wood\\oak.jpg\r\nSELECTED=1\r\nDROPSHADOW=\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Image Styles"), fs::directory_iterator()),
            1);
  // Empty lists write empty values rather than failing.
  DesignControls bare;
  WriteStyle(bare, dir.path(), "Bare");
  EXPECT_NE(readText(styleFile(dir, "Bare")).find("MASK=.bmp\r\nTEXTURE=\r\n"), std::string::npos);
}

TEST(WriteStyle, RefusesWithoutANameAndReportsUnwritableFolders) {
  const TempDir dir;
  DesignControls c = filledControls();
  c.cboFrame.selected = -1;
  EXPECT_EQ(errorText([&] { WriteStyle(c, dir.path()); }),
            "No frame style is selected, so the design cannot be saved");
  EXPECT_FALSE(fs::exists(styleFile(dir, "")));
  // The style folder is a file: the write fails with a message, nothing is created.
  dir.write("blocked/Image Styles", "not a folder");
  c.cboFrame.selected = 0;
  EXPECT_NE(errorText([&] { WriteStyle(c, dir / "blocked"); }), "(no error)");
  EXPECT_EQ(readText(dir / "blocked" / "Image Styles"), "not a folder");
}

// Sets every field of the 21 lines to a value other than filledControls' defaults.
DesignControls designedControls(bool colours) {
  DesignControls c = filledControls();
  c.cboFrame.selected = 2;
  c.cboFrameColor = 0x123456;
  c.cboFrameMask.selected = 1;
  c.cboFrameTexture.selected = 2;
  c.rdoFrame2 = !colours;
  c.cboShadow.selected = 3;
  c.cboOuterMatteColor = 0x80000005;
  c.cboOuterMatteTexture.selected = 1;
  c.rdoOuterMatte2 = !colours;
  c.txtLeft = 11;
  c.txtRight = -22;
  c.txtTop = 33;
  c.txtBottom = -44;
  c.cboInnerColor = kClNone;
  c.txtInnerWidth = 55;
  c.cboInnerTexture.selected = 3;
  c.rdoInnerMatte2 = !colours;
  return c;
}

void expectSameDesign(const DesignControls& a, const DesignControls& b) {
  EXPECT_EQ(a.cboFrameColor, b.cboFrameColor);
  EXPECT_EQ(a.cboFrameMask.selected, b.cboFrameMask.selected);
  EXPECT_EQ(a.cboFrameTexture.selected, b.cboFrameTexture.selected);
  EXPECT_EQ(a.rdoFrame2, b.rdoFrame2);
  EXPECT_EQ(a.cboShadow.selected, b.cboShadow.selected);
  EXPECT_EQ(a.cboOuterMatteColor, b.cboOuterMatteColor);
  EXPECT_EQ(a.cboOuterMatteTexture.selected, b.cboOuterMatteTexture.selected);
  EXPECT_EQ(a.rdoOuterMatte2, b.rdoOuterMatte2);
  EXPECT_EQ(a.txtLeft, b.txtLeft);
  EXPECT_EQ(a.txtRight, b.txtRight);
  EXPECT_EQ(a.txtTop, b.txtTop);
  EXPECT_EQ(a.txtBottom, b.txtBottom);
  EXPECT_EQ(a.cboInnerColor, b.cboInnerColor);
  EXPECT_EQ(a.txtInnerWidth, b.txtInnerWidth);
  EXPECT_EQ(a.cboInnerTexture.selected, b.cboInnerTexture.selected);
  EXPECT_EQ(a.rdoInnerMatte2, b.rdoInnerMatte2);
}

TEST(ReadStyle, RestoresEveryWrittenFieldDropShadowIncluded) {
  for (const bool colours : {true, false}) {
    const TempDir dir;
    const DesignControls written = designedControls(colours);
    WriteStyle(written, dir.path());
    DesignControls read = filledControls();
    read.cboFrame.selected = 2;
    read.rdoFrame2 = colours;  // the opposite of the stored options
    read.rdoOuterMatte2 = colours;
    read.rdoInnerMatte2 = colours;
    ReadStyle(read, dir.path());
    expectSameDesign(read, written);
    EXPECT_EQ(read.cboShadow.text(), "hard");
  }
}

// Reads text as the selected style's file and returns the controls afterwards.
DesignControls readFrom(const std::string& text, DesignControls c = filledControls()) {
  const TempDir dir;
  dir.write("Image Styles/" + c.cboFrame.text() + ".txt", text);
  ReadStyle(c, dir.path());
  return c;
}

// The two matte sections with valid colours, for files about the frame section.
const std::string kMattes = "[OUTERMATTE0]\r\nCOLOR=0\r\n[INNERMATTE0]\r\nCOLOR=0\r\n";

TEST(ReadStyle, DropShadowByIndexByFileNameAndByShadowKey) {
  const auto shadowOf = [](const std::string& frameKeys) {
    return readFrom("[FRAME0]\r\n" + frameKeys + "COLOR=0\r\n" + kMattes).cboShadow.text();
  };
  EXPECT_EQ(shadowOf("DROPSHADOW=2\r\n"), "medium");  // an integer index
  EXPECT_EQ(shadowOf("DROPSHADOW=$3\r\n"), "hard");
  EXPECT_EQ(shadowOf("DROPSHADOW=9\r\n"), "<none>");  // past the end
  EXPECT_EQ(shadowOf("DROPSHADOW=-1\r\n"), "<none>");
  EXPECT_EQ(shadowOf("DROPSHADOW=\r\n"), "<none>");
  EXPECT_EQ(shadowOf(""), "<none>");
  EXPECT_EQ(shadowOf("DROPSHADOW=Shadows\\soft.bmp\r\n"), "soft");  // the writer's form
  EXPECT_EQ(shadowOf("DROPSHADOW=shadows/HARD.BMP\r\n"), "hard");
  EXPECT_EQ(shadowOf("DROPSHADOW=Shadows\\gone.bmp\r\n"), "<none>");
  EXPECT_EQ(shadowOf("SHADOW=C:\\x\\Shadows\\Medium.bmp\r\n"), "medium");
  // SHADOW, read second, wins over the index; an unknown SHADOW keeps the index.
  EXPECT_EQ(shadowOf("DROPSHADOW=1\r\nSHADOW=Shadows\\hard.bmp\r\n"), "hard");
  EXPECT_EQ(shadowOf("DROPSHADOW=1\r\nSHADOW=Shadows\\gone.bmp\r\n"), "soft");
  // A shadow list without entries stays without a selection.
  DesignControls empty = filledControls();
  empty.cboShadow.clear();
  EXPECT_EQ(readFrom("[FRAME0]\r\nDROPSHADOW=0\r\nCOLOR=0\r\n" + kMattes, empty).cboShadow.selected,
            -1);
}

TEST(ReadStyle, FrameTexturesIgnoreCaseMatteTexturesMustMatchExactly) {
  const DesignControls c = readFrom(
      "[FRAME0]\r\nCOLOR=0\r\nTEXTURE=WOOD\\OAK.JPG\r\nMASK=Image Masks\\BEAD.BMP\r\n"
      "[OUTERMATTE0]\r\nCOLOR=0\r\nTEXTURE=wood\\walnut.jpg\r\n"
      "[INNERMATTE0]\r\nCOLOR=0\r\nTEXTURE=Wood/Walnut.jpg\r\n");
  EXPECT_EQ(c.cboFrameTexture.text(), "Wood\\oak.jpg");
  EXPECT_EQ(c.cboFrameMask.text(), "Bead");
  EXPECT_EQ(c.cboOuterMatteTexture.selected, 0);            // case differs: entry 0
  EXPECT_EQ(c.cboInnerTexture.text(), "Wood\\Walnut.jpg");  // either separator

  DesignControls before = filledControls();
  before.cboFrameTexture.selected = 3;
  before.cboFrameMask.selected = 2;
  before.cboInnerTexture.clear();
  const DesignControls unknown = readFrom(
      "[FRAME0]\r\nCOLOR=0\r\nTEXTURE=teak.jpg\r\nMASK=Cove.bmp\r\n"
      "[OUTERMATTE0]\r\nCOLOR=0\r\n[INNERMATTE0]\r\nCOLOR=0\r\nTEXTURE=marble.jpg\r\n",
      before);
  EXPECT_EQ(unknown.cboFrameTexture.selected, 0);
  EXPECT_EQ(unknown.cboFrameMask.selected, 0);
  EXPECT_EQ(unknown.cboOuterMatteTexture.selected, 0);  // missing name: entry 0
  EXPECT_EQ(unknown.cboInnerTexture.selected, -1);      // an empty list stays unselected
}

TEST(ReadStyle, SelectedOutsideOneAndTwoLeavesTheOptions) {
  for (const char* value : {"0", "3", "-1", "x", ""}) {
    for (const bool before : {false, true}) {
      DesignControls c = filledControls();
      c.rdoFrame2 = c.rdoOuterMatte2 = c.rdoInnerMatte2 = before;
      const std::string sel = *value ? std::string("SELECTED=") + value + "\r\n" : "";
      c = readFrom("[FRAME0]\r\nCOLOR=0\r\n" + sel + "[OUTERMATTE0]\r\nCOLOR=0\r\n" + sel +
                       "[INNERMATTE0]\r\nCOLOR=0\r\n" + sel,
                   c);
      EXPECT_EQ(c.rdoFrame2, before) << value;
      EXPECT_EQ(c.rdoOuterMatte2, before) << value;
      EXPECT_EQ(c.rdoInnerMatte2, before) << value;
    }
  }
  const DesignControls mixed = readFrom(
      "[frame0]\r\ncolor=0\r\nselected=2\r\n[OUTERMATTE0]\r\nCOLOR=0\r\nSELECTED=1\r\n"
      "[INNERMATTE0]\r\nCOLOR=0\r\nSELECTED=$2\r\n");
  EXPECT_TRUE(mixed.rdoFrame2);
  EXPECT_FALSE(mixed.rdoOuterMatte2);
  EXPECT_TRUE(mixed.rdoInnerMatte2);
}

TEST(ReadStyle, BadColourFailsAfterTheEarlierKeysTookEffect) {
  DesignControls c = filledControls();
  c.cboOuterMatteColor = 0x111111;
  c.cboOuterMatteTexture.selected = 2;
  c.txtInnerWidth = 77;
  c.cboInnerColor = 0x222222;
  c.cboInnerTexture.selected = 2;
  c.rdoFrame2 = true;
  const TempDir dir;
  dir.write("Image Styles/Classic.txt",
            "[FRAME0]\r\nCOLOR=clRed\r\nMASK=Flat.bmp\r\nTEXTURE=marble.jpg\r\nSELECTED=1\r\n"
            "DROPSHADOW=Shadows\\soft.bmp\r\n\r\n"
            "[OUTERMATTE0]\r\nCOLOR=Burgundy\r\nTEXTURE=Wood\\oak.jpg\r\nSELECTED=1\r\n"
            "LEFT=-5\r\nRIGHT=6\r\nTOP=-7\r\nBOTTOM=$10\r\n\r\n"
            "[INNERMATTE0]\r\nCOLOR=clBlue\r\nWIDTH=9\r\nTEXTURE=marble.jpg\r\nSELECTED=1\r\n");
  EXPECT_EQ(errorText([&] { ReadStyle(c, dir.path()); }),
            "'Burgundy' is not a valid integer value");
  // Steps 1 to 6 applied...
  EXPECT_EQ(c.cboShadow.text(), "soft");
  EXPECT_EQ(c.cboFrameColor, 0x0000FFu);
  EXPECT_EQ(c.cboFrameMask.text(), "Flat");
  EXPECT_EQ(c.cboFrameTexture.text(), "marble.jpg");
  EXPECT_EQ(c.txtLeft, 0);  // the left field does not go below 0
  EXPECT_EQ(c.txtRight, 6);
  EXPECT_EQ(c.txtTop, -7);
  EXPECT_EQ(c.txtBottom, 16);
  // ...the failing colour and everything after it did not.
  EXPECT_EQ(c.cboOuterMatteColor, 0x111111u);
  EXPECT_EQ(c.cboOuterMatteTexture.selected, 2);
  EXPECT_EQ(c.txtInnerWidth, 77);
  EXPECT_EQ(c.cboInnerColor, 0x222222u);
  EXPECT_EQ(c.cboInnerTexture.selected, 2);
  EXPECT_TRUE(c.rdoFrame2);

  // An empty or missing COLOR fails the same way with two adjacent apostrophes; a missing
  // file is all missing keys, so it fails at the frame colour after the shadow was reset.
  c.cboShadow.selected = 3;
  dir.write("Image Styles/Classic.txt", "[FRAME0]\r\nCOLOR=  \r\n");
  EXPECT_EQ(errorText([&] { ReadStyle(c, dir.path()); }), "'' is not a valid integer value");
  EXPECT_EQ(c.cboShadow.selected, 0);
  c.cboFrame = {{"Nowhere"}, 0};
  c.cboShadow.selected = 3;
  EXPECT_EQ(errorText([&] { ReadStyle(c, dir.path()); }), "'' is not a valid integer value");
  EXPECT_EQ(c.cboShadow.selected, 0);
}

TEST(CleanStyleName, RemovesTheRefusedSetAndKeepsCharactersWhole) {
  EXPECT_EQ(CleanStyleName("My.Frame?"), "MyFrame");
  EXPECT_EQ(CleanStyleName("a\"b*c.d/e<f>g?h\\i|j"), "abcdefghij");
  EXPECT_EQ(CleanStyleName(std::string("t\0a\tb\nc\x1F"
                                       "d\x7F:e f",
                                       14)),
            "tabcd\x7F:e f");
  EXPECT_EQ(CleanStyleName("Walnut: 2 (old)"), "Walnut: 2 (old)");
  // Characters whose UTF-8 form holds the bytes 0x81, 0x8D, 0x90 or 0x9D stay whole.
  const std::string kept =
      "Caf\xC3\xA9 \xC4\x81\xD0\x81\xC3\x8D\xE2\x82\xAC\xE2\x80\x9D\xF0\x9F\x96\xBC";
  EXPECT_EQ(CleanStyleName(kept), kept);
  // The eight listed code points go; their neighbours U+0082 and U+009F stay.
  EXPECT_EQ(CleanStyleName("a\xC2\x80\xC2\x81\xC2\x8D\xC2\x8E\xC2\x8F\xC2\x90\xC2\x9D\xC2\x9E"
                           "b\xC2\x82\xC2\x9F"),
            "ab\xC2\x82\xC2\x9F");
  // Bytes that are no UTF-8 character go: stray continuation bytes, cut-off sequences,
  // overlong forms and surrogates; what follows them survives.
  EXPECT_EQ(CleanStyleName("a\x80"
                           "b\x9D"
                           "c\xC3"),
            "abc");
  EXPECT_EQ(CleanStyleName("x\xC0\xAF"
                           "y\xE0\x80\xAF"
                           "z\xED\xA0\x80!"),
            "xyz!");
  EXPECT_EQ(CleanStyleName("\xE2\x82"
                           "A"),
            "A");
  EXPECT_EQ(CleanStyleName("\xF4\x90\x80\x80"
                           "ok"),
            "ok");  // past U+10FFFF
  EXPECT_EQ(CleanStyleName("../.."), "");
}

class RecordingPrompts : public StylePrompts {
 public:
  std::optional<std::string> answer;
  bool yes = true;
  std::vector<std::string> log;

  std::optional<std::string> askText(const std::string& title, const std::string& prompt) override {
    log.push_back("ask " + title + ": " + prompt);
    return answer;
  }
  void message(const std::string& text) override { log.push_back("message " + text); }
  void warning(const std::string& text) override { log.push_back("warning " + text); }
  bool confirmYesNoCancel(const std::string& text) override {
    log.push_back("confirm " + text);
    return yes;
  }
};

TEST(AddStyle, CleansTheNameWritesACopyAndSelectsIt) {
  const TempDir dir;
  DesignControls c = designedControls(true);
  RecordingPrompts prompts;
  prompts.answer = "My.Frame?";
  EXPECT_TRUE(AddStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log,
            std::vector<std::string>{"ask New: Type in a Name for the new Frame Style"});
  EXPECT_EQ(c.cboFrame.entries.back(), "MyFrame");
  EXPECT_EQ(c.cboFrame.selected, 3);
  EXPECT_EQ(readText(styleFile(dir, "MyFrame")), StyleFileText(c));
  EXPECT_EQ(c.txtRight, -22);  // the design itself is unchanged

  // The same name again: the message, no change to list, selection or file.
  c.cboFrame.selected = 0;
  c.txtTop = 999;
  prompts.log.clear();
  prompts.answer = "MyFrame";
  const std::string before = readText(styleFile(dir, "MyFrame"));
  EXPECT_FALSE(AddStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log.back(), "message Duplicate style name, use a different name");
  EXPECT_EQ(c.cboFrame.entries.size(), 4u);
  EXPECT_EQ(c.cboFrame.selected, 0);
  EXPECT_EQ(readText(styleFile(dir, "MyFrame")), before);

  // Cancel does nothing; a name that cleans to nothing is refused and no ".txt" appears.
  prompts.answer.reset();
  EXPECT_FALSE(AddStyle(c, dir.path(), prompts));
  prompts.answer = "./?*";
  prompts.log.clear();
  EXPECT_FALSE(AddStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log.back(),
            "message A style name needs at least one character other than \" * . / < > ? \\ | "
            "and control characters, use a different name");
  EXPECT_FALSE(fs::exists(styleFile(dir, "")));
  EXPECT_EQ(c.cboFrame.entries.size(), 4u);

  // A name the file system cannot hold fails with a message naming the file, and the list
  // keeps its entries.
  prompts.answer = std::string(300, 'n');
  const std::string failure = errorText([&] { AddStyle(c, dir.path(), prompts); });
  EXPECT_NE(failure.find("Cannot create file"), std::string::npos) << failure;
  EXPECT_NE(failure.find(std::string(300, 'n') + ".txt"), std::string::npos) << failure;
  EXPECT_EQ(c.cboFrame.entries.size(), 4u);

  // A multi-byte name makes a file of that name.
  prompts.answer =
      "\xC3\x89"
      "b\xC3\xA8ne";
  EXPECT_TRUE(AddStyle(c, dir.path(), prompts));
  EXPECT_TRUE(fs::exists(styleFile(dir,
                                   "\xC3\x89"
                                   "b\xC3\xA8ne")));
}

TEST(DeleteStyle, WarnsOnTheLastStyleAndSelectsTheOneBefore) {
  const TempDir dir;
  DesignControls c = filledControls();
  c.cboFrame = {{"Only"}, 0};
  WriteStyle(c, dir.path());
  RecordingPrompts prompts;
  EXPECT_FALSE(DeleteStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log,
            std::vector<std::string>{
                "warning You can't delete this style because it is your default style"});
  EXPECT_TRUE(fs::exists(styleFile(dir, "Only")));

  c.cboFrame = {{"A", "B", "C", "D"}, 2};
  for (const char* name : {"A", "B", "C", "D"}) WriteStyle(c, dir.path(), name);
  prompts.log.clear();
  prompts.yes = false;
  EXPECT_FALSE(DeleteStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log, std::vector<std::string>{"confirm Are you sure you want to delete C?"});
  EXPECT_TRUE(fs::exists(styleFile(dir, "C")));
  EXPECT_EQ(c.cboFrame.entries.size(), 4u);

  prompts.yes = true;
  EXPECT_TRUE(DeleteStyle(c, dir.path(), prompts));
  EXPECT_FALSE(fs::exists(styleFile(dir, "C")));
  EXPECT_EQ(c.cboFrame.entries, (std::vector<std::string>{"A", "B", "D"}));
  EXPECT_EQ(c.cboFrame.selected, 1);

  // Deleting the first entry leaves nothing selected; a file already gone is not reported.
  c.cboFrame.selected = 0;
  fs::remove(styleFile(dir, "A"));
  prompts.log.clear();
  EXPECT_TRUE(DeleteStyle(c, dir.path(), prompts));
  EXPECT_EQ(prompts.log.size(), 1u);
  EXPECT_EQ(c.cboFrame.entries, (std::vector<std::string>{"B", "D"}));
  EXPECT_EQ(c.cboFrame.selected, -1);
  // With nothing selected there is nothing to delete.
  EXPECT_FALSE(DeleteStyle(c, dir.path(), prompts));
  EXPECT_EQ(c.cboFrame.entries.size(), 2u);
  EXPECT_TRUE(fs::exists(styleFile(dir, "B")));
}

TEST(SaveStyle, WritesTheSelectedStyleBetweenTheTwoStatusTexts) {
  const TempDir dir;
  DesignControls c = designedControls(false);
  std::vector<std::string> status;
  const ColorValue label = SaveStyle(c, dir.path(), [&](const std::string& s) {
    status.push_back(s + (fs::exists(styleFile(dir, "Third")) ? " (written)" : ""));
  });
  EXPECT_EQ(status, (std::vector<std::string>{"Status: Saving Style", "Status: Ready (written)"}));
  EXPECT_EQ(label, 0x808080u);
  EXPECT_EQ(readText(styleFile(dir, "Third")), StyleFileText(c));
}

TEST(ImportStyle, ADroppedStyleFileIsCheckedAskedAboutCopiedAndSelected) {
  const TempDir dir;
  const std::string walnut =
      "[FRAME0]\r\nCOLOR=clBlack\r\n[OUTERMATTE0]\r\nLEFT=40\r\n[INNERMATTE0]\r\nWIDTH=9\r\n";
  const fs::path source = dir.write("drop/Wal*nut.txt", walnut);
  const fs::path notes = dir.write("drop/notes.txt", "[FRAME0]\r\nCOLOR=clBlack\r\n");
  DesignControls c;
  c.cboFrame = {{"Classic"}, 0};
  RecordingPrompts prompts;
  EXPECT_THROW(
      {
        try {
          ImportStyle(c, dir.path(), notes, prompts);
        } catch (const Error& e) {
          EXPECT_EQ(std::string(e.what()), notes.string() + " is not a frame style file");
          throw;
        }
      },
      Error);
  prompts.yes = false;
  EXPECT_FALSE(ImportStyle(c, dir.path(), source, prompts));
  EXPECT_FALSE(fs::exists(styleFile(dir, "Walnut")));
  prompts.yes = true;
  EXPECT_TRUE(ImportStyle(c, dir.path(), source, prompts));
  EXPECT_EQ(readText(styleFile(dir, "Walnut")), walnut);
  EXPECT_EQ(c.cboFrame.entries, (std::vector<std::string>{"Classic", "Walnut"}));
  EXPECT_EQ(c.cboFrame.selected, 1);
  EXPECT_FALSE(ImportStyle(c, dir.path(), source, prompts));  // the name is taken now
  EXPECT_EQ(prompts.log,
            (std::vector<std::string>{"confirm Add the frame style Walnut to the style list?",
                                      "confirm Add the frame style Walnut to the style list?",
                                      "confirm Add the frame style Walnut to the style list?",
                                      "message Duplicate style name, use a different name"}));
  EXPECT_EQ(c.cboFrame.entries.size(), 2u);
}

}  // namespace
}  // namespace lumabord
