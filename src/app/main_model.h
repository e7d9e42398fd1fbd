// The main window's state and operations without widgets: start-up, settings, the photo
// queue, the working photo and the rules that re-render the preview.
//
// How a view uses it. The Qt window owns one MainModel and implements MainView (message
// boxes, prompts, dialogs, status texts, busy cursor, application end). It constructs the
// model with MainServices (the renderer, the asset lists, the picture loader, the signature
// hooks), then calls FormCreate(arguments). After that the view:
//   - reads the public fields (controls, settings, Queue, QueueTitle, StatusText, Preview,
//     lblSaveColor, OpenPictureDialogFilter, MRUFiles1.MenuItems(), ...) to draw itself, and
//     re-reads them whenever MainView::modelChanged() or previewChanged() is called;
//   - writes what the user typed or chose straight into `controls` (the width fields, the
//     list selections, the option buttons, the check boxes) and then calls the matching
//     handler below (cboDesignChange("cboFrameTexture"), txtMarginExit(), chkClick(), ...);
//   - forwards window events: FormActivate() on activation, FormClose() when the window
//     closes (also for "Exit"), recent-menu clicks through MRUFiles1.Click(index).
// Every handler decides by itself whether the preview is re-rendered, following
// previewRefreshRules(); each path renders at most once, through RefreshPreview(), which
// counts RenderRequests so tests and the view see the same events.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/design_history.h"
#include "app/mru_files.h"
#include "app/number_parse.h"
#include "app/preview_events.h"
#include "base/image.h"
#include "codecs/picture_loader.h"
#include "compose/compose_frame.h"
#include "compose/design_controls.h"
#include "compose/frame_spec.h"
#include "compose/framed_picture.h"
#include "compose/style_file.h"
#include "print/page_geometry.h"

namespace lumabord {

// What the window provides to the model. Every function has a harmless default so that
// headless users (tests, tools) implement only what they look at.
class MainView {
 public:
  virtual ~MainView() = default;
  // Status panel 0 changed ("Status: Reading Image", "Status: Ready", ...).
  virtual void statusChanged(const std::string& /*text*/) {}
  // Status panel 1: the renderer's current step.
  virtual void renderStepChanged(const std::string& /*text*/) {}
  // Lets pending window events run (repaint, Cancel buttons).
  virtual void processPendingEvents() {}
  // Hourglass cursor for the whole application on or off.
  virtual void setBusy(bool /*busy*/) {}
  // Information box ("File does not exist").
  virtual void showMessage(const std::string& /*text*/) {}
  // The application's general error display.
  virtual void showError(const std::string& /*text*/) {}
  // Input box; returns the answer, or the offered text when cancelled.
  virtual std::string inputBox(const std::string& /*caption*/, const std::string& /*prompt*/,
                               const std::string& offered) {
    return offered;
  }
  // Colour dialog starting at initial; nullopt when cancelled.
  virtual std::optional<ColorValue> chooseColor(ColorValue /*initial*/) { return std::nullopt; }
  // Multi-select open dialog with the given filter (description|pattern|...); the chosen
  // files in the dialog's order, empty when cancelled.
  virtual std::vector<std::string> choosePhotos(const std::string& /*filter*/) { return {}; }
  // Fields other than the preview changed (queue title, output size, lists, colours).
  virtual void modelChanged() {}
  // Preview holds a new framed picture.
  virtual void previewChanged() {}
  // The screen colour picker must stop sampling (its timer belongs to the view).
  virtual void stopColorPicker() {}
  // A rendering failed in a way that may leave the program's state unknown (anything but a
  // refused design, which is shown through showError): end the application at the next turn
  // of the event loop, without running the closing step.
  virtual void terminateApplication() {}
};

// Builds the framed image of the working photo.
class PreviewRenderer {
 public:
  virtual ~PreviewRenderer() = default;
  // The whole framed image. Throws Error on failure; target keeps what it held then.
  virtual void render(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                      const std::filesystem::path& appPath, RenderSteps& steps, Image& target) = 0;
  // The framed picture, ready to paint at any size; it may paint from workPhoto. Throws
  // Error on failure. By default the whole image, rendered now.
  virtual FramedPicture prepare(const FrameSpec& spec, Image& workPhoto, bool queueEmpty,
                                const std::filesystem::path& appPath, RenderSteps& steps) {
    Image target;
    render(spec, workPhoto, queueEmpty, appPath, steps, target);
    return FramedPicture(std::move(target));
  }
};

// The asset list fillers and the style reader the start-up sequence calls.
class AssetLists {
 public:
  virtual ~AssetLists() = default;
  virtual void FillShadowList(DesignControls& controls, const std::filesystem::path& appPath) = 0;
  virtual void FillTextureLists(DesignControls& controls, const std::filesystem::path& appPath) = 0;
  virtual void FillStyleList(DesignControls& controls, const std::filesystem::path& appPath,
                             int storedStyleIndex) = 0;
  virtual void FillMaskList(DesignControls& controls, const std::filesystem::path& appPath) = 0;
  virtual void ReadStyle(DesignControls& controls, const std::filesystem::path& appPath) = 0;
};

// The asset library of the compose folder (ScanFiles and the style files).
AssetLists& libraryAssetLists();

// The renderer ComposeFrame, with the default picture loader and system colours, and the
// signature drawn by signature (nullptr: none).
PreviewRenderer& composeFrameRenderer();
[[nodiscard]] std::unique_ptr<PreviewRenderer> makeComposeFrameRenderer(SignatureDrawer* signature);

// The signature's part of start-up: the glyph disk cache folder and the stored signature.
class SignatureHooks {
 public:
  virtual ~SignatureHooks() = default;
  // Step 1: the folder the glyph cache keeps its disk rows in.
  virtual void setDiskCacheDirectory(const std::filesystem::path& /*folder*/) {}
  // Step 18: restores the stored signature design into the label, SigDrawOn and SigAlign;
  // its texture is an entry of the outer matte texture list under appPath.
  virtual void LoadSignature(DesignSettings& /*settings*/, const DesignControls& /*controls*/,
                             const std::filesystem::path& /*appPath*/) {}
  // WorkPhoto now holds the photo of this file (empty: the blank of an empty queue), whose
  // facts fill the signature's variables in the preview, print and clipboard.
  virtual void workPhotoChanged(const std::filesystem::path& /*photo*/) {}
};

struct MainServices {
  PreviewRenderer* renderer = nullptr;         // required
  AssetLists* assets = nullptr;                // required
  const PictureLoader* loader = nullptr;       // nullptr: defaultPictureLoader()
  SignatureHooks* signature = nullptr;         // nullptr: nothing to restore
  std::optional<NumberSeparators> separators;  // nullopt: the user's locale
  std::filesystem::path programFile;           // empty: /proc/self/exe (LUMABORD_HOME wins)
};

class MainModel {
 public:
  MainModel(MainView& view, MainServices services);

