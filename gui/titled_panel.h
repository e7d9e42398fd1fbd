// A panel in the window's design colours: light grey-blue body under a blue title strip.
#pragma once

#include <QFrame>
#include <QLabel>

namespace lumabord {

class TitledPanel : public QFrame {
  Q_OBJECT
 public:
  TitledPanel(const QString& objectName, const QString& title, QWidget* parent = nullptr);

  void setTitle(const QString& title);
  [[nodiscard]] QString title() const;
  // The area below the title; callers give it a layout.
  [[nodiscard]] QWidget* body() const { return body_; }

 private:
  QLabel* title_;
  QWidget* body_;
};

}  // namespace lumabord
