// Start-up, stored settings and closing of the main window model.
#include <gtest/gtest.h>

#include "app/program_files.h"
#include "app/quick_reg.h"
#include "app_env.h"
#include "model_fakes.h"

namespace lumabord {
namespace {

using testing::AppEnvironment;
using testing::ModelRig;
using testing::readText;

const std::string kKey = std::string(kSettingsKey);

TEST(StartUp, FirstStartWithoutStoreOrListGivesEveryDefault) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  const MainModel& m = rig.model;
  EXPECT_EQ(m.AppPath, env.home());
  EXPECT_EQ(m.controls.txtWidth, 800);
  EXPECT_EQ(m.controls.txtHeight, 600);
  EXPECT_EQ(m.settings.BackgroundColor, 0xFFFFFFu);
  EXPECT_EQ(m.JPEGQuality, 80);
  EXPECT_TRUE(m.JPEGProgressive);
  EXPECT_TRUE(m.JPEGSmoothing);
  EXPECT_EQ(m.settings.ShadowSize, 9);
  EXPECT_EQ(m.settings.ShadowColor, 0x808080u);
  EXPECT_TRUE(m.controls.chkShadowOuter);
  EXPECT_FALSE(m.controls.chkSignature);
  EXPECT_EQ(m.settings.SigDrawOn, 0);
  EXPECT_EQ(m.settings.SigAlign, 4);
  EXPECT_EQ(m.controls.cboFrame.selected, 0);
  EXPECT_TRUE(m.MRUFiles1.MenuItems().empty());
  EXPECT_EQ(m.OpenPictureDialogFilter, kBuiltInPhotoFilter);
  EXPECT_EQ(m.PBFolderDialogLabel, "Select destination folder");
  EXPECT_EQ(m.PageSetup1.marginLeft, 250);
  EXPECT_TRUE(std::filesystem::is_directory(env.home() / "FontCache3D"));
  EXPECT_EQ(m.FontCacheDirectory, env.home() / "FontCache3D");
  EXPECT_EQ(m.QueueTitle, "Total Files to Frame: 0");
  EXPECT_EQ(m.WorkPhoto.width(), 800);
  EXPECT_EQ(m.WorkPhoto.height(), 600);
  EXPECT_EQ(m.WorkPhoto.pixel(799, 599), (Rgb{255, 255, 255}));
  EXPECT_EQ(m.StatusText, "Status: Ready");
  EXPECT_FALSE(std::filesystem::exists(env.store()));  // reading creates nothing

  // Nothing renders until the first activation, and later activations render nothing.
  EXPECT_EQ(rig.renderer.renders, 0);
  rig.model.FormActivate();
  rig.model.FormActivate();
  EXPECT_TRUE(m.Activated);
  EXPECT_EQ(rig.renderer.renders, 1);
  EXPECT_TRUE(rig.renderer.lastQueueEmpty);
  EXPECT_EQ(m.Preview.width(), 802);
  EXPECT_EQ(m.lblSaveColor, kSaveLabelUnsaved);
}

TEST(StartUp, StepsRunInTheirOrder) {
  AppEnvironment env;
  ASSERT_TRUE(RegWriteInteger(kKey + "Frame Style", 1, true));
  ModelRig rig;
  rig.loader.sizes["/p/a.jpg"] = {30, 20};
  rig.model.FormCreate({"/p/a.jpg"});
  EXPECT_EQ(rig.log.calls,
            (std::vector<std::string>{"DiskCacheDirectory FontCache3D", "FillShadowList",
                                      "FillTextureLists", "FillStyleList 1", "FillMaskList",
                                      "ReadStyle Modern", "load /p/a.jpg", "LoadSignature"}));
  EXPECT_EQ(rig.model.controls.txtLeft, 33);
}

TEST(StartUp, ClosingWithoutChangesWritesEveryValueAndAnEmptyList) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  rig.model.FormClose();
  EXPECT_EQ(readText(env.store()),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Corvella\\Lumabord 2]\n"
            "\"Shadow Edge\"=dword:00000001\n"
            "\"Signature\"=dword:00000000\n"
            "\"Shadow Size\"=dword:00000009\n"
            "\"OuterMatte Shadow\"=dword:00808080\n"
            "\"Image Width\"=dword:00000320\n"
            "\"Image Height\"=dword:00000258\n"
            "\"Background\"=dword:00ffffff\n"
            "\"JPEG Quality\"=dword:00000050\n"
            "\"JPEG Progressive\"=dword:00000001\n"
            "\"JPEG Smoothing\"=dword:00000001\n"
            "\"Keep Metadata\"=dword:00000001\n"
            "\"Keep GPS\"=dword:00000000\n"
            "\"Auto Orient\"=dword:00000001\n"
            "\"Frame Style\"=dword:00000000\n\n");
  ASSERT_TRUE(std::filesystem::exists(env.home() / "mru.ini"));
  EXPECT_EQ(readText(env.home() / "mru.ini"), "");
}

