// The print layout dialog.
#include "tfrm_canvas_print.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "base/error.h"
#include "page_printer.h"
#include "print_preview.h"
#include "qt_image.h"
#include "titled_panel.h"

namespace lumabord {
namespace {

constexpr int kButtonSide = 57;

struct PositionButton {
  ImagePosition position;
  int row, column;
  const char* name;
  const char* caption;
};

// The 3 x 3 grid; two-word captions stand on two lines.
constexpr std::array<PositionButton, 9> kPositionButtons{{
    {ImagePosition::TopLeft, 0, 0, "cmdTopLeft", "Top\nLeft"},
    {ImagePosition::Top, 0, 1, "cmdTop", "Top"},
    {ImagePosition::TopRight, 0, 2, "cmdTopRight", "Top\nRight"},
    {ImagePosition::Left, 1, 0, "cmdLeft", "Left"},
    {ImagePosition::Center, 1, 1, "cmdMiddle", "Center"},
    {ImagePosition::Right, 1, 2, "cmdRight", "Right"},
    {ImagePosition::BottomLeft, 2, 0, "cmdBottomLeft", "Bottom\nLeft"},
    {ImagePosition::Bottom, 2, 1, "cmdBottom", "Bottom"},
    {ImagePosition::BottomRight, 2, 2, "cmdBottomRight", "Bottom\nRight"},
}};

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TfrmCanvasPrint::TfrmCanvasPrint(CanvasPrintServices services, PageSetup& pageSetup,
                                 QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      PrintImage(std::make_shared<Image>()),
      services_(std::move(services)),
      pageSetup_(pageSetup),
      printer_(printer) {
  setObjectName(QStringLiteral("frmCanvasPrint"));
  setWindowTitle(QStringLiteral("Print"));
  setFixedSize(683, 487);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* previewPanel = new TitledPanel(QStringLiteral("Label2"), QStringLiteral("Print Preview"));
  PrintPreview1_ = new PrintPreview(previewPanel->body());
  PrintPreview1_->setFixedSize(349, 349);
  auto* previewLayout = new QVBoxLayout(previewPanel->body());
  previewLayout->setContentsMargins(0, 0, 0, 0);
  previewLayout->addWidget(PrintPreview1_);

  auto* positionPanel = new TitledPanel(QStringLiteral("Label1"), QStringLiteral("Image Position"));
  auto* grid = new QGridLayout(positionPanel->body());
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setSpacing(4);
  for (const PositionButton& entry : kPositionButtons) {
    QPushButton* b = button(entry.name, QString::fromLatin1(entry.caption), positionPanel->body());
    b->setFixedSize(kButtonSide, kButtonSide);
    grid->addWidget(b, entry.row, entry.column);
    positionButtons_[static_cast<size_t>(entry.position)] = b;
    connect(b, &QPushButton::clicked, this,
            [this, position = entry.position] { positionClick(position); });
  }

  auto* optionsPanel = new TitledPanel(QStringLiteral("Label8"), QStringLiteral("More Options"));
  QPushButton* Button4 = button("Button4", QStringLiteral("Background..."), optionsPanel->body());
  panPaper_ = new QFrame(optionsPanel->body());
  panPaper_->setObjectName(QStringLiteral("panPaper"));
  panPaper_->setFixedSize(40, 22);
  panPaper_->setAutoFillBackground(true);
  static_cast<QFrame*>(panPaper_)->setFrameShape(QFrame::Box);
  chkFastPrint_ = new QCheckBox(QStringLiteral("Fast Print"), optionsPanel->body());
  chkFastPrint_->setObjectName(QStringLiteral("chkFastPrint"));
  chkFastPrint_->setChecked(true);
  auto* options = new QGridLayout(optionsPanel->body());
  options->setContentsMargins(10, 10, 10, 10);
  options->addWidget(Button4, 0, 0);
  options->addWidget(panPaper_, 0, 1);
  options->addWidget(chkFastPrint_, 1, 0, 1, 2);

  QPushButton* Button1 = button("Button1", QStringLiteral("Paper Setup"), this);
  QPushButton* Button2 = button("Button2", QStringLiteral("Print"), this);
  QPushButton* Button7 = button("Button7", QStringLiteral("Cancel"), this);
  Button2->setDefault(true);
  auto* commands = new QHBoxLayout;
  commands->addWidget(Button1);
  commands->addStretch();
  commands->addWidget(Button2);
  commands->addWidget(Button7);

  auto* right = new QVBoxLayout;
  right->addWidget(positionPanel);
  right->addWidget(optionsPanel);
  right->addStretch();
  right->addLayout(commands);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(10);
  layout->addWidget(previewPanel, 0, Qt::AlignTop);
  layout->addLayout(right, 1);

  connect(Button4, &QPushButton::clicked, this, &TfrmCanvasPrint::Button4Click);
  connect(Button1, &QPushButton::clicked, this, &TfrmCanvasPrint::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmCanvasPrint::Button2Click);
  connect(Button7, &QPushButton::clicked, this, &QDialog::reject);

  paintSwatch();
  MarkPosition();
}

TfrmCanvasPrint::~TfrmCanvasPrint() = default;

const RecordedPage& TfrmCanvasPrint::page() const {
  return PrintPreview1_->page();
}

void TfrmCanvasPrint::BuildPage(bool forPrinting) {
  PageRequest request;
  request.setup = pageSetup_;
  request.printerDpiX = request.printerDpiY = printer_.resolution();
  request.screenDpi = logicalDpiX();
  request.image = PrintImage;
  request.position = PagePosition;
  request.pageColor = PageColor;
  request.forPrinting = forPrinting;
  PrintPreview1_->setPage(lumabord::BuildPage(request));
}

void TfrmCanvasPrint::MarkPosition() {
  for (size_t i = 0; i < positionButtons_.size(); ++i) {
    QFont font = positionButtons_[i]->font();
    font.setBold(i == static_cast<size_t>(PagePosition));
    positionButtons_[i]->setFont(font);
  }
}

void TfrmCanvasPrint::positionClick(ImagePosition position) {
  PagePosition = position;
  MarkPosition();
  BuildPage(false);
}

void TfrmCanvasPrint::Button4Click() {
  const auto chosen = services_.askColor(PageColor);
  if (!chosen) return;
  PageColor = *chosen;
  paintSwatch();
  BuildPage(false);
}

void TfrmCanvasPrint::Button1Click() {
  PageSetup edited = pageSetup_;
  if (!services_.askPageSetup(edited)) return;
  pageSetup_ = edited;
  BuildPage(false);
}

void TfrmCanvasPrint::Button2Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::string failure;
  try {
    applyPageSetup(printer_, pageSetup_);
    BuildPage(true);
    printPage(printer_, page(), fastPrint(), logicalDpiX());
  } catch (const std::exception& e) {
    failure = e.what();
  }
  QApplication::restoreOverrideCursor();
  if (!failure.empty()) services_.error(failure);
  accept();
}

void TfrmCanvasPrint::paintSwatch() {
  QPalette swatch = panPaper_->palette();
  swatch.setColor(QPalette::Window, toQColor(PageColor));
  panPaper_->setPalette(swatch);
}

}  // namespace lumabord
