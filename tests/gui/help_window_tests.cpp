// The "&Options" and "&Help" menus: the context-menu library linked from the program folder,
// the manual, web site and support mail through the desktop, and the About box.
#include <dlfcn.h>
#include <zlib.h>

#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <cstdlib>

#include "tfrm_about.h"
#include "titled_panel.h"
#include "window_fixture.h"

namespace lumabord::testing {
namespace {

namespace fs = std::filesystem;

// Clicks a label where a person would.
void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

class HelpWindowTest : public QObject {
  Q_OBJECT

  WindowRig& rig() { return *rig_; }
  void trigger(const char* action) { rig().child<QAction>(action)->trigger(); }

  std::unique_ptr<WindowRig> rig_;

 private slots:
  void init() {
    rig_ = std::make_unique<WindowRig>();
    rig().open();
  }
  void cleanup() { rig_.reset(); }

  void menusNameTheFileManagerAndAreEnabled() {
    const struct {
      const char* name;
      QString caption;
      QKeySequence shortcut;
    } items[] = {
        {"Integrateintofilemanagerrightclickmenu1",
         "Integrate into file manager right click menu",
         {}},
        {"Removefromfilemanagerrightclickmenu1", "Remove from file manager right click menu", {}},
        {"HelpManual1", "Help Manual", QKeySequence(Qt::Key_F1)},
        {"WebSite1", "Web Site", {}},
        {"EmailSupport1", "Email Support", {}},
        {"About1", "About", QKeySequence(Qt::Key_F8)},
    };
    for (const auto& item : items) {
      QAction* action = rig().child<QAction>(item.name);
      QCOMPARE(action->text(), item.caption);
      QCOMPARE(action->shortcut(), item.shortcut);
      QVERIFY2(action->isEnabled(), item.name);
    }
  }

  void linkingTheLibraryRegistersOrSaysWhatIsWrong() {
    const char* integrate = "Integrateintofilemanagerrightclickmenu1";
    const char* remove = "Removefromfilemanagerrightclickmenu1";
    // No library in the program folder.
    trigger(integrate);
    trigger(remove);
    QCOMPARE(rig().dialogs.messages,
             (std::vector<std::string>{"There was a problem linking cvaframe.dll",
                                       "There was a problem linking cvaframe.dll"}));

    // A library without the entry points: a message naming the missing one.
    Dl_info zlib{};
    QVERIFY(dladdr(reinterpret_cast<void*>(&zlibVersion), &zlib) != 0);
    fs::copy_file(zlib.dli_fname, rig().dir / "cvaframe.dll");
    rig().dialogs.messages.clear();
    trigger(integrate);
    QCOMPARE(rig().dialogs.messages,
             (std::vector<std::string>{"cvaframe.dll has no entry point DllRegisterServer"}));

    // The real library registers twice without a word and removes again.
    fs::copy_file(LUMABORD_BINARY_DIR "/cvaframe.dll", rig().dir / "cvaframe.dll",
                  fs::copy_options::overwrite_existing);
    rig().touch("lumabord");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString((rig().dir / "home").string()));
    qunsetenv("XDG_DATA_HOME");
    const fs::path entry = rig().dir / "home/.local/share/applications/lumabord-frame.desktop";
    rig().dialogs.messages.clear();
    trigger(integrate);
    trigger(integrate);
    const bool registered = fs::exists(entry);
    trigger(remove);
    const bool removed = !fs::exists(entry);
    qputenv("HOME", home);
    QVERIFY(registered);
    QVERIFY(removed);
    QVERIFY(rig().dialogs.messages.empty());
  }

  void helpItemsOpenTheManualTheSiteAndAMail() {
    trigger("HelpManual1");
    trigger("WebSite1");
    trigger("EmailSupport1");
    const QString manual =
        QUrl::fromLocalFile(
            QString::fromStdString((rig().dir / "LumabordHelp/index.html").string()))
            .toString();
    QCOMPARE(rig().opener.opened, (QStringList{manual, "https://lumabord.example.org/",
                                               "mailto:support@example.org?SUBJECT=Lumabord"}));
    QCOMPARE(rig().opener.folders.front(), QString::fromStdString(rig().dir.path().string()));
  }

  void aboutBoxShowsItsRowsAndReportsAFailedLink() {
    rig().opener.failStatus = 3;
    bool checked = false;
    answerNextModal([&](QWidget* modal) {
      auto* about = qobject_cast<TfrmAbout*>(modal);
      QVERIFY(about);
      QCOMPARE(about->windowTitle(), QString("About"));
      QCOMPARE(about->size(), QSize(287, 297));
      QCOMPARE(about->findChild<TitledPanel*>("panAbout")->title(), QString("Corvella Lumabord"));
      const std::pair<const char*, QString> rows[] = {
          {"lblNameCaption", "Program Name:"}, {"lblName", "Lumabord"},
          {"lblVersionCaption", "Version:"},   {"lblVersion", "2.1.1"},
          {"lblWebCaption", "Website:"},       {"lblWeb", "lumabord.example.org"},
          {"lblEmailCaption", "Email:"},       {"lblEmail", "support@example.org"},
      };
      for (const auto& [name, text] : rows) QCOMPARE(about->findChild<QLabel*>(name)->text(), text);
      for (const char* link : {"lblWeb", "lblEmail"}) {
        auto* label = about->findChild<QLabel*>(link);
        QVERIFY2(label->width() >= label->sizeHint().width(), link);  // shown whole
      }
      auto* email = about->findChild<QLabel*>("lblEmail");
      QVERIFY(email->styleSheet().contains("#000080"));
      QVERIFY(email->styleSheet().contains("underline"));
      click(email);
      click(about->findChild<QLabel*>("lblWeb"));
      QVERIFY(about->isVisible());  // a failed link leaves the dialog open
      about->findChild<QPushButton*>("cmdOK")->click();
      checked = true;
    });
    trigger("About1");
    QVERIFY(checked);
    QCOMPARE(rig().opener.opened,
             (QStringList{"mailto:support@example.org", "https://lumabord.example.org/"}));
    QCOMPARE(rig().dialogs.messages,
             (std::vector<std::string>{
                 "error: ShellExecute \"support@example.org\" Failed with Error: 3",
                 "error: ShellExecute \"lumabord.example.org\" Failed with Error: 3"}));
  }
};

}  // namespace

int runHelpWindowTests(int argc, char** argv) {
  HelpWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace lumabord::testing

#include "help_window_tests.moc"
