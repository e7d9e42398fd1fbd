// The About box: a fixed 287 x 297 dialog with one titled panel of four rows and "OK".
#include "tfrm_about.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/links.h"
#include "app/version.h"
#include "titled_panel.h"

namespace lumabord {
namespace {

// A line of navy underlined text that opens its link when clicked.
class LinkLabel final : public QLabel {
 public:
  LinkLabel(const QString& text, std::function<void()> clicked, QWidget* parent)
      : QLabel(text, parent), clicked_(std::move(clicked)) {
    setStyleSheet(QStringLiteral("color: #000080; text-decoration: underline;"));
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      clicked_();
    }
  }

 private:
  std::function<void()> clicked_;
};

QLabel* caption(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

TfrmAbout::TfrmAbout(DesktopOpener& opener, ShowError showError, QWidget* parent)
    : QDialog(parent), opener_(opener), showError_(std::move(showError)) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(287, 297);

  auto* panel =
      new TitledPanel(QStringLiteral("panAbout"), QStringLiteral("Corvella Lumabord"), this);
  auto* grid = new QGridLayout(panel->body());
  grid->setContentsMargins(12, 16, 12, 16);
  grid->setVerticalSpacing(14);
  grid->setColumnStretch(1, 1);
  grid->addWidget(caption("lblNameCaption", "Program Name:", panel->body()), 0, 0);
  grid->addWidget(caption("lblName", "Lumabord", panel->body()), 0, 1);
  grid->addWidget(caption("lblVersionCaption", "Version:", panel->body()), 1, 0);
  grid->addWidget(caption("lblVersion", std::string(kVersion).c_str(), panel->body()), 1, 1);
  grid->addWidget(caption("lblWebCaption", "Website:", panel->body()), 2, 0);
  grid->addWidget(linkLabel("lblWeb", QString::fromUtf8(webSiteText().data(), webSiteText().size()),
                            QString::fromUtf8(kWebSite.data(), kWebSite.size())),
                  2, 1);
  grid->addWidget(caption("lblEmailCaption", "Email:", panel->body()), 3, 0);
  const QString mail =
      QString::fromUtf8(kSupportEmail.data(), static_cast<qsizetype>(kSupportEmail.size()));
  grid->addWidget(linkLabel("lblEmail", mail, QStringLiteral("mailto:") + mail), 3, 1);
  grid->setRowStretch(4, 1);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(panel, 1);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QLabel* TfrmAbout::linkLabel(const char* name, const QString& text, const QString& link) {
  auto* label = new LinkLabel(
      text, [this, link, text] { openLink(link, text); }, this);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

void TfrmAbout::openLink(const QString& link, const QString& text) {
  QPointer<TfrmAbout> self(this);
  opener_.open(link, QString(), [self, text](int status) {
    if (!self) return;
    self->showError_(QString::asprintf("ShellExecute \"%s\" Failed with Error: %d",
                                       text.toUtf8().constData(), status)
                         .toStdString());
  });
}

}  // namespace lumabord
