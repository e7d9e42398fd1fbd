// The photo queue, the working photo and exactly one render per re-rendering event.
#include <gtest/gtest.h>

#include "app_env.h"
#include "model_fakes.h"

namespace lumabord {
namespace {

using testing::AppEnvironment;
using testing::ModelRig;

struct ActiveRig : ModelRig {
  ActiveRig() {
    for (const char* p :
         {"/q/1.jpg", "/q/2.jpg", "/q/3.jpg", "/q/new.jpg", "/q/big.jpg", "/q/tall.jpg"}) {
      loader.sizes[p] = {40, 30};
    }
    loader.sizes["/q/big.jpg"] = {3000, 2000};
    loader.sizes["/q/tall.jpg"] = {1000, 2500};
    loader.sizes["/q/empty.jpg"] = {0, 0};
    model.FormCreate({});
    model.FormActivate();
    renderer.renders = 0;
  }
};

TEST(Queue, OneIntoThreeBecomesTheHeadSeveralAreAppended) {
  AppEnvironment env;
  ActiveRig rig;
  rig.model.AddPhotos({"/q/1.jpg", "/q/2.jpg", "/q/3.jpg"});
  EXPECT_EQ(rig.renderer.renders, 1);
  EXPECT_TRUE(rig.model.MRUFiles1.Items().empty());
  rig.model.AddPhotos({"/q/big.jpg"});
  EXPECT_EQ(rig.model.Queue.front(), "/q/big.jpg");
  EXPECT_EQ(rig.model.WorkPhoto.width(), 3000);
  EXPECT_EQ(rig.model.MRUFiles1.Items(), std::vector<std::string>{"/q/big.jpg"});
  rig.model.AddPhotos({"/q/1.jpg", "/q/1.jpg"});  // duplicates queue twice
  EXPECT_EQ(rig.model.Queue.size(), 6u);
  EXPECT_EQ(rig.model.WorkPhoto.width(), 3000);  // the old head stays in the preview
  EXPECT_EQ(rig.model.QueueTitle, "Total Files to Frame: 6");
  EXPECT_EQ(rig.renderer.renders, 3);
}

TEST(Queue, OutputSizeFollowsTheLargestPhotosAndClearRestoresIt) {
  AppEnvironment env;
  ActiveRig rig;
  rig.model.AddPhotos({"/q/big.jpg"});
  rig.model.AddPhotos({"/q/tall.jpg"});
  EXPECT_EQ(rig.model.controls.txtWidth, 3000);
  EXPECT_EQ(rig.model.controls.txtHeight, 2500);
  rig.model.AddPhotos({"/q/empty.jpg"});  // zero size: blank photo, fields stay
  EXPECT_EQ(rig.model.WorkPhoto.width(), 800);
  EXPECT_EQ(rig.model.controls.txtWidth, 3000);
  rig.model.cmdClearClick();
  EXPECT_TRUE(rig.model.Queue.empty());
  EXPECT_EQ(rig.model.controls.txtWidth, 800);
  EXPECT_EQ(rig.model.controls.txtHeight, 600);
  EXPECT_EQ(rig.model.MaxPhotoWidth, 0);
  EXPECT_EQ(rig.model.WorkPhoto.pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(rig.model.QueueTitle, "Total Files to Frame: 0");
  EXPECT_EQ(rig.renderer.renders, 4);
}

TEST(Queue, UnreadableHeadShowsTheErrorAndRendersNothing) {
  AppEnvironment env;
  ActiveRig rig;
  rig.model.AddPhotos({"/q/big.jpg"});
  rig.model.AddPhotos({"/q/broken.jpg"});
  EXPECT_EQ(rig.view.errors, std::vector<std::string>{"Cannot open file /q/broken.jpg"});
  EXPECT_EQ(rig.model.Queue.front(), "/q/broken.jpg");
  EXPECT_EQ(rig.renderer.renders, 1);
  EXPECT_EQ(rig.model.StatusText, "Status: Ready");
  EXPECT_FALSE(rig.view.busyChanges.back());
}

TEST(Queue, RecentFileOpensOnlyWhenItExists) {
  AppEnvironment env;
  ActiveRig rig;
  rig.model.OpenRecentFile("/q/1.jpg");  // not on disk
  EXPECT_EQ(rig.view.messages, std::vector<std::string>{"File does not exist"});
  EXPECT_TRUE(rig.model.Queue.empty());
  EXPECT_EQ(rig.renderer.renders, 0);
  const auto file = env.dir().write("real.jpg", "x");
  rig.loader.sizes[file.string()] = {10, 10};
  rig.model.OpenRecentFile(file.string());
  EXPECT_EQ(rig.model.Queue, std::vector<std::string>{file.string()});
  EXPECT_TRUE(rig.model.MRUFiles1.Items().empty());
  EXPECT_EQ(rig.renderer.renders, 1);
}

TEST(Preview, ActivatedOnlyEventsWaitForTheFirstActivation) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  rig.model.cboDesignChange("cboFrameColor");
  rig.model.cboFrameChange();
  rig.model.chkShadowOuterClick();
  rig.model.chkSignatureClick();
  rig.model.txtMarginKeyUp(false);
  rig.model.txtMarginExit();
  rig.view.color = 0x112233;
  rig.model.ShadowColorClick();
  EXPECT_EQ(rig.renderer.renders, 0);
  EXPECT_TRUE(rig.model.controls.rdoFrame2);
  rig.model.rdoMouseUp();
  rig.model.txtInnerWidthKeyUp();
  EXPECT_EQ(rig.renderer.renders, 2);
}

TEST(Preview, EveryEventRendersExactlyOnce) {
  AppEnvironment env;
  ActiveRig rig;
  MainModel& m = rig.model;
  auto count = [&](auto action) {
    const int before = rig.renderer.renders;
    action();
    return rig.renderer.renders - before;
  };
  EXPECT_EQ(count([&] { m.cboDesignChange("cboFrameColor"); }), 1);
  EXPECT_FALSE(m.controls.rdoFrame2);
  EXPECT_EQ(count([&] { m.cboDesignChange("cboInnerTexture"); }), 1);
  EXPECT_TRUE(m.controls.rdoInnerMatte2);
  EXPECT_EQ(count([&] { m.cboFrameChange(); }), 1);
  EXPECT_EQ(count([&] { m.txtMarginExit(); }), 0);
  EXPECT_EQ(count([&] {
              m.txtMarginKeyUp(true);
              m.txtMarginExit();
            }),
            0);
  EXPECT_EQ(count([&] {
              m.txtMarginKeyUp(false);
              m.txtMarginKeyUp(true);
              m.txtMarginExit();
            }),
            1);
  EXPECT_EQ(count([&] { m.txtInnerWidthKeyUp(); }), 1);
  EXPECT_EQ(count([&] { m.chkSignatureClick(); }), 1);
  rig.view.color = 0x0000FF;
  EXPECT_EQ(count([&] { m.ShadowColorClick(); }), 1);
  EXPECT_EQ(rig.renderer.lastSpec.ShadowColor, 0x0000FFu);
  EXPECT_EQ(count([&] { m.BackgroundColorClick(); }), 0);  // "<none>" selected
  EXPECT_EQ(m.settings.BackgroundColor, 0x0000FFu);
  m.controls.cboShadow.selected = 1;
  EXPECT_EQ(count([&] { m.BackgroundColorClick(); }), 1);
  rig.view.color.reset();
  EXPECT_EQ(count([&] { m.BackgroundColorClick(); }), 0);
  EXPECT_EQ(count([&] { m.EndColorPick(); }), 0);  // Esc while idle
  m.StartColorPick(2);
  EXPECT_FALSE(m.controls.rdoOuterMatte2);
  EXPECT_EQ(count([&] { m.ColorSampled(0x445566); }), 0);
  EXPECT_EQ(m.controls.cboOuterMatteColor, 0x445566u);
  EXPECT_EQ(count([&] { m.EndColorPick(); }), 1);
  m.StartColorPick(1);
  EXPECT_EQ(count([&] { m.rdoMouseUp(); }), 1);  // any render ends picking
  EXPECT_FALSE(m.Picking);
  EXPECT_EQ(rig.view.pickerStops, 2);
  rig.assets.badStyle = true;
  EXPECT_EQ(count([&] { m.cboFrameChange(); }), 0);
  EXPECT_EQ(rig.view.errors.back(), "'' is not a valid integer value");
  EXPECT_EQ(m.RenderRequests, rig.renderer.renders + 1);  // + the activation
}

TEST(Preview, ShadowSizePromptIsLenientClampedAndRendersOnChangedText) {
  AppEnvironment env;
  ActiveRig rig;
  MainModel& m = rig.model;
  const std::pair<const char*, int> answers[] = {{"12", 12},  {"7,5", 7}, {"1.2.5", 12}, {"-4", 1},
                                                 {"-4,7", 1}, {"abc", 1}, {"50", 30},    {"8", 8}};
  int expectedRenders = 0;
  for (const auto& [answer, size] : answers) {
    rig.view.answer = answer;
    m.ShadowSizeClick();
    EXPECT_EQ(m.settings.ShadowSize, size) << answer;
    EXPECT_EQ(rig.renderer.renders, ++expectedRenders) << answer;
  }
  EXPECT_EQ(rig.renderer.lastSpec.ShadowSize, 8);
  EXPECT_EQ(rig.view.lastInput,
            (std::vector<std::string>{"Outer Matte Shadow Size",
                                      "Enter outer matte shadow size (1 to 30)", "30"}));
  rig.view.answer.reset();  // cancel returns the offered text
  m.ShadowSizeClick();
  EXPECT_EQ(m.settings.ShadowSize, 8);
  EXPECT_EQ(rig.renderer.renders, expectedRenders);
}

TEST(Preview, TableHasOneRowPerEventInOrder) {
  const auto rules = previewRefreshRules();
  ASSERT_EQ(rules.size(), 11u);
  for (size_t i = 0; i < rules.size(); ++i) EXPECT_EQ(static_cast<size_t>(rules[i].event), i);
  RefreshState idle;
  EXPECT_TRUE(refreshApplies(PreviewEvent::InnerWidthKeyUp, idle));
  EXPECT_FALSE(refreshApplies(PreviewEvent::CheckBoxClick, idle));
}

}  // namespace
}  // namespace lumabord
