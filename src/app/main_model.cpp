// The main window model: start-up, settings, queue and preview rules.
#include "app/main_model.h"

#include <cmath>
#include <system_error>
#include <utility>

#include "app/program_files.h"
#include "app/quick_reg.h"
#include "app/user_folders.h"
#include "base/error.h"
#include "compose/asset_paths.h"

namespace lumabord {
namespace {

constexpr int kMinShadowSize = 1;
constexpr int kMaxShadowSize = 30;
constexpr int kBlankWidth = 800;
constexpr int kBlankHeight = 600;
constexpr Rgb kWhite{255, 255, 255};

std::string settingPath(std::string_view name) {
  return std::string(kSettingsKey) + std::string(name);
}

// The edge shadow's ramps divide by size - 1, so sizes stay inside the range the prompt names.
int clampShadowSize(double size) {
  if (!(size >= kMinShadowSize)) return kMinShadowSize;  // also NaN
  if (size > kMaxShadowSize) return kMaxShadowSize;
  return static_cast<int>(std::trunc(size));
}

class BusyCursor {
 public:
  explicit BusyCursor(MainView& view) : view_(view) { view_.setBusy(true); }
  ~BusyCursor() { view_.setBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  MainView& view_;
};

void readInteger(std::string_view name, int& field) {
  int32_t value = field;
  RegReadInteger(settingPath(name), value);
  field = value;
}

void readColor(std::string_view name, ColorValue& field) {
  int32_t value = static_cast<int32_t>(field);
  RegReadInteger(settingPath(name), value);
  field = static_cast<ColorValue>(value);
}

void readBool(std::string_view name, bool& field) {
  RegReadBool(settingPath(name), field);
}

}  // namespace

MainModel::MainModel(MainView& view, MainServices services)
    : view_(view), services_(std::move(services)), steps_(view) {
  if (!services_.renderer || !services_.assets) {
    fail("The main window model needs a renderer and the asset lists");
  }
  if (!services_.loader) services_.loader = &defaultPictureLoader();
}

void MainModel::FormCreate(const std::vector<std::string>& arguments) {
  // The program folder is known before anything else; steps 1 and 3 already use it.
  const std::filesystem::path programPath = programFolder(services_.programFile);
  const UserFolders folders = userFolders(programPath);
  ConfigPath = folders.config;
  UserAssetPath = folders.data;
  setUserAssetFolder(UserAssetPath);

  // 1. The glyph cache folder.
  FontCacheDirectory = makeFontCacheFolder(folders.cache);
  if (services_.signature) services_.signature->setDiskCacheDirectory(FontCacheDirectory);
  // 2.
  settings.ShadowSize = 9;
  MaxPhotoWidth = 0;
  MaxPhotoHeight = 0;
  settings.SigDrawOn = 0;
  settings.SigAlign = 4;
  // 3. The open dialog's filter.
  OpenPictureDialogFilter =
      readFileTypesFilter(programPath).value_or(std::string(kBuiltInPhotoFilter));
  // 4.
  PBFolderDialogLabel = "Select destination folder";
  // 5. Equal page margins: the largest of the four, never negative.
  equalizeMargins(PageSetup1);
  // 6.
  PageIndex = 0;
  // 7.
  Queue.clear();
  // 8.
  AppPath = programPath;
  // 9.
  LoadSettings();
  // 10.
  setWorkPhoto(Image());
  // 11.
  QueueCommandLine(arguments);
  // 12 to 16.
  LoadDesign();
  // 17. A failed head photo has shown its error; the signature is restored all the same.
  LoadQueueHead();
  // 18.
  if (services_.signature) services_.signature->LoadSignature(settings, controls, AppPath);
  view_.modelChanged();
}

void MainModel::LoadDesign() {
  // 12 to 15. The lists; the style index is a position in the list as the folder lists it.
  services_.assets->FillShadowList(controls, AppPath);
  services_.assets->FillTextureLists(controls, AppPath);
  int32_t styleIndex = 0;
  RegReadInteger(settingPath("Frame Style"), styleIndex);
  services_.assets->FillStyleList(controls, AppPath, styleIndex);
  // As stored: an index past the list selects nothing, and closing stores that (-1).
  loadedValues_["Frame Style"] = styleIndex;
  services_.assets->FillMaskList(controls, AppPath);
  // 16. Without a selected style there is no file to read; the design keeps its defaults.
  if (controls.cboFrame.selected >= 0) {
    try {
      services_.assets->ReadStyle(controls, AppPath);
    } catch (const Error& e) {
      view_.showError(e.what());
    }
  }
}

void MainModel::FormActivate() {
  if (Activated) return;
  Activated = true;
  view_.processPendingEvents();
  RefreshPreview();
}

void MainModel::FormClose() {
  if (Terminating) return;
  SaveSettings();
}

void MainModel::LoadSettings() {
  settings.ShadowSize = 9;
  readInteger("Shadow Size", settings.ShadowSize);
  settings.ShadowSize = clampShadowSize(settings.ShadowSize);
  settings.ShadowColor = 0x808080;
  readColor("OuterMatte Shadow", settings.ShadowColor);
  controls.txtWidth = 800;
  readInteger("Image Width", controls.txtWidth);
  controls.txtHeight = 600;
  readInteger("Image Height", controls.txtHeight);
  // The size fields do not go below 0.
  controls.txtWidth = std::max(controls.txtWidth, 0);
  controls.txtHeight = std::max(controls.txtHeight, 0);
  settings.BackgroundColor = 0xFFFFFF;
  readColor("Background", settings.BackgroundColor);
  JPEGQuality = 80;
  readInteger("JPEG Quality", JPEGQuality);
  JPEGProgressive = true;
  readBool("JPEG Progressive", JPEGProgressive);
  JPEGSmoothing = true;
  readBool("JPEG Smoothing", JPEGSmoothing);
  KeepMetadata = true;
  readBool("Keep Metadata", KeepMetadata);
  KeepGps = false;
  readBool("Keep GPS", KeepGps);
  AutoOrient = true;
  readBool("Auto Orient", AutoOrient);
  const std::filesystem::path mru = ConfigPath / "mru.ini";
  std::error_code ec;
  if (std::filesystem::exists(mru, ec)) {
    try {
      MRUFiles1.LoadFromFile(mru);
    } catch (const Error&) {
      // An unreadable or unreasonable list is a missing setting: the menu stays empty.
    }
  }
  readBool("Shadow Edge", controls.chkShadowOuter);
  readBool("Signature", controls.chkSignature);
  for (const StoredValue& value : storedValues()) loadedValues_[value.name] = value.value;
}

std::vector<MainModel::StoredValue> MainModel::storedValues() const {
  return {{"Shadow Edge", controls.chkShadowOuter, true},
          {"Signature", controls.chkSignature, true},
          {"Shadow Size", settings.ShadowSize, false},
          {"OuterMatte Shadow", static_cast<int32_t>(settings.ShadowColor), false},
          {"Image Width", controls.txtWidth, false},
          {"Image Height", controls.txtHeight, false},
          {"Background", static_cast<int32_t>(settings.BackgroundColor), false},
          {"JPEG Quality", JPEGQuality, false},
          {"JPEG Progressive", JPEGProgressive, true},
          {"JPEG Smoothing", JPEGSmoothing, true},
          {"Keep Metadata", KeepMetadata, true},
          {"Keep GPS", KeepGps, true},
          {"Auto Orient", AutoOrient, true},
          {"Frame Style", selectedStyle(), false}};
}

int32_t MainModel::selectedStyle() const {
  const int selected = controls.cboFrame.selected;
  return selected >= 0 && selected < static_cast<int>(controls.cboFrame.entries.size()) ? selected
                                                                                        : -1;
}

void MainModel::SaveSettings() {
  // Another window of the program may have stored its own changes since this one started:
  // only what this window changed is written, and values missing from the store.
  for (const StoredValue& value : storedValues()) {
    const std::string path = settingPath(value.name);
    int32_t stored = 0;
    const auto loaded = loadedValues_.find(value.name);
    const bool changed = loaded == loadedValues_.end() || loaded->second != value.value;
    if (!changed && RegReadInteger(path, stored)) continue;
    if (value.boolean) {
      RegWriteBool(path, value.value != 0, true);
    } else {
      RegWriteInteger(path, value.value, true);
    }
    loadedValues_[value.name] = value.value;
  }
  std::error_code ec;
  std::filesystem::create_directories(ConfigPath, ec);
  try {
    MRUFiles1.SaveMergedToFile(ConfigPath / "mru.ini");
  } catch (const Error&) {
    // Like the other settings, a list that cannot be written is lost silently.
  }
}

void MainModel::QueueCommandLine(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (hasPhotoExtension(argument)) Queue.push_back(argument);
  }
}

void MainModel::cmdAddClick() {
  if (Rendering) {
    RunWhenIdle([this] { cmdAddClick(); });
    return;
  }
  const std::vector<std::string> files = view_.choosePhotos(OpenPictureDialogFilter);
  if (files.empty()) return;
  AddPhotos(files);
}

void MainModel::AddPhotos(const std::vector<std::string>& files) {
  if (files.empty()) return;
  if (Rendering) {
    RunWhenIdle([this, files] { AddPhotos(files); });
    return;
  }
  view_.processPendingEvents();
  BusyCursor busy(view_);
  if (files.size() == 1) {
    Queue.insert(Queue.begin(), files.front());
    MRUFiles1.Add(files.front());
  } else {
    Queue.insert(Queue.end(), files.begin(), files.end());
  }
  if (LoadQueueHead() && applies(PreviewEvent::QueueChange)) RefreshPreview();
}

void MainModel::OpenRecentFile(const std::string& path) {
  if (Rendering) {
    RunWhenIdle([this, path] { OpenRecentFile(path); });
    return;
  }
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    view_.showMessage("File does not exist");
    return;
  }
  Queue.insert(Queue.begin(), path);
  if (LoadQueueHead() && applies(PreviewEvent::QueueChange)) RefreshPreview();
}

