// The batch: destination questions, naming, the replace question, progress, Cancel and the
// orderly end after a failed photo.
#include "output/batch_output.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "fakes.h"
#include "output/output_names.h"
#include "support/temp_dir.h"

namespace lumabord {
namespace {

using testing::FakeEngine;
using testing::FakeProgress;
using testing::FakePrompts;
using testing::TempDir;
using Strings = std::vector<std::string>;
using Paths = std::vector<std::filesystem::path>;

// The main window's fields as the batch sees them.
struct Window {
  std::vector<std::filesystem::path> queue;
  Image workPhoto{800, 600, Rgb{255, 255, 255}};
  JpegOptions jpeg;
  FrameSpec spec;
  FakeEngine engine;
  BatchOutput batch{BatchModel{queue, workPhoto, jpeg, [this] { return spec; }}, engine};
};

// Width and height stored in a BMP file's header.
std::pair<int, int> bmpSize(const std::filesystem::path& path) {
  const std::string bytes = testing::readText(path);
  auto le32 = [&](size_t at) {
    return static_cast<int>(static_cast<uint8_t>(bytes[at]) |
                            static_cast<uint8_t>(bytes[at + 1]) << 8 |
                            static_cast<uint8_t>(bytes[at + 2]) << 16 |
                            static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
  };
  return {le32(18), le32(22)};
}

TEST(OutputNames, ExtensionIsReplacedByTheFormatKeyInTheFileNameOnly) {
  EXPECT_EQ(withFormatKey("/out/x.jpeg", "jpg"), "/out/x.jpg");
  EXPECT_EQ(withFormatKey("/out/x", "jpg"), "/out/x.jpg");
  EXPECT_EQ(withFormatKey("/out/x.png", "bmp"), "/out/x.bmp");
  EXPECT_EQ(withFormatKey("/my.photos/x", "tif"), "/my.photos/x.tif");
  EXPECT_EQ(withFormatKey("/out/a.b.c", "jpg"), "/out/a.b.jpg");
  EXPECT_EQ(outputPath("/out/x.png", "/photos/beach.tif", 1, "bmp"), "/out/x.bmp");
  EXPECT_EQ(outputPath("/out", "/A/a.jpg", 2, "jpg"), "/out/a.jpg");
  EXPECT_EQ(outputPath("/out", "/B.d/a.tif", 2, "jpg"), "/out/a.jpg");
  EXPECT_EQ(proposedFileName({}, "jpg"), "frame.jpg");
  EXPECT_EQ(proposedFileName({"/Photos/beach.tif"}, "bmp"), "beach.bmp");
  EXPECT_EQ(proposedFolder("", {"/A/a.jpg", "/B/b.jpg"}), "/B");
  EXPECT_EQ(proposedFolder("/Out", {"/A/a.jpg", "/B/b.jpg"}), "/Out");
  EXPECT_EQ(saveFilter("jpg"), "JPEG Image (*.jpg)|*.jpg");
  EXPECT_EQ(saveFilter("tif"), "TIFF Image (*.tif)|*.tif");
  EXPECT_EQ(saveFilter("bmp"), "BMP Image (*.bmp)|*.bmp");
  EXPECT_EQ(replaceQuestion("/Out/a.jpg"),
            "/Out/a.jpg already exists.\r\nDo you want to replace it?");
}

TEST(CreateFramedFiles, EmptyQueueAsJpegFramesTheBlankPhotoIntoFrameJpg) {
  TempDir dir;
  Window w;
  FakePrompts prompts;
  prompts.jpegAnswer = JpegOptions{55, false, true};
  prompts.fileAnswer = dir / "frame.jpg";
  FakeProgress progress;
  w.batch.CreateFramedFiles(OutputFormat::Jpeg, prompts, progress);

  EXPECT_EQ(prompts.log, (Strings{"jpeg options", "save frame.jpg"}));
  EXPECT_EQ(prompts.lastRequest.defaultExtension, "jpg");
  EXPECT_EQ(prompts.lastRequest.filter, "JPEG Image (*.jpg)|*.jpg");
  EXPECT_EQ(progress.log, (Strings{"begin 0", "1/1 ", "end"}));
  EXPECT_TRUE(w.queue.empty());
  EXPECT_TRUE(w.engine.loads.empty());
  EXPECT_EQ(w.engine.composedEmptyQueue, std::vector<bool>{true});
  EXPECT_EQ(w.engine.composedPhotoSizes.at(0), (Size{800, 600}));
  EXPECT_EQ(w.engine.written, (Paths{dir / "frame.jpg"}));
  EXPECT_EQ(w.engine.writtenOptions.at(0).quality, 55);
  EXPECT_FALSE(w.jpeg.progressive);
  EXPECT_EQ(bmpSize(dir / "frame.jpg"), std::make_pair(800, 600));
}

TEST(CreateFramedFiles, OnePhotoProposesItsNameAndWritesTheTypedNameWithTheKey) {
  TempDir dir;
  Window w;
  w.queue = {"/Photos/beach.tif"};
  w.spec.OutputWidth = 30;
  w.spec.OutputHeight = 20;
  FakePrompts prompts;
  prompts.fileAnswer = dir / "x.png";
  FakeProgress progress;
  w.batch.CreateFramedFiles(OutputFormat::Bmp, prompts, progress);

  EXPECT_EQ(prompts.log, (Strings{"save beach.bmp"}));
  EXPECT_EQ(prompts.lastRequest.filter, "BMP Image (*.bmp)|*.bmp");
  EXPECT_EQ(w.engine.written, (Paths{dir / "x.bmp"}));
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
  // The 30 x 20 output: rows of 90 bytes padded to 92, blue, green, red of the photo's colour.
  const std::string bytes = testing::readText(dir / "x.bmp");
  ASSERT_EQ(bytes.size(), 54u + 92u * 20u);
  EXPECT_EQ(bmpSize(dir / "x.bmp"), std::make_pair(30, 20));
  EXPECT_EQ(bytes.substr(54, 6), std::string("\x40\x80\x09\x40\x80\x09", 6));
  EXPECT_EQ(bytes.substr(54 + 90, 2), std::string("\0\0", 2));
  EXPECT_EQ(w.workPhoto.width(), 800) << "the photo is framed as it decodes, never held whole";
}

TEST(WriteFramedFiles, KeepingTheLastPhotoInTheWorkPhotoWritesTheSameFiles) {
  const Paths queue{"/Photos/a.jpg", "/Photos/bb.jpg"};
  JpegOptions jpeg;
  FrameSpec spec;
  spec.OutputWidth = 45;
  spec.OutputHeight = 45;
  std::string files[2];
  for (const bool keep : {false, true}) {
    TempDir dir;
    FakeEngine engine;
    engine.sizes["bb.jpg"] = {50, 20};
    Image workPhoto;
    size_t workIndex = 7;
    BatchOutput batch({queue, workPhoto, jpeg, [&] { return spec; }, keep, &workIndex}, engine);
    FakeProgress progress;
    batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, progress);
    files[keep] = testing::readText(dir / "a.bmp") + testing::readText(dir / "bb.bmp");
    if (keep) {
      ASSERT_EQ(workPhoto.width(), 50);
      EXPECT_EQ(workPhoto.height(), 20);
      EXPECT_EQ(workPhoto.pixel(49, 19), (Rgb{6, 0x80, 0x40}));
      EXPECT_EQ(workIndex, 1u);  // the queue strip marks bb.jpg
    } else {
      EXPECT_TRUE(workPhoto.empty());
      EXPECT_EQ(workIndex, 7u);
    }
  }
  EXPECT_EQ(files[0], files[1]);
  EXPECT_NE(files[0].find(std::string("\x40\x80\x06", 3)), std::string::npos);
}

TEST(CreateFramedFiles, CancelInEachDialogStopsWithNothingWritten) {
  Window w;
  FakeProgress progress;
  FakePrompts cancelOptions;
  w.batch.CreateFramedFiles(OutputFormat::Jpeg, cancelOptions, progress);
  EXPECT_EQ(cancelOptions.log, (Strings{"jpeg options"}));
  EXPECT_EQ(w.jpeg.quality, 80);
  EXPECT_TRUE(w.jpeg.progressive);

  // OK in the options, then Cancel in the save dialog: the new options stay.
  FakePrompts cancelSave;
  cancelSave.jpegAnswer = JpegOptions{30, true, false};
  w.batch.CreateFramedFiles(OutputFormat::Jpeg, cancelSave, progress);
  EXPECT_EQ(cancelSave.log, (Strings{"jpeg options", "save frame.jpg"}));
  EXPECT_EQ(w.jpeg.quality, 30);

  w.queue = {"/A/a.jpg", "/B/b.jpg"};
  FakePrompts cancelFolder;
  w.batch.CreateFramedFiles(OutputFormat::Tiff, cancelFolder, progress);
  EXPECT_EQ(cancelFolder.log, (Strings{"folder /B"}));
  EXPECT_TRUE(w.batch.lastOutputFolder().empty());
  EXPECT_TRUE(progress.log.empty());
  EXPECT_TRUE(w.engine.written.empty());
}

TEST(CreateFramedFiles, TheFolderConfirmedInOneBatchIsProposedInTheNext) {
  TempDir dir;
  Window w;
  w.queue = {"/A/a.jpg", "/B/b.jpg"};
  FakeProgress progress;
  FakePrompts first;
  first.folderAnswer = dir.path();
  w.batch.CreateFramedFiles(OutputFormat::Bmp, first, progress);
  EXPECT_EQ(first.lastProposedFolder, "/B");
  EXPECT_EQ(w.engine.written, (Paths{dir / "a.bmp", dir / "b.bmp"}));

  FakePrompts second;
  w.batch.CreateFramedFiles(OutputFormat::Bmp, second, progress);
  EXPECT_EQ(second.lastProposedFolder, dir.path());
}

TEST(WriteFramedFiles, PhotosOfEqualBaseNameMeetTheReplaceQuestion) {
  TempDir dir;
  Window w;
  w.queue = {"/A/a.jpg", "/B/a.tif"};
  FakeProgress progress;
  progress.answers = {ReplaceAnswer::No};
  const BatchSummary summary = w.batch.WriteFramedFiles(dir.path(), OutputFormat::Jpeg, progress);

  EXPECT_EQ(progress.log, (Strings{"begin 2", "1/2 a.jpg", "2/2 a.tif", "ask a.jpg", "end"}));
  EXPECT_EQ(progress.questions,
            (Strings{(dir / "a.jpg").string() + " already exists.\r\nDo you want to replace it?"}));
  EXPECT_EQ(w.engine.written, (Paths{dir / "a.jpg"}));
  EXPECT_EQ(summary.written, 1);
  EXPECT_EQ(summary.skipped, 1);
  EXPECT_EQ(w.queue, (Paths{"/A/a.jpg", "/B/a.tif"}));
}

TEST(WriteFramedFiles, WritingOverTheSourcePhotosAsksForEachAndReplacesOnYes) {
  TempDir dir;
  const auto a = dir.write("a.jpg", "original a");
  const auto b = dir.write("b.jpg", "original b");
  Window w;
  w.queue = {a, b};
  FakeProgress progress;
  progress.answers = {ReplaceAnswer::Yes, ReplaceAnswer::No};
  w.batch.WriteFramedFiles(dir.path(), OutputFormat::Jpeg, progress);
  EXPECT_EQ(progress.log,
            (Strings{"begin 2", "1/2 a.jpg", "ask a.jpg", "2/2 b.jpg", "ask b.jpg", "end"}));
  EXPECT_EQ(bmpSize(a), std::make_pair(60, 50));
  EXPECT_EQ(testing::readText(b), "original b");
}

TEST(WriteFramedFiles, YesToAllSilencesTheQuestionForTheRestOfThisBatchOnly) {
  TempDir dir;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) dir.write(name, "old");
  Window w;
  w.queue = {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"};
  FakeProgress first;
  first.answers = {ReplaceAnswer::YesToAll};
  w.batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, first);
  EXPECT_EQ(first.questions.size(), 1u);
  EXPECT_EQ(w.engine.written.size(), 3u);

