// TfrmMain: the main window, a thin view over MainModel. A column of frame-design controls,
// the live preview, the photo queue buttons, the output commands, menus and status bar; the
// model decides what happens and when the preview is rendered.
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
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_model.h"
#include "app/signature_state.h"
#include "codecs/image_writers.h"
#include "codecs/picture_loader.h"
#include "desktop_opener.h"
#include "output/batch_output.h"
#include "platform/clipboard.h"
#include "platform/screen_pixels.h"
#include "window_dialogs.h"

class QGridLayout;

namespace lumabord {

class ClickableLabel;
class GuiBatchPrompts;
class ColorComboBox;
class IntegerField;
class PreviewView;
class QueueStrip;
class ScreenColorPicker;
class TitledPanel;

// What the window works with besides its own widgets.
struct MainWindowServices {
  std::filesystem::path
      programFile;  // the program; its folder holds the assets (empty: this process)
  WindowDialogs* dialogs = nullptr;
  Clipboard* clipboard = nullptr;
  const ScreenPixels* screen = nullptr;
  const PictureLoader* loader = nullptr;       // photos of the queue; nullptr: the readers
  PreviewRenderer* renderer = nullptr;         // nullptr: ComposeFrame
  FrameEngine* engine = nullptr;               // batch steps; nullptr: the program's own
  std::optional<NumberSeparators> separators;  // nullopt: the user's locale
  DesktopOpener* opener = nullptr;             // links and the manual; nullptr: xdg-open
};

// The help manual beside the program: an HTML manual, opened in the desktop's browser.
[[nodiscard]] std::filesystem::path helpManualFile(const std::filesystem::path& appPath);

class TfrmMain : public QMainWindow, private MainView {
  Q_OBJECT
 public:
  // Runs the start-up sequence; nothing is rendered until the first activation.
  TfrmMain(MainWindowServices services, const QStringList& arguments, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The first activation maximises the window and renders the first preview.
  void FormActivate();
  void CopyPreviewToClipboard();
  // Tools > "Signature Maker" (Ctrl+W) and the "Signature" button: the signature dialog; OK
  // makes its design the signature and shows it.
  void SignatureMaker1Click();
  // Stores the settings and recent files as closing does, without closing (the session
  // manager's save request); later saves write only what changed since.
  void SaveSettingsNow();
  // The six output commands: the destination questions, then the batch.
  void CreateFramedFiles(OutputFormat format);
  // The print command: the framed image of WorkPhoto in the print layout dialog.
  void PrintFramedImage();

  // Commands that render on their own (output, printing) call this first: false, with a
  // status message, while a preview rendering runs, so they never share its images.
  [[nodiscard]] bool claimRenderer();

  // State the tests and other commands look at.
  [[nodiscard]] MainModel& model() { return model_; }
  [[nodiscard]] int renderCount() const { return model_.RenderRequests; }
  [[nodiscard]] bool batchRunning() const { return batchRunning_; }
  [[nodiscard]] bool picking() const;
  [[nodiscard]] QString statusText() const;
  [[nodiscard]] QString stepText() const;

 signals:
  // A rendering finished and the preview shows its result.
  void previewRendered();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Enter presses "&Add..." (or the focused button); a text field keeps Enter for itself.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // MainView: what the model asks of the window.
  void statusChanged(const std::string& text) override;
  void renderStepChanged(const std::string& text) override;
  void processPendingEvents() override;
  void setBusy(bool busy) override;
  void showMessage(const std::string& text) override;
  void showError(const std::string& text) override;
  std::string inputBox(const std::string& caption, const std::string& prompt,
                       const std::string& offered) override;
  std::optional<ColorValue> chooseColor(ColorValue initial) override;
  std::vector<std::string> choosePhotos(const std::string& filter) override;
  void modelChanged() override;
  void previewChanged() override;
  void stopColorPicker() override;
  void terminateApplication() override;

  // The three element panels (frame, outer matte, inner matte) share one layout: an
  // optional row on top, the colour row with its picker button, the texture row.
  struct ElementNames {
    const char* panel;
    const char* title;
    const char* colorOption;
    const char* color;
    const char* picker;
    const char* textureOption;
    const char* texture;
  };
  struct ElementWidgets {
    TitledPanel* panel = nullptr;
    QGridLayout* grid = nullptr;
    int nextRow = 0;  // the first grid row below the texture row
    QRadioButton* colorOption = nullptr;
    ColorComboBox* color = nullptr;
    QToolButton* picker = nullptr;
    QRadioButton* textureOption = nullptr;
    QComboBox* texture = nullptr;
  };

  // Building the window.
  void createWidgets();
  QWidget* createTopBand();
  QWidget* createDesignColumn();
  QWidget* createStylePanel();
  QWidget* createOutputPanel();
  ElementWidgets createElementPanel(const ElementNames& names, bool topRow);
  QWidget* createFramePanel();
  QWidget* createOuterMattePanel();
  QWidget* createInnerMattePanel();
  QWidget* createPreviewPanel();
  void createStatusBar();
  void createActions();
  void createConnections();
  void connectDesignHandlers();
  void connectHelpCommands();
  void updateActions();
  void rebuildRecentFiles();

  // The queue strip, dropped files, undo and redo, the placement (tfrm_main_queue.cpp).
  QWidget* createQueueStrip();
  void createQueueCommands();
  void dropFiles(const std::vector<std::filesystem::path>& paths);
  void showQueueStrip();
  // Options > Auto Orient Photos: the photos upright by their orientation tag, or as stored.
  void AutoOrient1Click(bool on);
  void updateQueueActions();
  void restorePlacement();
  void savePlacement() const;

  // Binding the design widgets to the model.
  void showDesign();  // model -> widgets
  void readDesign();  // widgets -> model
  void showSaveLabel();
  void setPreviewBackground(ColorValue color);

  // Window events that the model handles.
  void marginKeyReleased(int key);
  void startPicking(int target);
  void endPicking();

  // Style operations.
  void styleAddClick();
  void styleDelClick();
  void styleSaveClick();

  MainWindowServices services_;
  // The signature the renderer and the batch draw (before model_, which uses both).
  MainSignature signature_;
  std::unique_ptr<PreviewRenderer> signatureRenderer_;
  MainModel model_;

  // Batch output: the queue as paths and the JPEG settings as the batch reads them.
  std::unique_ptr<StandardFrameEngine> ownEngine_;
  std::vector<std::filesystem::path> batchQueue_;
  JpegOptions batchJpeg_;
  std::unique_ptr<BatchOutput> batch_;
  bool batchRunning_ = false;
  GuiBatchPrompts* runningPrompts_ = nullptr;  // the running batch's progress, for closing
  bool closeAfterBatch_ = false;

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
  ElementWidgets frame_;
  ElementWidgets outerMatte_;
  ElementWidgets innerMatte_;
  QComboBox* cboFrameMask_ = nullptr;
  QComboBox* cboShadow_ = nullptr;
  IntegerField* txtLeft_ = nullptr;
  IntegerField* txtTop_ = nullptr;
  IntegerField* txtRight_ = nullptr;
  IntegerField* txtBottom_ = nullptr;
  QCheckBox* chkShadowOuter_ = nullptr;
  QCheckBox* chkSignature_ = nullptr;
  QPushButton* cmdSignature_ = nullptr;
  IntegerField* txtInnerWidth_ = nullptr;
  QWidget* panPreview_ = nullptr;
  PreviewView* imgPreview_ = nullptr;
  QLabel* SmoothLabel3D1_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* statusPanel0_ = nullptr;
  QLabel* statusPanel1_ = nullptr;
  ScreenColorPicker* picker_ = nullptr;
  QueueStrip* lstQueue_ = nullptr;

  // Menus and actions.
  QMenu* RecentFiles1_ = nullptr;
  QAction* MRUFileMenu_ = nullptr;
  std::vector<QAction*> recentItems_;  // the items TMRUFiles put after MRUFileMenu
  QMenu* previewMenu_ = nullptr;
  QAction* Open1_ = nullptr;
  QAction* ClearQueue1_ = nullptr;
  QAction* SaveAsBMPs1_ = nullptr;
  QAction* SaveAsPNGs1_ = nullptr;
  QAction* SaveAsJPEGs1_ = nullptr;
  QAction* SaveasTIFFs1_ = nullptr;
  QAction* PrintPreview1_ = nullptr;
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
  QAction* Undo1_ = nullptr;
  QAction* Redo1_ = nullptr;
  QAction* AutoOrient1_ = nullptr;
  QAction* QueueStrip1_ = nullptr;
};

}  // namespace lumabord