  // --- Lifecycle (start-up, first activation, closing) -----------------------------------
  // The start-up sequence; arguments are the command-line arguments without the program.
  void FormCreate(const std::vector<std::string>& arguments);
  // Every activation; only the first one does something (sets Activated and renders).
  void FormActivate();
  // Closing for any reason: SaveSettings. Does nothing after terminateApplication().
  void FormClose();

  void LoadSettings();
  void SaveSettings();
  void QueueCommandLine(const std::vector<std::string>& arguments);
  // Start-up steps 12 to 16: the asset lists of AppPath, the stored "Frame Style" selection
  // and the selected style read into the controls (a style that cannot be read is shown
  // through the view). The command line builds its design the same way.
  void LoadDesign();

  // --- Queue ------------------------------------------------------------------------------
  void cmdAddClick();                                     // the open dialog, then AddPhotos
  void AddPhotos(const std::vector<std::string>& files);  // one: head + recent; several: appended
  void OpenRecentFile(const std::string& path);           // the MRUFiles1 OnClick handler
  void cmdClearClick();
  // Loads the head photo into WorkPhoto. Returns false when the readers failed (the error
  // has been shown; the caller must not re-render).
  bool LoadQueueHead();
  // The same for Queue[index], which becomes the working photo (WorkIndex).
  bool LoadQueuedPhoto(size_t index);

  // --- Queue strip (main_model_queue.cpp) ---------------------------------------------------
  // Makes Queue[index] the working photo and renders it.
  void ShowQueuedPhoto(size_t index);
  // Options > Auto Orient Photos: stores the choice and loads the working photo again.
  void SetAutoOrient(bool on);
  // Removes the entries at indices; when the working photo goes, the head takes its place.
  void RemoveQueued(const std::vector<size_t>& indices);
  // order[i] is the old index of the photo now at i; anything but a permutation is ignored.
  void ReorderQueue(const std::vector<size_t>& order);

  // --- Undo and redo of the design (main_model_queue.cpp) -----------------------------------
  void Undo();
  void Redo();

  // --- Preview ------------------------------------------------------------------------------
  // Renders WorkPhoto with the current controls. The renderer lets window events run between
  // its steps; a request that arrives meanwhile (or while rendering is held) is coalesced
  // into one more rendering after the current one, with the controls as they are then.
  void RefreshPreview();
  // Runs command now, or right after the running rendering: commands that change the queue
  // or WorkPhoto never run inside a rendering.
  void RunWhenIdle(std::function<void()> command);
  // A batch works on WorkPhoto; while held, requests only mark the preview as due, and
  // releasing renders it once if anything asked for it. Holding gives Preview its own copy
  // of the photo, which the batch replaces.
  void HoldRendering(bool hold);
  // Renders WorkPhoto with the current controls into target for a command of its own
  // (printing), exactly as the preview is rendered; preview requests meanwhile wait for it.
  // Throws Error on failure.
  void RenderForOutput(Image& target);