TEST(StartUp, StoredValuesComeBackAndBadOnesAreTamed) {
  AppEnvironment env;
  ASSERT_TRUE(RegWriteInteger(kKey + "Shadow Size", 99, true));
  ASSERT_TRUE(RegWriteInteger(kKey + "OuterMatte Shadow", 0x123456, true));
  ASSERT_TRUE(RegWriteString(kKey + "Image Width", "1024", true));  // wrong type: default
  ASSERT_TRUE(RegWriteInteger(kKey + "Image Height", -5, true));
  ASSERT_TRUE(RegWriteInteger(kKey + "Background", 0x00FF00, true));
  ASSERT_TRUE(RegWriteInteger(kKey + "JPEG Quality", 55, true));
  ASSERT_TRUE(RegWriteInteger(kKey + "JPEG Progressive", 7, true));  // non-zero is true
  ASSERT_TRUE(RegWriteBool(kKey + "JPEG Smoothing", false, true));
  ASSERT_TRUE(RegWriteBool(kKey + "Shadow Edge", false, true));
  ASSERT_TRUE(RegWriteBool(kKey + "Signature", true, true));
  env.dir().write("program/mru.ini", "/b.jpg\r\n/a.jpg\r\n");
  {
    ModelRig rig;
    rig.model.FormCreate({});
    const MainModel& m = rig.model;
    EXPECT_EQ(m.settings.ShadowSize, 30);
    EXPECT_EQ(m.settings.ShadowColor, 0x123456u);
    EXPECT_EQ(m.controls.txtWidth, 800);
    EXPECT_EQ(m.controls.txtHeight, 0);
    EXPECT_EQ(m.settings.BackgroundColor, 0x00FF00u);
    EXPECT_EQ(m.JPEGQuality, 55);
    EXPECT_TRUE(m.JPEGProgressive);
    EXPECT_FALSE(m.JPEGSmoothing);
    EXPECT_FALSE(m.controls.chkShadowOuter);
    EXPECT_TRUE(m.controls.chkSignature);
    EXPECT_EQ(m.MRUFiles1.Items(), (std::vector<std::string>{"/b.jpg", "/a.jpg"}));
    rig.model.FormClose();
  }
  ASSERT_TRUE(RegWriteInteger(kKey + "Shadow Size", 0, true));
  ModelRig again;
  again.model.FormCreate({});
  EXPECT_EQ(again.model.settings.ShadowSize, 1);
  EXPECT_EQ(again.model.controls.txtWidth, 800);  // now stored as a DWORD
  EXPECT_EQ(readText(env.home() / "mru.ini"), "/b.jpg\r\n/a.jpg\r\n");
}

TEST(StartUp, CommandLineQueuesPhotosByExtensionInOrder) {
  AppEnvironment env;
  const std::filesystem::path folder = env.dir().path();
  ModelRig rig;
  rig.loader.sizes["a.jpg"] = {3000, 2000};
  rig.model.FormCreate({"a.jpg", "b.TIFF", "notes.txt", folder.string(), "dir.d/x", "c.Bmp",
                        "d.jpeg", "e.tif", "f.JPEG.bak", "g.HEIC", "h.webp", "i.avif", "j.jxl",
                        "k.png", "l.gif", "m.heif"});
  EXPECT_EQ(rig.model.Queue,
            (std::vector<std::string>{"a.jpg", "b.TIFF", "c.Bmp", "d.jpeg", "e.tif", "g.HEIC",
                                      "h.webp", "i.avif", "j.jxl", "k.png", "m.heif"}));
  EXPECT_EQ(rig.model.QueueTitle, "Total Files to Frame: 11");
  EXPECT_EQ(rig.model.controls.txtWidth, 3000);
  EXPECT_EQ(rig.model.controls.txtHeight, 2000);
  EXPECT_TRUE(rig.model.MRUFiles1.Items().empty());
}

