// Frame style files ("Image Styles/<name>.txt") and the style operations Add, Del and Save.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "compose/design_controls.h"

namespace lumabord {

// Writes the 21-line style file of name (the selected style's name when empty), atomically.
void WriteStyle(const DesignControls& controls, const std::filesystem::path& appPath,
                const std::string& name = {});

// Reads the style file of the selected cboFrame entry into the controls. A bad COLOR throws
// Error("'%s' is not a valid integer value") after the keys before it took effect.
void ReadStyle(DesignControls& controls, const std::filesystem::path& appPath);

// Removes the characters a style (file) name must not hold, never splitting UTF-8.
[[nodiscard]] std::string CleanStyleName(const std::string& text);

// The questions and messages the style operations put to the user.
class StylePrompts {
 public:
  virtual ~StylePrompts() = default;
  // Text prompt; nullopt when cancelled.
  virtual std::optional<std::string> askText(const std::string& title, const std::string& prompt) = 0;
  virtual void message(const std::string& text) = 0;                // information box
  virtual void warning(const std::string& text) = 0;                // warning with OK
  virtual bool confirmYesNoCancel(const std::string& text) = 0;     // true only for Yes
};

// "Add": returns true when a style file was created and selected.
bool AddStyle(DesignControls& controls, const std::filesystem::path& appPath, StylePrompts& prompts);
// "Del": returns true when the selected style was deleted.
bool DeleteStyle(DesignControls& controls, const std::filesystem::path& appPath,
                 StylePrompts& prompts);
// "Save": writes the selected style.
void SaveStyle(const DesignControls& controls, const std::filesystem::path& appPath);

}  // namespace lumabord
