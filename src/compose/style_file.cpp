// Style files: the 21-line writer, the reader with its fixed order of steps, name cleaning
// and the Add, Del and Save operations.
#include "compose/style_file.h"

#include <system_error>

#include "base/error.h"
#include "base/file_io.h"
#include "base/int_text.h"
#include "compose/asset_library.h"
#include "compose/asset_paths.h"
#include "compose/color.h"
#include "compose/ini_file.h"

namespace lumabord {
namespace {

namespace fs = std::filesystem;

// The style file the name stands for: the user's own when there is one.
fs::path stylePath(const fs::path& appPath, const std::string& name) {
  return findAsset(appPath, "Image Styles", name + ".txt");
}

// Stored texture names separate their sub-folder with "\"; entries may come with either.
std::string backslashed(std::string text) {
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

std::string upperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Selects the first entry equal to value (by equal), else entry 0 when the list has any.
template <typename Equal>
void selectMatch(ChoiceList& list, const std::string& value, Equal equal) {
  list.selected = list.entries.empty() ? -1 : 0;
  for (size_t i = 0; i < list.entries.size(); ++i) {
    if (equal(list.entries[i], value)) {
      list.selected = static_cast<int>(i);
      return;
    }
  }
}

void selectOption(bool& textureOption, int selected) {
  if (selected == 1) textureOption = false;
  if (selected == 2) textureOption = true;
}

int atLeastZero(int v) {
  return v < 0 ? 0 : v;
}

// The shadow choice: DROPSHADOW as a list index, or in the writer's form "Shadows\soft.bmp"
// matched by its file name; then SHADOW by its file name; else "<none>".
void readShadow(ChoiceList& shadows, const IniFile& ini) {
  const int count = static_cast<int>(shadows.entries.size());
  const std::string dropShadow = ini.readString("FRAME0", "DROPSHADOW");
  shadows.selected = -1;
  const auto matchByName = [&](const std::string& stored) {
    const std::string wanted = upperAscii(baseNameWithoutExtension(stored));
    for (int i = 0; i < count; ++i) {
      if (upperAscii(shadows.entries[static_cast<size_t>(i)]) == wanted) {
        shadows.selected = i;
        return;
      }
    }
  };
  if (dropShadow.empty() || parseInteger(dropShadow)) {
    const int index = parseInteger(dropShadow).value_or(0);
    if (index >= 0 && index < count) shadows.selected = index;
  } else {
    matchByName(dropShadow);
  }
  const std::string shadow = ini.readString("FRAME0", "SHADOW");
  if (!shadow.empty()) matchByName(shadow);
  if (shadows.selected < 0 && count > 0) shadows.selected = 0;
}

}  // namespace

std::string StyleFileText(const DesignControls& c) {
  std::string text;
  const auto line = [&text](const std::string& s) { text += s + "\r\n"; };
  const auto selected = [](bool textureOption) { return std::string(textureOption ? "2" : "1"); };
  line("[FRAME0]");
  line("COLOR=" + colorToText(c.cboFrameColor));
  line("MASK=" + c.cboFrameMask.text() + ".bmp");
  line("TEXTURE=" + backslashed(c.cboFrameTexture.text()));
  line("SELECTED=" + selected(c.rdoFrame2));
  line(c.cboShadow.selected > 0 ? "DROPSHADOW=Shadows\\" + c.cboShadow.text() + ".bmp"
                                : std::string("DROPSHADOW="));
  line("");
  line("[OUTERMATTE0]");
  line("COLOR=" + colorToText(c.cboOuterMatteColor));
  line("TEXTURE=" + backslashed(c.cboOuterMatteTexture.text()));
  line("SELECTED=" + selected(c.rdoOuterMatte2));
  line("LEFT=" + std::to_string(c.txtLeft));
  line("RIGHT=" + std::to_string(c.txtRight));
  line("TOP=" + std::to_string(c.txtTop));
  line("BOTTOM=" + std::to_string(c.txtBottom));
  line("");
  line("[INNERMATTE0]");
  line("COLOR=" + colorToText(c.cboInnerColor));
  line("WIDTH=" + std::to_string(c.txtInnerWidth));
  line("TEXTURE=" + backslashed(c.cboInnerTexture.text()));
  line("SELECTED=" + selected(c.rdoInnerMatte2));
  return text;
}

void WriteStyle(const DesignControls& controls, const fs::path& appPath, const std::string& name) {
  const std::string styleName = name.empty() ? controls.cboFrame.text() : name;
  if (styleName.empty()) fail("No frame style is selected, so the design cannot be saved");
  const fs::path folder = writableAssetFolder(appPath, "Image Styles");
  std::error_code ec;
  fs::create_directories(folder, ec);
  writeFileAtomic(folder / (styleName + ".txt"), StyleFileText(controls));
}

void ReadStyle(DesignControls& c, const fs::path& appPath) {
  const IniFile ini = IniFile::load(stylePath(appPath, c.cboFrame.text()));
  const auto caseless = [](const std::string& entry, const std::string& value) {
    return equalsIgnoringCase(backslashed(entry), backslashed(value));
  };
  const auto exact = [](const std::string& entry, const std::string& value) {
    return backslashed(entry) == backslashed(value);
  };
  readShadow(c.cboShadow, ini);
  c.cboFrameColor = textToColor(ini.readString("FRAME0", "COLOR"));
  selectMatch(c.cboFrameMask, baseNameWithoutExtension(ini.readString("FRAME0", "MASK")),
              [](const std::string& e, const std::string& v) { return equalsIgnoringCase(e, v); });
  selectMatch(c.cboFrameTexture, ini.readString("FRAME0", "TEXTURE"), caseless);
  // The left width and the inner width fields do not go below 0; top, right, bottom do.
  c.txtLeft = atLeastZero(ini.readInteger("OUTERMATTE0", "LEFT"));
  c.txtRight = ini.readInteger("OUTERMATTE0", "RIGHT");
  c.txtTop = ini.readInteger("OUTERMATTE0", "TOP");
  c.txtBottom = ini.readInteger("OUTERMATTE0", "BOTTOM");
  c.cboOuterMatteColor = textToColor(ini.readString("OUTERMATTE0", "COLOR"));
  selectMatch(c.cboOuterMatteTexture, ini.readString("OUTERMATTE0", "TEXTURE"), exact);
  c.txtInnerWidth = atLeastZero(ini.readInteger("INNERMATTE0", "WIDTH"));
  c.cboInnerColor = textToColor(ini.readString("INNERMATTE0", "COLOR"));
  selectMatch(c.cboInnerTexture, ini.readString("INNERMATTE0", "TEXTURE"), exact);
  selectOption(c.rdoFrame2, ini.readInteger("FRAME0", "SELECTED"));
  selectOption(c.rdoOuterMatte2, ini.readInteger("OUTERMATTE0", "SELECTED"));
  selectOption(c.rdoInnerMatte2, ini.readInteger("INNERMATTE0", "SELECTED"));
}

std::string CleanStyleName(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      const bool refused = b < 32 || std::string_view("\"*./<>?\\|").find(static_cast<char>(b)) !=
                                         std::string_view::npos;
      if (!refused) out += static_cast<char>(b);
      ++i;
      continue;
    }
    // A well-formed UTF-8 sequence (shortest form, no surrogates) is kept or dropped whole.
    size_t n = 0;
    uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      n = 2;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 3;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 4;
      cp = b & 0x07;
    }
    bool valid = n > 0 && i + n <= text.size();
    for (size_t k = 1; valid && k < n; ++k) {
      const auto cont = static_cast<unsigned char>(text[i + k]);
      valid = (cont & 0xC0) == 0x80;
      cp = (cp << 6) | (cont & 0x3F);
    }
    valid = valid && !(n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) &&
            !(n == 4 && (cp < 0x10000 || cp > 0x10FFFF));
    if (!valid) {
      ++i;
      continue;
    }
    const bool refused = cp == 0x80 || cp == 0x81 || cp == 0x8D || cp == 0x8E || cp == 0x8F ||
                         cp == 0x90 || cp == 0x9D || cp == 0x9E;
    if (!refused) out.append(text, i, n);
    i += n;
  }
  return out;
}