TEST(StartUp, UnreadableHeadPhotoIsReportedAndTheSignatureStillLoads) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({"/gone.jpg"});
  EXPECT_EQ(rig.view.errors, std::vector<std::string>{"Cannot open file /gone.jpg"});
  EXPECT_EQ(rig.log.calls.back(), "LoadSignature");
  EXPECT_EQ(rig.model.Queue, std::vector<std::string>{"/gone.jpg"});
  EXPECT_EQ(rig.model.StatusText, "Status: Ready");
}

TEST(StartUp, FileTypesFilterIsEveryLineFollowedByABar) {
  AppEnvironment env;
  env.dir().write("program/filetypes.ini", "Photos\r\n*.jpg\r\n");
  ModelRig rig;
  rig.model.FormCreate({});
  EXPECT_EQ(rig.model.OpenPictureDialogFilter, "Photos|*.jpg|");
  rig.view.photos = {};
  rig.model.cmdAddClick();
  EXPECT_EQ(rig.view.dialogFilter, "Photos|*.jpg|");

  env.dir().write("program/filetypes.ini", "");
  EXPECT_EQ(readFileTypesFilter(env.home()), "");
  std::filesystem::remove(env.home() / "filetypes.ini");
  EXPECT_EQ(readFileTypesFilter(env.home()), std::nullopt);
}

TEST(StartUp, StoredFrameStyleMinusOneOrPastTheListSelectsNothing) {
  for (int stored : {-1, 2}) {
    AppEnvironment env;
    ASSERT_TRUE(RegWriteInteger(kKey + "Frame Style", stored, true));
    ModelRig rig;
    rig.model.FormCreate({});
    EXPECT_EQ(rig.model.controls.cboFrame.selected, -1) << stored;
    // With no style selected there is nothing to read and nothing to complain about.
    for (const std::string& call : rig.log.calls)
      EXPECT_EQ(call.rfind("ReadStyle", 0), std::string::npos);
    EXPECT_TRUE(rig.view.errors.empty());
    rig.model.FormClose();
    int32_t written = 0;
    ASSERT_TRUE(RegReadInteger(kKey + "Frame Style", written));
    EXPECT_EQ(written, -1);
  }
}

TEST(StartUp, BadStyleAtStartIsShownAndStartUpGoesOn) {
  AppEnvironment env;
  ModelRig rig;
  rig.assets.badStyle = true;
  rig.model.FormCreate({});
  EXPECT_EQ(rig.view.errors, std::vector<std::string>{"'' is not a valid integer value"});
  EXPECT_EQ(rig.log.calls.back(), "LoadSignature");
  EXPECT_EQ(rig.model.WorkPhoto.width(), 800);
}

TEST(StartUp, RenderFailureEndsTheProgramWithoutSavingSettings) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  rig.renderer.crashing = true;
  rig.model.FormActivate();
  EXPECT_TRUE(rig.view.terminated);
  EXPECT_TRUE(rig.view.errors.empty());  // no message on this path
  rig.model.FormClose();
  EXPECT_FALSE(std::filesystem::exists(env.store()));
  EXPECT_FALSE(std::filesystem::exists(env.home() / "mru.ini"));
}

TEST(StartUp, RefusedDesignIsShownKeepsThePreviewAndSavesAtClose) {
  AppEnvironment env;
  ModelRig rig;
  rig.model.FormCreate({});
  rig.model.FormActivate();
  const int width = rig.model.Preview.width();
  rig.renderer.failing = true;
  rig.model.RefreshPreview();
  EXPECT_FALSE(rig.view.terminated);
  EXPECT_EQ(rig.view.errors,
            std::vector<std::string>{"Cannot open file Image Edges/outermattelowered.bmp"});
  EXPECT_EQ(rig.model.Preview.width(), width);
  EXPECT_EQ(rig.model.StatusText, "Status: Ready");
  rig.model.FormClose();
  EXPECT_TRUE(std::filesystem::exists(env.store()));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  AppEnvironment env;
  EXPECT_EQ(programFolder(), env.home());
  unsetenv("LUMABORD_HOME");
  EXPECT_EQ(std::filesystem::canonical(programFolder()),
            std::filesystem::canonical(LUMABORD_BINARY_DIR));
  EXPECT_EQ(programFolder("/opt/lumabord/lumabord"), std::filesystem::path("/opt/lumabord"));
}

}  // namespace
}  // namespace lumabord
