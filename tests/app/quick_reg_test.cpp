// The settings store: path splitting, the file's exact text, escaping, types, and writers
// that run at the same time.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "app/quick_reg.h"
#include "app/reg_file.h"
#include "app_env.h"
#include "base/file_io.h"

namespace lumabord {
namespace {

using testing::AppEnvironment;
using testing::readText;

const std::string kKey = std::string(kSettingsKey);

TEST(RegPath, SplitsValueNameAndKnownRootsExactly) {
  std::string key, name;
  ASSERT_TRUE(SplitRegPath(kKey + "Shadow Size", key, name));
  EXPECT_EQ(key, "HKEY_LOCAL_MACHINE\\Software\\Corvella\\Lumabord 2");
  EXPECT_EQ(name, "Shadow Size");
  EXPECT_FALSE(SplitRegPath("no backslash", key, name));

  RegRoot root{};
  std::string sub;
  const std::pair<const char*, RegRoot> roots[] = {
      {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},
      {"HKEY_CURRENT_USER", RegRoot::CurrentUser},
      {"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine},
      {"HKEY_USERS", RegRoot::Users},
      {"HKEY_PERFORMANCE_DATA", RegRoot::PerformanceData},
      {"HKEY_CURRENT_CONFIG", RegRoot::CurrentConfig},
      {"HKEY_DYN_DATA", RegRoot::DynData}};
  for (const auto& [text, expected] : roots) {
    ASSERT_TRUE(OpenRegPath(std::string(text) + "\\A\\B", root, sub)) << text;
    EXPECT_EQ(root, expected);
    EXPECT_EQ(sub, "A\\B");
  }
  EXPECT_FALSE(OpenRegPath("hkey_local_machine\\Software", root, sub));  // case counts
  EXPECT_FALSE(OpenRegPath("HKLM\\Software", root, sub));
  EXPECT_FALSE(OpenRegPath("HKEY_LOCAL_MACHINE", root, sub));
}

TEST(RegStore, WritesTheExactFileAndReadsItBack) {
  AppEnvironment env;
  ASSERT_TRUE(RegWriteInteger(kKey + "Shadow Size", 9, true));
  ASSERT_TRUE(RegWriteInteger(kKey + "Background", -1, true));
  ASSERT_TRUE(RegWriteBool(kKey + "Signature", true, true));
  ASSERT_TRUE(RegWriteString(kKey + "Signature Text", "Ann \"Nan\" C:\\x\r\nTwo", true));
  ASSERT_TRUE(RegWriteInteger(kKey + "Shadow Size", 12, true));  // replaced in place
  EXPECT_EQ(readText(env.store()),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Corvella\\Lumabord 2]\n"
            "\"Shadow Size\"=dword:0000000c\n"
            "\"Background\"=dword:ffffffff\n"
            "\"Signature\"=dword:00000001\n"
            "\"Signature Text\"=\"Ann \\\"Nan\\\" C:\\\\x\\r\\nTwo\"\n\n");

  int32_t number = 0;
  EXPECT_TRUE(RegReadInteger(kKey + "Background", number));
  EXPECT_EQ(number, -1);
  std::string text;
  EXPECT_TRUE(RegReadString(kKey + "signature text", text));  // names ignore case
  EXPECT_EQ(text, "Ann \"Nan\" C:\\x\r\nTwo");
  EXPECT_FALSE(std::filesystem::exists(env.store().string() + ".tmp"));
}

TEST(RegStore, EveryByteOfAStringRoundTrips) {
  AppEnvironment env;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  ASSERT_TRUE(RegWriteString(kKey + "Bytes", all, true));
  std::string back;
  ASSERT_TRUE(RegReadString(kKey + "Bytes", back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(unescapeRegString("\"" + escapeRegString(all) + "\""), all);
  EXPECT_EQ(unescapeRegString("\"open"), std::nullopt);
  EXPECT_EQ(unescapeRegString("\"a\" b"), std::nullopt);
}

TEST(RegStore, MissingWrongTypeAndUnopenablePathsLeaveTheVariable) {
  AppEnvironment env;
  int32_t number = 42;
  bool flag = true;
  std::string text = "keep";
  EXPECT_FALSE(RegReadInteger(kKey + "Shadow Size", number));  // no store at all
  ASSERT_TRUE(RegWriteString(kKey + "Shadow Size", "9", true));
  ASSERT_TRUE(RegWriteInteger(kKey + "Text", 5, true));
  EXPECT_FALSE(RegReadInteger(kKey + "Shadow Size", number));
  EXPECT_FALSE(RegReadBool(kKey + "Shadow Size", flag));
  EXPECT_FALSE(RegReadString(kKey + "Text", text));
  EXPECT_FALSE(RegReadInteger(kKey + "Missing", number));
  EXPECT_FALSE(RegReadInteger("HKEY_LOCAL_MACHINE\\Other\\Shadow Size", number));
  EXPECT_EQ(number, 42);
  EXPECT_TRUE(flag);
  EXPECT_EQ(text, "keep");

  const std::string before = readText(env.store());
  EXPECT_FALSE(RegWriteInteger("HKLM\\Software\\Corvella\\Lumabord 2\\X", 1, true));
  EXPECT_FALSE(RegWriteInteger("HKEY_LOCAL_MACHINE\\New Key\\X", 1, false));  // no creation
  EXPECT_EQ(readText(env.store()), before);
  EXPECT_TRUE(RegWriteInteger(kKey + "X", 1, false));  // the key exists
}

TEST(RegStore, KeepsLinesItDoesNotUnderstandAndParsesHandEditedFiles) {
  AppEnvironment env;
  std::filesystem::create_directories(env.store().parent_path());
  writeFileAtomic(
      env.store(),
      std::string("REGEDIT4\r\n\r\n[hkey_local_machine\\software\\corvella\\lumabord 2]\r\n"
                  "\"Blob\"=hex:01,02,\\\r\n  03\r\n"
                  "\"JPEG Quality\"=DWORD:5A\r\n"
                  "\"Broken\"=dword:123456789\r\n"
                  "\"Dup\"=dword:1\r\n\"Dup\"=dword:2\r\n"
                  "[-HKEY_LOCAL_MACHINE\\Gone]\r\n\"Lost\"=dword:1\r\n"));
  int32_t number = 0;
  EXPECT_TRUE(RegReadInteger(kKey + "JPEG Quality", number));
  EXPECT_EQ(number, 90);
  EXPECT_FALSE(RegReadInteger(kKey + "Broken", number));
  EXPECT_FALSE(RegReadInteger(kKey + "Blob", number));
  EXPECT_TRUE(RegReadInteger(kKey + "Dup", number));
  EXPECT_EQ(number, 2);  // the later line wins, as on import

  ASSERT_TRUE(RegWriteInteger(kKey + "Dup", 3, true));
  EXPECT_EQ(readText(env.store()),
            "REGEDIT4\n\n[hkey_local_machine\\software\\corvella\\lumabord 2]\n"
            "\"Blob\"=hex:01,02,\\\n  03\n"
            "\"JPEG Quality\"=dword:0000005a\n"
            "\"Broken\"=dword:123456789\n"
            "\"Dup\"=dword:00000003\n\n");
}

TEST(RegStore, AStoreThatCannotBeReadIsNeverReplaced) {
  AppEnvironment env;
  std::filesystem::create_directories(env.store());  // a folder where the file should be
  EXPECT_FALSE(RegWriteInteger(kKey + "Shadow Size", 9, true));
  EXPECT_TRUE(std::filesystem::is_directory(env.store()));
}

TEST(RegStore, PathComesFromTheEnvironment) {
  AppEnvironment env;
  EXPECT_EQ(registryStorePath(), env.store());
  unsetenv("LUMABORD_REGISTRY");
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";
  setenv("XDG_CONFIG_HOME", "/xdg", 1);
  EXPECT_EQ(registryStorePath(), std::filesystem::path("/xdg/lumabord/registry.reg"));
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(registryStorePath().filename(), "registry.reg");
  EXPECT_EQ(registryStorePath().parent_path().parent_path().filename(), ".config");
  if (oldXdg) {
    setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

constexpr int kValuesPerWriter = 40;

bool writeSeries(char writer) {
  bool ok = true;
  for (int i = 0; i < kValuesPerWriter; ++i) {
    ok = RegWriteInteger(kKey + writer + std::to_string(i), i * 7, true) && ok;
  }
  return ok;
}

void expectAllValues(std::initializer_list<char> writers) {
  for (char writer : writers) {
    for (int i = 0; i < kValuesPerWriter; ++i) {
      int32_t value = -1;
      EXPECT_TRUE(RegReadInteger(kKey + writer + std::to_string(i), value)) << writer << i;
      EXPECT_EQ(value, i * 7);
    }
  }
}

TEST(RegStore, TwoThreadsWritingAtOnceLoseNothing) {
  AppEnvironment env;
  bool okA = false, okB = false;
  std::thread a([&] { okA = writeSeries('A'); });
  std::thread b([&] { okB = writeSeries('B'); });
  a.join();
  b.join();
  EXPECT_TRUE(okA && okB);
  expectAllValues({'A', 'B'});
}

TEST(RegStore, TwoProcessesWritingAtOnceLoseNothing) {
  AppEnvironment env;
  std::vector<pid_t> children;
  for (char writer : {'P', 'Q'}) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) _exit(writeSeries(writer) ? 0 : 1);
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  expectAllValues({'P', 'Q'});
}

}  // namespace
}  // namespace lumabord