  FakeProgress second;
  second.answers = {ReplaceAnswer::No, ReplaceAnswer::No, ReplaceAnswer::No};
  w.batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, second);
  EXPECT_EQ(second.questions.size(), 3u);
  EXPECT_EQ(w.engine.written.size(), 3u);
  EXPECT_EQ(w.engine.prepared, 2) << "the engine reads the assets ahead once per batch";
}

TEST(WriteFramedFiles, OnePhotoAsksAgainOnlyWhenTheWrittenNameDiffersFromTheConfirmedOne) {
  TempDir dir;
  dir.write("x.jpg", "old");
  Window w;
  w.queue = {"/p/beach.jpg"};
  FakeProgress confirmedSame;
  w.batch.WriteFramedFiles(dir / "x.jpg", OutputFormat::Jpeg, confirmedSame, dir / "x.jpg");
  EXPECT_TRUE(confirmedSame.questions.empty());
  EXPECT_EQ(w.engine.written.size(), 1u);

  FakeProgress confirmedOther;
  confirmedOther.answers = {ReplaceAnswer::No};
  w.batch.WriteFramedFiles(dir / "x.jpeg", OutputFormat::Jpeg, confirmedOther, dir / "x.jpeg");
  EXPECT_EQ(confirmedOther.log, (Strings{"begin 1", "1/1 beach.jpg", "ask x.jpg", "end"}));
  EXPECT_EQ(w.engine.written.size(), 1u);
}

