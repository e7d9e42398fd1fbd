// TfrmMain: the main window. A column of frame-design controls bound to DesignControls, the
// live preview rendered by ComposeFrame, the photo queue buttons, menus and status bar.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "compose/compose_frame.h"
#include "compose/design_controls.h"
#include "platform/clipboard.h"
#include "platform/screen_pixels.h"
#include "window_dialogs.h"

namespace lumabord {

class ClickableLabel;
class ColorComboBox;
class IntegerField;
class PreviewView;
class ScreenColorPicker;
class TitledPanel;

// Builds the framed image of the working photo (ComposeFrame in the program, a stand-in in
// tests). steps receives the step names and pumps events.
using FrameRenderer = std::function<void(const FrameSpec& spec, Image& workPhoto,
                                         bool queueEmpty, RenderSteps& steps, Image& target)>;

// What the window works with besides its own widgets.
struct MainWindowServices {
  std::filesystem::path appPath;  // the program folder holding the asset folders
  WindowDialogs* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  const ScreenPixels* screen = nullptr;
  const PictureLoader* loader = nullptr;
  FrameRenderer renderer;  // empty: ComposeFrame with the asset folders of appPath
};

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the start-up sequence; nothing is rendered until the first activation.
  TfrmMain(MainWindowServices services, const QStringList& arguments, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The first activation maximises the window and renders the first preview.
  void FormActivate();
  // Loads the queue head into WorkPhoto; false when the readers failed (already shown).
  bool LoadQueueHead();
  // Renders the framed working photo with the current controls and shows it. A request
  // that arrives while a rendering runs is coalesced into one more rendering after it.
  void RefreshPreview();
  void CopyPreviewToClipboard();
  // The JPEG options dialog over the window's JPEG settings; true when confirmed.
  bool EditJPEGOptions();

  // Commands that render on their own (output, printing) call this first: false, with a
  // status message, while a preview rendering runs, so they never share its images.
  [[nodiscard]] bool claimRenderer();

  // State the tests and other commands look at.
  [[nodiscard]] bool activated() const { return Activated_; }
  [[nodiscard]] bool rendering() const { return rendering_; }
  [[nodiscard]] int renderCount() const { return renderCount_; }
  [[nodiscard]] const std::vector<std::string>& queue() const { return Queue_; }
  [[nodiscard]] const Image& workPhoto() const { return WorkPhoto_; }
  [[nodiscard]] const Image& framedImage() const { return framed_; }
  [[nodiscard]] const JpegOptions& jpegOptions() const { return jpeg_; }
  [[nodiscard]] const DesignSettings& designSettings() const { return settings_; }
  [[nodiscard]] const DesignControls& design();
  [[nodiscard]] bool picking() const;
  [[nodiscard]] QString statusText() const;
  [[nodiscard]] QString stepText() const;
  [[nodiscard]] QString addDialogFilter() const { return addFilter_; }

  // Photo queue commands.
  void cmdAddClick();
  void cmdClearClick();
  void openRecentFile(const QString& path);

 signals:
  // A rendering finished and the preview shows its result.
  void previewRendered();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Start-up.
  void FormCreate(const QStringList& arguments);
  void QueueCommandLine(const QStringList& arguments);
  void readFileTypes();

  // Building the window.
  void createWidgets();
  QWidget* createTopBand();
  QWidget* createDesignColumn();
  QWidget* createStylePanel();
  QWidget* createOutputPanel();
  QWidget* createFramePanel();
  QWidget* createOuterMattePanel();
  QWidget* createInnerMattePanel();
  QWidget* createPreviewPanel();
  void createStatusBar();
  void createActions();
  void createConnections();
  void updateActions();

  // Binding the design widgets to the model.
  void showDesign();   // model -> widgets
  void readDesign();   // widgets -> model
  void setPreviewBackground(ColorValue color);

  // Handlers of the re-render table.
  void designChoiceMade(QObject* sender);
  void cboFrameChange();
  void marginKeyReleased(int key);
  void marginLeft();
  void txtInnerWidthKeyUp();
  void checkBoxClicked();
  void startPicking(int target);
  void colorSampled(Rgb color);
  void endPicking();
  void BackgroundColor1Click();
  void OuterMatteShadowColor1Click();
  void OuterMatteShadowSize1Click();

  // Style operations.
  void styleAddClick();
  void styleDelClick();
  void styleSaveClick();

  void renderOnce();
  // Runs command now, or right after the running rendering when one runs: commands that
  // change the queue or the working photo never run inside a rendering.
  void runWhenIdle(std::function<void()> command);
  void setStatus(const QString& text);
  void setSaveLabelColor(ColorValue color);

  MainWindowServices services_;

  // Window state.
  std::filesystem::path AppPath_;
  std::vector<std::string> Queue_;
  Image WorkPhoto_;
  Image framed_;  // the last framed image at full size
  DesignControls design_;
  DesignSettings settings_;
  JpegOptions jpeg_;
  int MaxPhotoWidth_ = 0;
  int MaxPhotoHeight_ = 0;
  bool Activated_ = false;
  bool MarginEdited_ = false;
  int PickTarget_ = 0;
  QString addFilter_;

  // Rendering re-entry guard: a request during a rendering sets renderPending_.
  bool rendering_ = false;
  bool renderPending_ = false;
  std::vector<std::function<void()>> deferred_;
  int renderCount_ = 0;

  // Widgets (object names as the controls' names).
  TitledPanel* boxFile_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdClear_ = nullptr;
  QPushButton* cmdSaveJPEG_ = nullptr;
  QPushButton* cmdSaveTIFF_ = nullptr;
  QPushButton* cmdSaveBMP_ = nullptr;
  QPushButton* cmdPrintPreview_ = nullptr;
  QComboBox* cboFrame_ = nullptr;
  ClickableLabel* psvBorderLabel1_ = nullptr;
  ClickableLabel* psvBorderLabel2_ = nullptr;
  ClickableLabel* lblSave_ = nullptr;
  IntegerField* txtWidth_ = nullptr;
  IntegerField* txtHeight_ = nullptr;
  ColorComboBox* cboFrameColor_ = nullptr;
  QRadioButton* rdoFrame1_ = nullptr;
  QComboBox* cboFrameTexture_ = nullptr;
  QRadioButton* rdoFrame2_ = nullptr;
  QComboBox* cboFrameMask_ = nullptr;
  QComboBox* cboShadow_ = nullptr;
  IntegerField* txtLeft_ = nullptr;
  IntegerField* txtTop_ = nullptr;
  IntegerField* txtRight_ = nullptr;
  IntegerField* txtBottom_ = nullptr;
  ColorComboBox* cboOuterMatteColor_ = nullptr;
  QRadioButton* rdoOuterMatte1_ = nullptr;
  QComboBox* cboOuterMatteTexture_ = nullptr;
  QRadioButton* rdoOuterMatte2_ = nullptr;
  QCheckBox* chkShadowOuter_ = nullptr;
  QCheckBox* chkSignature_ = nullptr;
  QPushButton* cmdSignature_ = nullptr;
  IntegerField* txtInnerWidth_ = nullptr;
  ColorComboBox* cboInnerColor_ = nullptr;
  QRadioButton* rdoInnerMatte1_ = nullptr;
  QComboBox* cboInnerTexture_ = nullptr;
  QRadioButton* rdoInnerMatte2_ = nullptr;
  QToolButton* SpeedButton1_ = nullptr;
  QToolButton* SpeedButton2_ = nullptr;
  QToolButton* SpeedButton3_ = nullptr;
  QWidget* panPreview_ = nullptr;
  PreviewView* imgPreview_ = nullptr;
  QLabel* SmoothLabel3D1_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* statusPanel0_ = nullptr;
  QLabel* statusPanel1_ = nullptr;
  ScreenColorPicker* picker_ = nullptr;

  // Menus and actions.
  QMenu* RecentFiles1_ = nullptr;
  QAction* MRUFileMenu_ = nullptr;
  QMenu* previewMenu_ = nullptr;
  QAction* Open1_ = nullptr;
  QAction* ClearQueue1_ = nullptr;
  QAction* SaveAsBMPs1_ = nullptr;
  QAction* SaveAsJPEGs1_ = nullptr;
  QAction* SaveasTIFFs1_ = nullptr;
  QAction* Print1_ = nullptr;
  QAction* Exit1_ = nullptr;
  QAction* CopytoClipboard1_ = nullptr;
  QAction* Integrate1_ = nullptr;
  QAction* Remove1_ = nullptr;
  QAction* SignatureMaker1_ = nullptr;
  QAction* HelpManual1_ = nullptr;
  QAction* WebSite1_ = nullptr;
  QAction* EmailSupport1_ = nullptr;
  QAction* About1_ = nullptr;
  QAction* CopytoClipboard2_ = nullptr;
  QAction* ViewActualSize1_ = nullptr;
  QAction* FittoPage1_ = nullptr;
  QAction* BackgroundColor1_ = nullptr;
  QAction* OuterMatteShadowColor1_ = nullptr;
  QAction* OuterMatteShadowSize1_ = nullptr;
  // Commands whose features are not built yet: shown, never enabled.
  std::vector<QObject*> laterCommands_;
};

}  // namespace lumabord