void MainModel::cmdClearClick() {
  if (Rendering) {
    RunWhenIdle([this] { cmdClearClick(); });
    return;
  }
  Queue.clear();
  setWorkPhoto(Image());
  MaxPhotoWidth = 0;
  MaxPhotoHeight = 0;
  controls.txtWidth = 800;
  controls.txtHeight = 600;
  if (LoadQueueHead() && applies(PreviewEvent::QueueChange)) RefreshPreview();
}

bool MainModel::LoadQueueHead() {
  return LoadQueuedPhoto(0);
}

bool MainModel::LoadQueuedPhoto(size_t index) {
  if (index >= Queue.size()) index = 0;
  WorkIndex = index;
  setStatus("Status: Reading Image");
  QueueTitle = "Total Files to Frame: " + std::to_string(Queue.size());
  bool loaded = true;
  if (Queue.empty()) {
    setWorkPhoto(Image(kBlankWidth, kBlankHeight, kWhite));
  } else {
    view_.processPendingEvents();
    try {
      Image photo = services_.loader->loadPhoto(Queue[index], PhotoOptions{AutoOrient});
      if (photo.width() > 0 && photo.height() > 0) {
        MaxPhotoWidth = std::max(MaxPhotoWidth, photo.width());
        MaxPhotoHeight = std::max(MaxPhotoHeight, photo.height());
        setWorkPhoto(std::move(photo));
        controls.txtWidth = MaxPhotoWidth;
        controls.txtHeight = MaxPhotoHeight;
      } else {
        setWorkPhoto(Image(kBlankWidth, kBlankHeight, kWhite));
      }
    } catch (const Error& e) {
      view_.showError(messageNamingFile(Queue[index], e.what()));
      loaded = false;
    } catch (const std::bad_alloc&) {
      view_.showError(formatMessage("Not enough memory to load %s", Queue[index].c_str()));
      loaded = false;
    }
  }
  if (loaded && services_.signature) {
    services_.signature->workPhotoChanged(Queue.empty() ? std::filesystem::path()
                                                        : std::filesystem::path(Queue[index]));
  }
  setStatus("Status: Ready");
  view_.modelChanged();
  return loaded;
}