bool AddStyle(DesignControls& controls, const fs::path& appPath, StylePrompts& prompts) {
  const std::optional<std::string> answer =
      prompts.askText("New", "Type in a Name for the new Frame Style");
  if (!answer) return false;
  const std::string name = CleanStyleName(*answer);
  if (name.empty()) {
    prompts.message(
        "A style name needs at least one character other than \" * . / < > ? \\ | and control "
        "characters, use a different name");
    return false;
  }
  std::error_code ec;
  if (fs::exists(fs::symlink_status(stylePath(appPath, name), ec))) {
    prompts.message("Duplicate style name, use a different name");
    return false;
  }
  // Written before the entry is added, so a failed write leaves the list as it was.
  WriteStyle(controls, appPath, name);
  controls.cboFrame.entries.push_back(name);
  controls.cboFrame.selected = static_cast<int>(controls.cboFrame.entries.size()) - 1;
  return true;
}

bool DeleteStyle(DesignControls& controls, const fs::path& appPath, StylePrompts& prompts) {
  ChoiceList& list = controls.cboFrame;
  if (list.entries.size() == 1) {
    prompts.warning("You can't delete this style because it is your default style");
    return false;
  }
  // With nothing selected there is no style to delete (and no file ".txt" to remove).
  if (list.text().empty()) return false;
  const std::string name = list.text();
  const fs::path file = stylePath(appPath, name);
  if (file.parent_path() != writableAssetFolder(appPath, "Image Styles")) {
    prompts.message("The style " + name + " comes with the program and cannot be deleted");
    return false;
  }
  if (!prompts.confirmYesNoCancel("Are you sure you want to delete " + name + "?")) return false;
  std::error_code ec;
  fs::remove(file, ec);
  const int removed = list.selected;
  list.entries.erase(list.entries.begin() + removed);
  list.selected = removed - 1;
  return true;
}

ColorValue SaveStyle(const DesignControls& controls, const fs::path& appPath,
                     const std::function<void(const std::string&)>& status) {
  if (status) status("Status: Saving Style");
  WriteStyle(controls, appPath);
  if (status) status("Status: Ready");
  return kSaveLabelSaved;
}

}  // namespace lumabord