TEST(WriteFramedFiles, TheBoxIsReadForEveryPhotoAndAZeroSideCountsAsOne) {
  TempDir dir;
  Window w;
  w.queue = {"/p/a.jpg", "/p/b.jpg"};
  w.engine.sizes["b.jpg"] = {100, 70};
  w.spec.OutputWidth = 0;
  w.spec.OutputHeight = -5;
  FakeProgress progress;
  int photo = 0;
  BatchOutput batch({w.queue, w.workPhoto, w.jpeg,
                     [&] {
                       FrameSpec spec = w.spec;
                       // The first call is the design of the whole batch, then one per photo.
                       if (photo++ == 2) spec.OutputWidth = 500, spec.OutputHeight = 400;
                       return spec;
                     }},
                    w.engine);
  batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, progress);
  EXPECT_EQ(w.engine.fitCalls,
            (std::vector<std::vector<int>>{{60, 50, 1, 1}, {120, 90, 500, 400}}));
}

TEST(WriteFramedFiles, CancelBetweenPhotosFinishesThePhotoInHand) {
  TempDir dir;
  Window w;
  for (int i = 1; i <= 10; ++i) w.queue.push_back("/p/" + std::to_string(i) + ".jpg");
  FakeProgress progress;
  progress.cancelAfterStep = 3;  // pressed while photo 3 is written
  const BatchSummary summary = w.batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, progress);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(w.engine.written, (Paths{dir / "1.bmp", dir / "2.bmp", dir / "3.bmp"}));
  EXPECT_EQ(bmpSize(dir / "3.bmp"), std::make_pair(60, 50));
  EXPECT_EQ(progress.log.back(), "end");
  EXPECT_FALSE(w.batch.running());
}

