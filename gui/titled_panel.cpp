// A panel in the window's design colours.
#include "titled_panel.h"

#include <QVBoxLayout>

#include "window_colors.h"

namespace lumabord {

TitledPanel::TitledPanel(const QString& objectName, const QString& title, QWidget* parent)
    : QFrame(parent), title_(new QLabel(title, this)), body_(new QWidget(this)) {
  setObjectName(objectName);
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette bodyPalette = palette();
  bodyPalette.setColor(QPalette::Window, toQColor(kPanelColor));
  // The body is light in every desktop theme, so its captions stay dark; entry fields keep
  // the theme's own base and text pair.
  bodyPalette.setColor(QPalette::WindowText, Qt::black);
  setPalette(bodyPalette);

  title_->setObjectName(objectName + "Title");
  title_->setAutoFillBackground(true);
  QPalette titlePalette = title_->palette();
  titlePalette.setColor(QPalette::Window, toQColor(kPanelTitleColor));
  titlePalette.setColor(QPalette::WindowText, Qt::white);
  title_->setPalette(titlePalette);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  title_->setContentsMargins(6, 3, 6, 3);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  layout->addWidget(title_);
  // The title keeps its own height; the body takes the rest, also when its children are
  // placed by hand and it has no size of its own to ask for.
  layout->addWidget(body_, 1);
}

void TitledPanel::setTitle(const QString& title) {
  title_->setText(title);
}

QString TitledPanel::title() const {
  return title_->text();
}

}  // namespace lumabord
