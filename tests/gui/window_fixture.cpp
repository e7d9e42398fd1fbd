// The window tests' shared fakes and rig.
#include "window_fixture.h"

#include <QTimer>
#include <cstdlib>

#include "base/error.h"
#include "compose/style_file.h"

namespace lumabord::testing {

Image sizedPhoto(const std::filesystem::path& path) {
  const QStringList parts = QString::fromStdString(path.stem().string()).split(QLatin1Char('x'));
  if (path.stem() == "corrupt") fail("Not a JPEG file: starts with 0x00 0x00");
  if (parts.size() != 2) fail("Cannot open file %s", path.c_str());
  return Image(parts[0].toInt(), parts[1].toInt(), Rgb{10, 20, 30});
}

void BandRenderer::render(const FrameSpec& spec, Image& photo, bool queueEmpty,
                          const std::filesystem::path&, RenderSteps& steps, Image& target) {
  ++renders;
  deepest = std::max(deepest, ++depth);
  lastSpec = spec;
  lastQueueEmpty = queueEmpty;
  if (duringRender) duringRender();
  if (failing || spec.InnerWidth > widestInner) {
    --depth;
    if (failing) fail("Cannot open file %s", "Image Textures/oak.jpg");
    fail("The inner matte of %d pixels is beyond the limit", spec.InnerWidth);
  }
  steps.ShowRenderStep("Drawing Inner Matte");
  target = Image(photo.width() + 2 * spec.InnerWidth, photo.height() + 2 * spec.InnerWidth,
                 Rgb{9, 9, 9});
  steps.ShowRenderStep(" ");
  --depth;
}

WindowRig::WindowRig() {
  qputenv("LUMABORD_REGISTRY", QByteArray::fromStdString((dir / "registry.reg").string()));
  qunsetenv("LUMABORD_HOME");
}

WindowRig::~WindowRig() {
  window_.reset();
}

TfrmMain& WindowRig::open(const QStringList& arguments) {
  close();
  window_ = makeWindow(arguments);
  return *window_;
}

std::unique_ptr<TfrmMain> WindowRig::makeWindow(const QStringList& arguments) {
  MainWindowServices services;
  services.programFile = programFile.empty() ? dir / "lumabord" : programFile;
  services.dialogs = &dialogs;
  services.clipboard = &clipboard;
  services.screen = &headlessScreenPixels();
  services.loader = &loader;
  services.renderer = &renderer;
  services.engine = engine;
  services.opener = &opener;
  services.separators = NumberSeparators{".", ","};
  return std::make_unique<TfrmMain>(std::move(services), arguments);
}

void WindowRig::discard() {
  window_.reset();
}

void WindowRig::close() {
  if (!window_) return;
  window_->close();
  window_.reset();
}

std::filesystem::path WindowRig::touch(const std::string& relative) const {
  return dir.write(relative, std::string());
}

void WindowRig::writeStyle(const std::string& name, int left, int inner) const {
  DesignControls controls;
  controls.txtLeft = controls.txtTop = controls.txtRight = controls.txtBottom = left;
  controls.txtInnerWidth = inner;
  controls.rdoFrame2 = controls.rdoOuterMatte2 = controls.rdoInnerMatte2 = false;
  std::filesystem::create_directories(dir / "Image Styles");
  WriteStyle(controls, dir.path(), name);
}

void answerNextModal(std::function<void(QWidget*)> check) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, check] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    check(modal);
  });
  timer->start();
}

}  // namespace lumabord::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumabord"));
  // The install test runs only the test of the installed program.
  if (qEnvironmentVariableIsSet("LUMABORD_INSTALLED_PROGRAM")) {
    return lumabord::testing::runKeptWorkTests(argc, argv);
  }
  int failures = lumabord::testing::runMainWindowTests(argc, argv);
  failures += lumabord::testing::runBatchWindowTests(argc, argv);
  failures += lumabord::testing::runKeptWorkTests(argc, argv);
  failures += lumabord::testing::runPrintWindowTests(argc, argv);
  failures += lumabord::testing::runHelpWindowTests(argc, argv);
  return failures;
}