TEST(WriteFramedFiles, AFailedPhotoEndsTheBatchInOrderAndKeepsEarlierFiles) {
  TempDir dir;
  Window w;
  w.queue = {"/p/1.jpg", "/p/2.jpg", "/p/3bad.xyz", "/p/4.jpg"};
  FakeProgress progress;
  try {
    w.batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, progress);
    FAIL() << "no error";
  } catch (const Error& e) {
    // Named by the batch, since the reader's text does not say which photo it was.
    EXPECT_STREQ(e.what(), "/p/3bad.xyz: Unknown picture file extension (.xyz)");
  }
  EXPECT_EQ(progress.log, (Strings{"begin 4", "1/4 1.jpg", "2/4 2.jpg", "end"}));
  EXPECT_EQ(w.engine.written, (Paths{dir / "1.bmp", dir / "2.bmp"}));
  EXPECT_FALSE(std::filesystem::exists(dir / "4.bmp"));
  EXPECT_EQ(w.engine.loads, (Strings{"1.jpg", "2.jpg", "3bad.xyz"}));
  EXPECT_FALSE(w.batch.running());

  // A folder that cannot take the file stops the batch with the writer's message.
  FakeProgress missing;
  w.queue = {"/p/1.jpg", "/p/2.jpg"};
  try {
    w.batch.WriteFramedFiles(dir / "no such folder", OutputFormat::Bmp, missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file " + (dir / "no such folder" / "1.bmp").string());
  }
  EXPECT_EQ(missing.log, (Strings{"begin 2", "1/2 1.jpg", "end"}));
}

TEST(WriteFramedFiles, AnEmptyPictureIsAnErrorNotThePreviousPhotoUnderANewName) {
  TempDir dir;
  Window w;
  w.queue = {"/p/a.jpg", "/p/empty.jpg"};
  w.engine.sizes["empty.jpg"] = {0, 0};
  FakeProgress progress;
  EXPECT_THROW(w.batch.WriteFramedFiles(dir.path(), OutputFormat::Bmp, progress), Error);
  EXPECT_EQ(w.engine.written, (Paths{dir / "a.bmp"}));
}

TEST(StandardFrameEngine, OutputSizesFollowFitWithin) {
  StandardFrameEngine engine("/nowhere");
  // Exact integer fitting: a photo that fits the box's proportions fills it.
  EXPECT_EQ(engine.fitWithin(1200, 900, 800, 600), (Size{800, 600}));
  EXPECT_EQ(engine.fitWithin(1000, 700, 800, 600), (Size{800, 560}));
  EXPECT_EQ(engine.fitWithin(640, 480, 800, 600), (Size{640, 480}));
}

}  // namespace
}  // namespace lumabord
