// The context-menu library: Exec quoting, the Thunar merge, and the built cvaframe.dll
// registering and unregistering in a temporary home, launched as a file manager would.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <map>

#include "file_manager_entries.h"
#include "support/temp_dir.h"
#include "thunar_actions.h"

namespace lumabord::shellext {
namespace {
namespace fs = std::filesystem;
using testing::readText;
using testing::TempDir;

TEST(ExecQuoting, FollowsTheDesktopEntryAndShellRules) {
  const struct {
    std::string path, desktop, shell;
  } cases[] = {
      {"/usr/lib/lumabord/lumabord", "/usr/lib/lumabord/lumabord", "'/usr/lib/lumabord/lumabord'"},
      {"/opt/My Apps/lumabord", "\"/opt/My Apps/lumabord\"", "'/opt/My Apps/lumabord'"},
      // Each backslash of the quoting rule is escaped again as a string value.
      {"/a\"b$c`d/x", "\"/a\\\\\"b\\\\$c\\\\`d/x\"", "'/a\"b$c`d/x'"},
      {"/a\\b", "\"/a\\\\\\\\b\"", "'/a\\b'"},
      {"/it's", "\"/it's\"", "'/it'\\''s'"},
      {"/100%/x", "/100%%/x", "'/100%/x'"},
      {"/Bilder/Größe", "/Bilder/Größe", "'/Bilder/Größe'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desktopExecArgument(c.path), c.desktop) << c.path;
    EXPECT_EQ(shellArgument(c.path), c.shell) << c.path;
  }
}

constexpr std::string_view kUserActions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n<action>\n"
    "\t<icon>utilities-terminal</icon>\n\t<name>Open Terminal Here</name>\n"
    "\t<unique-id>1597-1</unique-id>\n\t<command>exo-open --working-directory %f</command>\n"
    "</action>\n</actions>\n";

TEST(ThunarActions, MergeKeepsTheUserActionsAndRemovesOnlyOurs) {
  const std::string ours = thunarActionElement("'/p/lumabord' %F");
  const struct {
    std::string document;
    bool understood;
  } cases[] = {
      {std::string(kUserActions), true},
      {"<?xml version=\"1.0\"?>\n<actions><action><unique-id>x</unique-id></action></actions>",
       true},
      {thunarActionsDocument(""), true},
      {"<html></html>\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    const auto merged = mergeThunarAction(c.document, ours);
    ASSERT_EQ(merged.has_value(), c.understood) << c.document;
    if (!merged) continue;
    EXPECT_NE(merged->find(ours), std::string::npos);
    EXPECT_EQ(mergeThunarAction(*merged, ours), merged) << "merging twice adds nothing twice";
    // A changed command replaces our action instead of adding a second one.
    const auto moved = mergeThunarAction(*merged, thunarActionElement("'/q/lumabord' %F"));
    EXPECT_EQ(moved->find("/p/lumabord"), std::string::npos);
    EXPECT_EQ(removeThunarAction(*moved), c.document) << "removal restores every byte";
  }
}

// Every file and folder under root with its bytes (folders as "/").
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    tree[name] = entry.is_directory() ? "/" : readText(entry.path());
  }
  return tree;
}

int run(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The built library, copied into an awkward program folder beside a stand-in program that
// writes its arguments, one per line, to argv.txt in the current folder.
class InstalledLibrary {
 public:
  explicit InstalledLibrary(const fs::path& folder) : folder_(folder) {
    fs::create_directories(folder);
    fs::copy_file(LUMABORD_BINARY_DIR "/cvaframe.dll", folder / "cvaframe.dll");
    const fs::path program = folder / "lumabord";
    std::FILE* out = std::fopen(program.c_str(), "w");
    std::fputs("#!/bin/sh\nprintf '%s\\n' \"$@\" > argv.txt\n", out);
    std::fclose(out);
    fs::permissions(program, fs::perms::owner_all);
    handle_ = dlopen((folder / "cvaframe.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  ~InstalledLibrary() {
    if (handle_) dlclose(handle_);
  }
  int32_t call(const char* entry) const {
    using Entry = int32_t (*)();
    return reinterpret_cast<Entry>(dlsym(handle_, entry))();
  }
  void* handle() const { return handle_; }

 private:
  fs::path folder_;
  void* handle_ = nullptr;
};

TEST(CvaframeLibrary, RegistersAndUnregistersInTheUsersHome) {
  const TempDir temp;
  const fs::path home = temp / "home";
  // A user with Thunar actions and an application of their own already.
  temp.write("home/.config/Thunar/uca.xml", std::string(kUserActions));
  temp.write("home/.local/share/applications/mine.desktop", "[Desktop Entry]\n");
  setenv("HOME", home.c_str(), 1);
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_CONFIG_HOME");
  const auto before = snapshot(home);

  const InstalledLibrary library(temp / "Program's \"Files\" $HOME ü");
  ASSERT_NE(library.handle(), nullptr) << dlerror();
  ASSERT_EQ(library.call("DllRegisterServer"), 0);
  const auto once = snapshot(home);
  ASSERT_EQ(library.call("DllRegisterServer"), 0);
  EXPECT_EQ(snapshot(home), once) << "registering twice adds nothing twice";

  const fs::path data = home / ".local/share";
  // (Dolphin's service menu is a KDE service file, which the XDG validator does not know.)
  EXPECT_EQ(run("desktop-file-validate '" +
                (data / "applications/lumabord-frame.desktop").string() + "'"),
            0);
  EXPECT_NE(readText(data / "applications/lumabord-frame.desktop")
                .find("MimeType=image/jpeg;image/tiff;image/bmp;image/png;image/heif;image/"
                      "avif;image/webp;image/jxl;\n"),
            std::string::npos);
  const std::string actions = readText(home / ".config/Thunar/uca.xml");
  EXPECT_EQ(actions.rfind(std::string(kUserActions).substr(0, kUserActions.size() - 11), 0), 0u)
      << "the user's action stays first and unchanged";
  EXPECT_EQ(run("xmllint --noout '" + (home / ".config/Thunar/uca.xml").string() + "'"), 0);

  // Launched as GLib file managers launch the entry and as Nautilus runs its script, the
  // program gets the photo paths exactly.
  const fs::path photos = temp / "photos";
  const fs::path photo = temp.write("photos/Lake at 5 o'clock $1.jpg", "x");
  temp.write("photos/second.jpg", "x");
  const std::string sent = photo.string() + "\n" + (photos / "second.jpg").string() + "\n";
  ASSERT_EQ(run("cd '" + photos.string() + "' && XDG_CACHE_HOME=../cache gio launch '" +
                (data / "applications/lumabord-frame.desktop").string() +
                "' \"$PWD/Lake at 5 o'clock \\$1.jpg\" \"$PWD/second.jpg\" && sleep 1"),
            0);
  EXPECT_EQ(readText(photos / "argv.txt"), sent);
  fs::remove(photos / "argv.txt");
  ASSERT_EQ(run("cd '" + photos.string() + "' && '" +
                (data / "nautilus/scripts/Frame with Lumabord").string() +
                "' \"$PWD/Lake at 5 o'clock \\$1.jpg\" \"$PWD/second.jpg\""),
            0);
  EXPECT_EQ(readText(photos / "argv.txt"), sent);

  ASSERT_EQ(library.call("DllUnregisterServer"), 0);
  EXPECT_EQ(snapshot(home), before) << "unregistering removes exactly what was added";
  ASSERT_EQ(library.call("DllUnregisterServer"), 0);
  EXPECT_EQ(snapshot(home), before);

  unsetenv("HOME");
  EXPECT_NE(library.call("DllRegisterServer"), 0) << "no home: a failure status, no crash";
}

TEST(CvaframeLibrary, ALinkedThunarFileStaysALink) {
  const TempDir temp;
  const fs::path dotfile = temp.write("dotfiles/uca.xml", std::string(kUserActions));
  fs::create_directories(temp / "config/Thunar");
  fs::create_symlink(dotfile, temp / "config/Thunar/uca.xml");
  const EntryPlaces places{temp / "data", temp / "config"};
  registerEntries(places, "/usr/lib/lumabord/lumabord");
  EXPECT_TRUE(fs::is_symlink(temp / "config/Thunar/uca.xml"));
  EXPECT_NE(readText(dotfile).find(kThunarActionId), std::string::npos);
  unregisterEntries(places);
  EXPECT_TRUE(fs::is_symlink(temp / "config/Thunar/uca.xml"));
  EXPECT_EQ(readText(dotfile), kUserActions);
}

}  // namespace
}  // namespace lumabord::shellext
