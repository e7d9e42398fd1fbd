// The JPEG options dialog's rules without a window: quality kept in 1..100, the caption,
// smoothing enabled only with progressive and its tick kept, OK versus Cancel.
#include <gtest/gtest.h>

#include <functional>

#include "codecs/jpeg_options_model.h"

namespace lumabord {
namespace {

struct ScriptedDialog : JpegOptionsDialog {
  std::function<bool(JpegOptionsModel&)> script;
  bool run(JpegOptionsModel& model) override { return script(model); }
};

TEST(JpegOptionsModel, QualityStaysInsideOneToHundred) {
  EXPECT_EQ(JpegOptionsModel({250, true, true}).quality(), 100);
  EXPECT_EQ(JpegOptionsModel({0, true, true}).quality(), 1);
  EXPECT_EQ(JpegOptionsModel({-7, true, true}).quality(), 1);
  EXPECT_EQ(JpegOptionsModel({80, true, true}).quality(), 80);
  JpegOptionsModel model({80, true, true});
  model.setQuality(101);
  EXPECT_EQ(model.quality(), 100);
  model.setQuality(1);
  EXPECT_EQ(model.compressionCaption(), "Compression Level: 1%");
  model.setQuality(80);
  EXPECT_EQ(model.compressionCaption(), "Compression Level: 80%");
  model.setQuality(100);
  EXPECT_EQ(model.compressionCaption(), "Compression Level: 100%");
}

TEST(JpegOptionsModel, SmoothingIsEnabledOnlyWithProgressiveAndKeepsItsTick) {
  JpegOptionsModel model({80, false, true});
  EXPECT_FALSE(model.smoothingEnabled());
  EXPECT_TRUE(model.smoothing());
  model.setProgressive(true);
  EXPECT_TRUE(model.smoothingEnabled());
  model.setProgressive(false);
  EXPECT_FALSE(model.smoothingEnabled());
  EXPECT_TRUE(model.smoothing());
  EXPECT_EQ(model.confirmed(), (JpegOptions{80, false, true}));
}

TEST(EditJPEGOptions, OkStoresCancelChangesNothing) {
  ScriptedDialog dialog;
  JpegOptions options{250, true, true};
  dialog.script = [](JpegOptionsModel& m) {
    EXPECT_EQ(m.compressionCaption(), "Compression Level: 100%");
    m.setProgressive(false);
    return true;
  };
  EXPECT_TRUE(EditJPEGOptions(options, dialog));
  EXPECT_EQ(options, (JpegOptions{100, false, true}));

  dialog.script = [](JpegOptionsModel& m) {
    m.setQuality(5);
    m.setSmoothing(false);
    m.setProgressive(true);
    return false;
  };
  EXPECT_FALSE(EditJPEGOptions(options, dialog));
  EXPECT_EQ(options, (JpegOptions{100, false, true}));
}

}  // namespace
}  // namespace lumabord
