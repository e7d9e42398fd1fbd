// TfrmCanvasPrint: the print layout dialog. The framed image in one of nine places on the
// page, the colour of the printable area, the paper through the main window's page setup,
// fast or compatible printing, a preview of the page, and the print command.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPrinter>
#include <QPushButton>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "compose/color.h"
#include "print/recorded_page.h"

namespace lumabord {

class PrintPreview;

// What the dialog asks of its owner.
struct CanvasPrintServices {
  // The colour chooser preset to a colour; nullopt on Cancel.
  std::function<std::optional<ColorValue>(ColorValue)> askColor;
  // The main window's page setup dialog over setup; true on OK (setup then changed).
  std::function<bool(PageSetup&)> askPageSetup;
  // The general error display.
  std::function<void(const std::string&)> error;
};

class TfrmCanvasPrint : public QDialog {
  Q_OBJECT
 public:
  // pageSetup belongs to the main window and keeps the dialog's changes; printer is the
  // current printer the page is printed on.
  TfrmCanvasPrint(CanvasPrintServices services, PageSetup& pageSetup, QPrinter& printer,
                  QWidget* parent = nullptr);
  ~TfrmCanvasPrint() override;

  // The scaled framed image; the caller fills it before BuildPage.
  std::shared_ptr<Image> PrintImage;
  ImagePosition PagePosition = ImagePosition::Center;
  ColorValue PageColor = kClWhite;

  // Records the page anew from the current state; without the guide when for printing.
  void BuildPage(bool forPrinting);
  // The button of PagePosition in bold, the eight others in normal weight.
  void MarkPosition();

  [[nodiscard]] const RecordedPage& page() const;
  [[nodiscard]] PrintPreview* preview() const { return PrintPreview1_; }
  [[nodiscard]] bool fastPrint() const { return chkFastPrint_->isChecked(); }

 private:
  void positionClick(ImagePosition position);
  void Button4Click();  // "Background..."
  void Button1Click();  // "Paper Setup"
  void Button2Click();  // "Print"
  void paintSwatch();

  CanvasPrintServices services_;
  PageSetup& pageSetup_;
  QPrinter& printer_;
  PrintPreview* PrintPreview1_ = nullptr;
  std::array<QPushButton*, 9> positionButtons_{};  // indexed by ImagePosition
  QWidget* panPaper_ = nullptr;
  QCheckBox* chkFastPrint_ = nullptr;
};

}  // namespace lumabord