void MainModel::RefreshPreview() {
  if (Rendering || renderHeld_) {
    renderPending_ = true;
    return;
  }
  Rendering = true;
  do {
    renderPending_ = false;
    renderOnce();
  } while (renderPending_ && !renderHeld_ && !Terminating);
  Rendering = false;
  std::vector<std::function<void()>> commands;
  commands.swap(deferred_);
  for (const std::function<void()>& command : commands) {
    if (!Terminating) command();
  }
}

void MainModel::RunWhenIdle(std::function<void()> command) {
  if (Rendering) {
    deferred_.push_back(std::move(command));
    return;
  }
  command();
}

void MainModel::setWorkPhoto(Image photo) {
  Preview.keepPhoto(WorkPhoto, /*take=*/true);
  WorkPhoto = std::move(photo);
}

void MainModel::HoldRendering(bool hold) {
  if (hold) Preview.keepPhoto(WorkPhoto, /*take=*/false);
  holdRendering(hold);
}

void MainModel::holdRendering(bool hold) {
  renderHeld_ = hold;
  if (!hold && renderPending_ && !Rendering) RefreshPreview();
}

void MainModel::renderOnce() {
  if (Picking) {
    Picking = false;
    view_.stopColorPicker();
  }
  setStatus("Status: Creating Frame...please wait");
  view_.processPendingEvents();
  ++RenderRequests;
  FramedPicture picture;
  try {
    picture = services_.renderer->prepare(Snapshot(), WorkPhoto, Queue.empty(), AppPath, steps_);
  } catch (const Error& e) {
    // A refused design (a size beyond the limits, a missing or unreadable asset, a bad
    // profile) is found before anything is painted: the preview keeps the last rendering.
    view_.renderStepChanged(" ");
    setStatus("Status: Ready");
    view_.showError(e.what());
    return;
  } catch (const std::exception& e) {
    // Anything else may have left the program's state unknown: end without saving.
    Terminating = true;
    TerminationReason = e.what();
    view_.terminateApplication();
    return;
  }
  Preview = std::move(picture);
  History.record(designState(controls, settings));
  view_.previewChanged();
  lblSaveColor = kSaveLabelUnsaved;
  setStatus("Status: Ready");
}

