// lumabord-cli print: the framed photo on one page, into a PDF file or onto a CUPS printer,
// laid out and recorded exactly as the window's print dialog does it. Exit status 0 when the
// page was written or the job accepted, 1 on an error, 2 for usage.
#include <unistd.h>

#include <QGuiApplication>
#include <QPrinterInfo>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/error.h"
#include "command.h"
#include "frame_settings.h"
#include "output/frame_engine.h"
#include "page_printer.h"
#include "print/print_image.h"
#include "print_options.h"

namespace lumabord::cli {
namespace {

namespace fs = std::filesystem;

// Qt's printing needs an application object; the command runs without a display.
std::unique_ptr<QGuiApplication> startQt() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The command reports its own errors; Qt's notes about the environment are not for users.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  static int argc = 1;
  static char name[] = "lumabord-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The PDF is written beside its target and renamed over it only when complete.
class TemporaryPdf {
 public:
  explicit TemporaryPdf(const fs::path& target) : target_(target) {
    std::string pattern = (target.parent_path().empty() ? fs::path(".") : target.parent_path()) /
                          ("." + target.filename().string() + ".XXXXXX");
    const int fd = mkstemp(pattern.data());
    if (fd < 0) fail("Cannot create file %s", target.c_str());
    ::close(fd);
    path_ = pattern;
  }
  ~TemporaryPdf() {
    std::error_code ec;
    if (!path_.empty()) fs::remove(path_, ec);
  }
  TemporaryPdf(const TemporaryPdf&) = delete;
  TemporaryPdf& operator=(const TemporaryPdf&) = delete;
  [[nodiscard]] const fs::path& path() const { return path_; }
  void commit() {
    std::error_code ec;
    fs::permissions(path_,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    ec);
    fs::rename(path_, target_, ec);
    if (ec) fail("Cannot create file %s", target_.c_str());
    path_.clear();
  }

 private:
  fs::path target_;
  fs::path path_;
};

int runPrint(std::vector<std::string> arguments) {
  const PrintOptions options = parsePrintOptions(std::move(arguments));
  const auto app = startQt();
  QPrinter printer(QPrinter::HighResolution);
  std::unique_ptr<TemporaryPdf> pdf;
  if (options.pdf) {
    pdf = std::make_unique<TemporaryPdf>(*options.pdf);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf->path().string()));
  } else {
    const QString name = QString::fromStdString(*options.printer);
    if (QPrinterInfo::printerInfo(name).isNull()) {
      fail("There is no printer named \"%s\"", options.printer->c_str());
    }
    printer.setPrinterName(name);
  }

  MainSignature signature;
  const FrameJob job = loadFrameJob(options.frame, signature);
  StandardFrameEngine engine(job.assets, &signature.signature(), job.photo);
  PageRequest request;
  request.image = std::make_shared<const Image>(
      framedPrintImage(engine, job.spec, options.frame.photos.front()));
  request.setup = options.setup;
  applyPageSetup(printer, options.setup);
  request.printerDpiX = request.printerDpiY = printer.resolution();
  request.screenDpi = options.screenDpi;
  request.position = options.position;
  request.pageColor = options.pageColor;
  request.forPrinting = true;
  const RecordedPage page = BuildPage(request);
  try {
    printPage(printer, page, !options.compatible, options.screenDpi);
  } catch (const Error&) {
    if (options.pdf) fail("Cannot create file %s", options.pdf->c_str());
    throw;
  }
  if (pdf) pdf->commit();
  return 0;
}

const CommandRegistration kRegister{{"print", kPrintUsage, runPrint}};

}  // namespace
}  // namespace lumabord::cli