  // --- Design handlers (the view has already stored the new value in controls) -----------
  void cboDesignChange(
      std::string_view componentName);  // the eight colour/texture/mask/shadow lists
  void cboFrameChange();                // style list
  void rdoMouseUp();                    // any of the six option buttons
  void txtMarginKeyUp(bool tab);        // txtLeft, txtTop, txtRight, txtBottom
  void txtMarginExit();
  void txtInnerWidthKeyUp();
  void chkShadowOuterClick();
  void chkSignatureClick();
  void BackgroundColorClick();  // "Background Color ..."
  void ShadowColorClick();      // "Outer Matte Shadow Color"
  void ShadowSizeClick();       // "Outer Matte Shadow Size"
  // Screen colour picker: target 1 frame, 2 outer matte, 3 inner matte.
  void StartColorPick(int target);
  void ColorSampled(ColorValue color);  // every timer tick; does not re-render
  void EndColorPick();                  // Esc or a click on the preview

  // --- Fields -------------------------------------------------------------------------------
  std::filesystem::path AppPath;        // program folder: the bundled assets, "filetypes.ini"
  std::filesystem::path ConfigPath;     // folder of "mru.ini" (AppPath in a portable run)
  std::filesystem::path UserAssetPath;  // the user's own asset folders; empty when portable
  std::vector<std::string> Queue;
  size_t WorkIndex = 0;   // the queue entry WorkPhoto holds (0 also when the queue is empty)
  DesignHistory History;  // one step per rendered design change
  Image WorkPhoto;
  DesignControls controls;
  DesignSettings settings;  // ShadowSize, ShadowColor, BackgroundColor, SigDrawOn, SigAlign
  int JPEGQuality = 80;
  bool JPEGProgressive = true;
  bool JPEGSmoothing = true;
  bool KeepMetadata = true;  // the photo's EXIF, IPTC and XMP in written files
  bool KeepGps = false;      // and its location among them
  bool AutoOrient = true;    // photos turned upright by their orientation tag
  int MaxPhotoWidth = 0;
  int MaxPhotoHeight = 0;
  bool Activated = false;
  bool MarginEdited = false;
  int PickTarget = 0;
  bool Picking = false;
  TMRUFiles MRUFiles1;
  std::string OpenPictureDialogFilter;
  std::string PBFolderDialogLabel;  // LabelCaptions line "Default=" + this
  PageSetup PageSetup1;
  std::filesystem::path FontCacheDirectory;
  int PageIndex = 0;  // shown page of the page control

  std::string StatusText;  // status panel 0
  std::string QueueTitle;  // title of boxFile
  // The last framed picture. It paints from WorkPhoto until that changes (every change
  // goes through keepPhoto first).
  FramedPicture Preview;
  ColorValue lblSaveColor = kSaveLabelSaved;
  int RenderRequests = 0;  // renderings run, for the view's and the tests' bookkeeping
  bool Rendering = false;  // a rendering runs (events pumped by the renderer see this)
  bool Terminating = false;
  std::string TerminationReason;  // the failed rendering's message, for the view to show

  [[nodiscard]] FrameSpec Snapshot() const { return snapshot(controls, settings); }

 private:
  // One value of the settings store as SaveSettings writes it.
  struct StoredValue {
    const char* name;
    int32_t value;
    bool boolean;
  };
  [[nodiscard]] std::vector<StoredValue> storedValues() const;
  [[nodiscard]] int32_t selectedStyle() const;  // -1 when no style is selected

  void renderOnce();
  void holdRendering(bool hold);
  // Replaces WorkPhoto; Preview keeps the pixels it paints from.
  void setWorkPhoto(Image photo);
  void restoreHistory(const std::optional<DesignState>& state);
  void setStatus(const std::string& text);
  RefreshState currentState() const;
  bool applies(PreviewEvent event) const;
  void refreshIf(PreviewEvent event);
  NumberSeparators separators() const;

  // Forwards the renderer's step names to the view.
  class StepsToView final : public RenderSteps {
   public:
    explicit StepsToView(MainView& view) : view_(view) {}
    void ShowRenderStep(const std::string& text) override { view_.renderStepChanged(text); }

   private:
    MainView& view_;
  };

  MainView& view_;
  MainServices services_;
  StepsToView steps_;
  bool renderPending_ = false;
  bool renderHeld_ = false;
  std::vector<std::function<void()>> deferred_;
  std::map<std::string, int32_t> loadedValues_;  // as read at start or last written
};

}  // namespace lumabord