void MainModel::cboDesignChange(std::string_view componentName) {
  if (!applies(PreviewEvent::DesignListChoice)) return;
  if (componentName == "cboFrameTexture") controls.rdoFrame2 = true;
  if (componentName == "cboOuterMatteTexture") controls.rdoOuterMatte2 = true;
  if (componentName == "cboInnerTexture") controls.rdoInnerMatte2 = true;
  if (componentName == "cboFrameColor") controls.rdoFrame2 = false;
  if (componentName == "cboOuterMatteColor") controls.rdoOuterMatte2 = false;
  if (componentName == "cboInnerColor") controls.rdoInnerMatte2 = false;
  view_.modelChanged();
  RefreshPreview();
}

void MainModel::cboFrameChange() {
  if (!applies(PreviewEvent::StyleChange)) return;
  try {
    services_.assets->ReadStyle(controls, AppPath);
  } catch (const Error& e) {
    view_.modelChanged();
    view_.showError(e.what());
    return;
  }
  view_.modelChanged();
  RefreshPreview();
}

void MainModel::rdoMouseUp() {
  refreshIf(PreviewEvent::OptionButtonMouseUp);
}

void MainModel::txtMarginKeyUp(bool tab) {
  if (!tab) MarginEdited = true;
}

void MainModel::txtMarginExit() {
  if (!applies(PreviewEvent::MarginFieldExit)) return;
  // Cleared first: events that run during the rendering must not render this edit again.
  MarginEdited = false;
  RefreshPreview();
}

void MainModel::txtInnerWidthKeyUp() {
  refreshIf(PreviewEvent::InnerWidthKeyUp);
}

void MainModel::chkShadowOuterClick() {
  refreshIf(PreviewEvent::CheckBoxClick);
}

void MainModel::chkSignatureClick() {
  refreshIf(PreviewEvent::CheckBoxClick);
}

void MainModel::BackgroundColorClick() {
  const std::optional<ColorValue> color = view_.chooseColor(settings.BackgroundColor);
  if (!color) return;
  settings.BackgroundColor = *color;
  {
    BusyCursor busy(view_);
    refreshIf(PreviewEvent::BackgroundColorSet);
  }
  view_.modelChanged();
}

void MainModel::ShadowColorClick() {
  if (!Activated) return;
  const std::optional<ColorValue> color = view_.chooseColor(settings.ShadowColor);
  if (!color) return;
  settings.ShadowColor = *color;
  refreshIf(PreviewEvent::ShadowColorSet);
}

void MainModel::ShadowSizeClick() {
  const std::string offered = std::to_string(settings.ShadowSize);
  const std::string answer =
      view_.inputBox("Outer Matte Shadow Size", "Enter outer matte shadow size (1 to 30)", offered);
  settings.ShadowSize = clampShadowSize(ParseNumberLenient(answer, separators()));
  RefreshState state = currentState();
  state.answerDiffers = answer != offered;
  if (refreshApplies(PreviewEvent::ShadowSizeAnswered, state)) RefreshPreview();
}

void MainModel::StartColorPick(int target) {
  if (target < 1 || target > 3) return;
  if (target == 1) controls.rdoFrame2 = false;
  if (target == 2) controls.rdoOuterMatte2 = false;
  if (target == 3) controls.rdoInnerMatte2 = false;
  PickTarget = target;
  Picking = true;
  view_.modelChanged();
}

void MainModel::ColorSampled(ColorValue color) {
  if (!Picking) return;
  if (PickTarget == 1) controls.cboFrameColor = color;
  if (PickTarget == 2) controls.cboOuterMatteColor = color;
  if (PickTarget == 3) controls.cboInnerColor = color;
  view_.modelChanged();
}

void MainModel::EndColorPick() {
  if (!Picking) return;
  Picking = false;
  view_.stopColorPicker();
  refreshIf(PreviewEvent::ColorPickEnd);
}

void MainModel::setStatus(const std::string& text) {
  StatusText = text;
  view_.statusChanged(text);
}

RefreshState MainModel::currentState() const {
  RefreshState state;
  state.activated = Activated;
  state.marginEdited = MarginEdited;
  state.dropShadowSelected = controls.cboShadow.selected > 0;
  return state;
}

bool MainModel::applies(PreviewEvent event) const {
  return refreshApplies(event, currentState());
}

void MainModel::refreshIf(PreviewEvent event) {
  if (applies(event)) RefreshPreview();
}

NumberSeparators MainModel::separators() const {
  return services_.separators ? *services_.separators : userNumberSeparators();
}

}  // namespace lumabord
