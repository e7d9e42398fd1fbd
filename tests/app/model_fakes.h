// Fakes for the main window model: a view, a renderer, asset lists, a picture loader and
// signature hooks that record what the model asked of them in one shared log.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_model.h"
#include "base/error.h"

namespace lumabord::testing {

struct CallLog {
  std::vector<std::string> calls;
};

class FakeView : public MainView {
 public:
  void statusChanged(const std::string& text) override { statuses.push_back(text); }
  void setBusy(bool busy) override { busyChanges.push_back(busy); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void showError(const std::string& text) override { errors.push_back(text); }
  std::string inputBox(const std::string& caption, const std::string& prompt,
                       const std::string& offered) override {
    lastInput = {caption, prompt, offered};
    return answer.value_or(offered);
  }
  std::optional<ColorValue> chooseColor(ColorValue initial) override {
    colorDialogStart = initial;
    return color;
  }
  std::vector<std::string> choosePhotos(const std::string& filter) override {
    dialogFilter = filter;
    return photos;
  }
  void stopColorPicker() override { ++pickerStops; }
  void terminateApplication() override { terminated = true; }

  std::vector<std::string> statuses, messages, errors;
  std::vector<bool> busyChanges;
  std::optional<std::string> answer;  // nullopt: cancel
  std::vector<std::string> lastInput;
  std::optional<ColorValue> color;
  std::optional<ColorValue> colorDialogStart;
  std::vector<std::string> photos;
  std::string dialogFilter;
  int pickerStops = 0;
  bool terminated = false;
};

class FakeRenderer : public PreviewRenderer {
 public:
  void render(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
              const std::filesystem::path&, RenderSteps& steps, Image& target) override {
    ++renders;
    lastSpec = spec;
    lastPhotoWidth = workPhoto.width();
    lastPhotoHeight = workPhoto.height();
    lastQueueEmpty = queueEmpty;
    steps.ShowRenderStep(" ");
    if (failing) fail("Cannot open file %s", "Image Edges/outermattelowered.bmp");
    if (crashing) throw std::runtime_error("state unknown");
    target = Image(workPhoto.width() + 2, workPhoto.height() + 2, Rgb{1, 2, 3});
  }
  int renders = 0;
  FrameSpec lastSpec;
  int lastPhotoWidth = 0, lastPhotoHeight = 0;
  bool lastQueueEmpty = false;
  bool failing = false;   // a refused design
  bool crashing = false;  // a failure other than a refusal
};

class FakeAssets : public AssetLists {
 public:
  explicit FakeAssets(CallLog& log) : log_(log) {}
  void FillShadowList(DesignControls& c, const std::filesystem::path&) override {
    log_.calls.push_back("FillShadowList");
    c.cboShadow = {{"<none>", "soft"}, 0};
  }
  void FillTextureLists(DesignControls& c, const std::filesystem::path&) override {
    log_.calls.push_back("FillTextureLists");
    c.cboFrameTexture = c.cboOuterMatteTexture = c.cboInnerTexture = {{"oak.jpg"}, 0};
  }
  void FillStyleList(DesignControls& c, const std::filesystem::path&, int index) override {
    log_.calls.push_back("FillStyleList " + std::to_string(index));
    c.cboFrame.entries = styles;
    c.cboFrame.selected = index >= 0 && index < static_cast<int>(styles.size()) ? index : -1;
  }
  void FillMaskList(DesignControls& c, const std::filesystem::path&) override {
    log_.calls.push_back("FillMaskList");
    c.cboFrameMask = {{"Flat"}, 0};
  }
  void ReadStyle(DesignControls& c, const std::filesystem::path&) override {
    log_.calls.push_back("ReadStyle " + c.cboFrame.text());
    if (badStyle) fail("'%s' is not a valid integer value", "");
    c.txtLeft = 33;
  }
  std::vector<std::string> styles{"Classic", "Modern"};
  bool badStyle = false;

 private:
  CallLog& log_;
};

// Pictures by path: a size, or missing (the readers' error).
class FakeLoader : public PictureLoader {
 public:
  explicit FakeLoader(CallLog& log) : log_(log) {}
  Image load(const std::filesystem::path& path) const override {
    log_.calls.push_back("load " + path.string());
    const auto it = sizes.find(path.string());
    if (it == sizes.end()) fail("Cannot open file %s", path.c_str());
    if (it->second.first == 0 || it->second.second == 0) return Image();
    return Image(it->second.first, it->second.second, Rgb{9, 8, 7});
  }
  std::map<std::string, std::pair<int, int>> sizes;

 private:
  CallLog& log_;
};

class FakeSignature : public SignatureHooks {
 public:
  explicit FakeSignature(CallLog& log) : log_(log) {}
  void setDiskCacheDirectory(const std::filesystem::path& folder) override {
    log_.calls.push_back("DiskCacheDirectory " + folder.filename().string());
  }
  void LoadSignature(DesignSettings&) override { log_.calls.push_back("LoadSignature"); }

 private:
  CallLog& log_;
};

// One model with all fakes.
struct ModelRig {
  ModelRig()
      : assets(log), loader(log), signature(log), model(view, [this] {
          MainServices s;
          s.renderer = &renderer;
          s.assets = &assets;
          s.loader = &loader;
          s.signature = &signature;
          s.separators = NumberSeparators{",", "."};
          return s;
        }()) {}
  CallLog log;
  FakeView view;
  FakeRenderer renderer;
  FakeAssets assets;
  FakeLoader loader;
  FakeSignature signature;
  MainModel model;
};

}  // namespace lumabord::testing
