// The queue strip's edits, dropped folders, and undo and redo of the design.
#include <gtest/gtest.h>

#include <fstream>

#include "app/queue_order.h"
#include "app_env.h"
#include "model_fakes.h"

namespace lumabord {
namespace {

using testing::AppEnvironment;
using testing::ModelRig;

struct StripRig : ModelRig {
  StripRig() {
    loader.sizes = {{"/q/a.jpg", {40, 30}}, {"/q/b.jpg", {50, 30}}, {"/q/c.jpg", {60, 30}}};
    model.FormCreate({});
    model.FormActivate();
    model.AddPhotos({"/q/a.jpg", "/q/b.jpg", "/q/c.jpg"});
    renderer.renders = 0;
  }
};

TEST(QueueStrip, EditsKeepTheWorkingPhotoAndRenderOnlyWhenItChanges) {
  using Edit = std::function<void(MainModel&)>;
  struct Row {
    const char* name;
    Edit edit;
    std::vector<std::string> queue;
    size_t workIndex;
    int photoWidth;
    int renders;
  };
  const Row rows[] = {
      {"show the third",
       [](MainModel& m) { m.ShowQueuedPhoto(2); },
       {"/q/a.jpg", "/q/b.jpg", "/q/c.jpg"},
       2,
       60,
       1},
      {"show past the end",
       [](MainModel& m) { m.ShowQueuedPhoto(3); },
       {"/q/a.jpg", "/q/b.jpg", "/q/c.jpg"},
       0,
       40,
       0},
      {"remove before the working photo",
       [](MainModel& m) {
         m.ShowQueuedPhoto(2);
         m.RemoveQueued({0, 0, 7});
       },
       {"/q/b.jpg", "/q/c.jpg"},
       1,
       60,
       1},
      {"remove the working photo",
       [](MainModel& m) {
         m.ShowQueuedPhoto(1);
         m.RemoveQueued({1, 2});
       },
       {"/q/a.jpg"},
       0,
       40,
       2},
      {"remove all",
       [](MainModel& m) {
         m.RemoveQueued({2, 1, 0});
       },
       {},
       0,
       800,
       1},
      {"reorder follows the working photo",
       [](MainModel& m) {
         m.ShowQueuedPhoto(1);
         m.ReorderQueue({2, 1, 0});
         m.ReorderQueue({1, 0, 2});
       },
       {"/q/b.jpg", "/q/c.jpg", "/q/a.jpg"},
       0,
       50,
       1},
      {"not a permutation",
       [](MainModel& m) {
         m.ReorderQueue({0, 0, 1});
       },
       {"/q/a.jpg", "/q/b.jpg", "/q/c.jpg"},
       0,
       40,
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AppEnvironment env;
    StripRig rig;
    row.edit(rig.model);
    EXPECT_EQ(rig.model.Queue, row.queue);
    EXPECT_EQ(rig.model.WorkIndex, row.workIndex);
    EXPECT_EQ(rig.model.WorkPhoto.width(), row.photoWidth);
    EXPECT_EQ(rig.model.QueueTitle, "Total Files to Frame: " + std::to_string(row.queue.size()));
    EXPECT_EQ(rig.renderer.renders, row.renders);
  }
}

TEST(QueueStrip, ShowingAPhotoAppliesTheOutputSizeRule) {
  AppEnvironment env;
  StripRig rig;
  rig.loader.sizes["/q/big.jpg"] = {3000, 20};
  rig.model.AddPhotos({"/q/x.jpg", "/q/big.jpg"});  // appended; the head stays
  rig.model.ShowQueuedPhoto(3);                     // unreadable: error, nothing rendered
  EXPECT_EQ(rig.view.errors, std::vector<std::string>{"Cannot open file /q/x.jpg"});
  rig.model.ShowQueuedPhoto(4);
  EXPECT_EQ(rig.model.controls.txtWidth, 3000);
  EXPECT_EQ(rig.model.controls.txtHeight, 30);
  EXPECT_EQ(rig.renderer.lastPhotoWidth, 3000);
}

TEST(DroppedFiles, FoldersQueueTheirPicturesByNameAndStylesAreSeparate) {
  AppEnvironment env;
  const std::filesystem::path folder = env.dir() / "drop";
  std::filesystem::create_directories(folder / "sub");
  for (const char* name : {"b.jpg", "A.TIF", "c.bmp", "notes.doc", "a.png", "sub/z.jpg"}) {
    std::ofstream(folder / name) << "x";
  }
  std::ofstream(env.dir() / "Walnut.txt") << "[FRAME0]\r\n";
  std::ofstream(env.dir() / "single.jpg") << "x";
  const DroppedFiles dropped = sortDroppedFiles(
      {env.dir() / "single.jpg", folder, env.dir() / "Walnut.txt", env.dir() / "missing.jpg"});
  const std::string f = folder.string() + "/";
  EXPECT_EQ(dropped.photos,
            (std::vector<std::string>{(env.dir() / "single.jpg").string(), f + "A.TIF", f + "a.png",
                                      f + "b.jpg", f + "c.bmp"}));
  EXPECT_EQ(dropped.styles, std::vector<std::filesystem::path>{env.dir() / "Walnut.txt"});
}

TEST(DesignUndo, UndoAfterAStyleChangeRestoresEveryControlAndRedoReturns) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  rig.model.FormActivate();
  rig.model.controls.cboFrameColor = 0x123456;
  rig.model.controls.txtInnerWidth = 7;
  rig.model.settings.ShadowSize = 4;
  rig.model.txtInnerWidthKeyUp();
  const DesignControls before = rig.model.controls;
  const DesignSettings beforeSettings = rig.model.settings;

  rig.model.controls.cboFrame.selected = 1;  // the style sets the left width to 33
  rig.model.controls.rdoFrame2 = false;
  rig.model.controls.cboShadow.selected = 1;
  rig.model.settings.ShadowColor = 0xABCDEF;
  rig.model.cboFrameChange();
  const DesignControls after = rig.model.controls;
  rig.model.controls.txtWidth = 1234;  // the output size is no part of the design

  const int renders = rig.renderer.renders;
  rig.model.Undo();
  DesignControls expected = before;
  expected.txtWidth = 1234;
  EXPECT_EQ(rig.model.controls, expected);
  EXPECT_EQ(rig.model.settings, beforeSettings);
  EXPECT_EQ(rig.renderer.renders, renders + 1);
  EXPECT_EQ(rig.renderer.lastSpec.InnerWidth, 7);

  rig.model.Redo();
  expected = after;
  expected.txtWidth = 1234;
  EXPECT_EQ(rig.model.controls, expected);
  EXPECT_EQ(rig.model.settings.ShadowColor, 0xABCDEFu);
  rig.model.Redo();  // nothing further: no rendering
  EXPECT_EQ(rig.renderer.renders, renders + 2);
}

TEST(DesignUndo, KeepsTheLastStepsAndANewChangeDropsTheRedoSteps) {
  DesignHistory history(100);
  DesignState state;
  for (int width = 0; width <= 150; ++width) {
    state.controls.txtInnerWidth = width;
    history.record(state);
    history.record(state);  // the same design again is no step
  }
  int undone = 0;
  std::optional<DesignState> back;
  while (const auto step = history.undo()) {
    back = step;
    ++undone;
  }
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(back->controls.txtInnerWidth, 50);
  ASSERT_TRUE(history.redo());
  state.controls.txtInnerWidth = 999;
  history.record(state);
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.undo()->controls.txtInnerWidth, 51);
}

}  // namespace
}  // namespace lumabord
