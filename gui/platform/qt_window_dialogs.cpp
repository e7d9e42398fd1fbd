// The main window's questions and messages as Qt dialogs.
#include "platform/qt_window_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

#include "base/error.h"
#include "photo_dialog_filter.h"
#include "qt_image.h"
#include "window_placement.h"

namespace lumabord {
namespace {

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// Shows the picture under the dialog's cursor beside the file list.
void addPicturePreview(QFileDialog& dialog, const PictureLoader& loader) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid == nullptr) return;
  auto* preview = new QLabel(&dialog);
  preview->setObjectName(QStringLiteral("PicturePreview"));
  preview->setFixedSize(220, 220);
  preview->setAlignment(Qt::AlignCenter);
  preview->setFrameShape(QFrame::StyledPanel);
  grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  QObject::connect(
      &dialog, &QFileDialog::currentChanged, preview, [preview, &loader](const QString& path) {
        preview->clear();
        if (QFileInfo(path).isDir()) return;
        try {
          const QImage image = toQImage(loader.load(path.toStdString()));
          preview->setPixmap(QPixmap::fromImage(image.scaled(
              preview->size() - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
          preview->setToolTip(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height()));
        } catch (const Error&) {
          preview->setText(QStringLiteral("(no preview)"));
        }
      });
}

}  // namespace

std::optional<std::string> QtWindowDialogs::askText(const std::string& title,
                                                    const std::string& prompt) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent_, qs(title), qs(prompt), QLineEdit::Normal, {}, &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

void QtWindowDialogs::message(const std::string& text) {
  QMessageBox::information(parent_, QStringLiteral("Lumabord"), qs(text));
}

void QtWindowDialogs::warning(const std::string& text) {
  QMessageBox::warning(parent_, QStringLiteral("Warning"), qs(text), QMessageBox::Ok);
}

bool QtWindowDialogs::confirmYesNoCancel(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Confirm"), qs(text),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Yes;
}

std::optional<ColorValue> QtWindowDialogs::askColor(ColorValue initial) {
  const QColor chosen = QColorDialog::getColor(toQColor(initial), parent_);
  if (!chosen.isValid()) return std::nullopt;
  return fromQColor(chosen);
}

QString QtWindowDialogs::askNumberText(const QString& caption, const QString& prompt,
                                       const QString& offered) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, offered, &ok);
  return ok ? answer : offered;
}

QStringList QtWindowDialogs::choosePhotos(const QString& filter) {
  QFileDialog dialog(parent_, QStringLiteral("Open"));
  // The preview pane needs Qt's own dialog rather than the desktop's.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(QStringLiteral("jpg"));
  const QStringList filters = qtNameFilters(filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  addPicturePreview(dialog, loader_);
  const QString folder = lastPhotoFolder();
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted) return {};
  rememberPhotoFolder(dialog.directory().absolutePath());
  return dialog.selectedFiles();
}

std::optional<std::filesystem::path> QtWindowDialogs::askSaveFile(const SaveFileRequest& request) {
  QFileDialog dialog(parent_, QStringLiteral("Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The dialog itself asks before an existing file is replaced; it is resizable.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setSizeGripEnabled(true);
  dialog.setDefaultSuffix(qs(request.defaultExtension));
  dialog.setNameFilters(qtNameFilters(qs(request.filter)));
  dialog.selectFile(qs(request.proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

std::optional<std::filesystem::path> QtWindowDialogs::askFolder(
    const QString& label, const std::filesystem::path& proposed) {
  // Qt's folder dialog can make new folders, is resizable and shows the chosen path.
  const QString folder = QFileDialog::getExistingDirectory(
      parent_, label, QString::fromStdString(proposed.string()), QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return std::filesystem::path(folder.toStdString());
}

ReplaceAnswer QtWindowDialogs::askReplace(const std::string& text) {
  const QMessageBox::StandardButton answer = QMessageBox::warning(
      parent_, QStringLiteral("Confirm"), qs(text),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll, QMessageBox::Yes);
  if (answer == QMessageBox::No) return ReplaceAnswer::No;
  if (answer == QMessageBox::YesToAll) return ReplaceAnswer::YesToAll;
  return ReplaceAnswer::Yes;
}

void QtWindowDialogs::error(const std::string& text) {
  QMessageBox::critical(parent_, QStringLiteral("Error"), qs(text));
}

}  // namespace lumabord
