// Frame style files ("Image Styles/<name>.txt") and the style operations Add, Del and Save.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "compose/design_controls.h"

namespace lumabord {

// Writes the 21-line style file of name (the selected style's name when empty), atomically.
// Throws Error when neither names a style, instead of writing the hidden file ".txt".
void WriteStyle(const DesignControls& controls, const std::filesystem::path& appPath,
                const std::string& name = {});

// Reads the style file of the selected cboFrame entry into the controls. A bad COLOR throws
// Error("'%s' is not a valid integer value") after the keys before it took effect.
void ReadStyle(DesignControls& controls, const std::filesystem::path& appPath);

// Removes the characters a style (file) name must not hold: control characters below 32,
// " * . / < > ? \ |, the code points U+0080, U+0081, U+008D, U+008E, U+008F, U+0090, U+009D
// and U+009E, and bytes that are not valid UTF-8. Multi-byte characters stay whole.
[[nodiscard]] std::string CleanStyleName(const std::string& text);

// The questions and messages the style operations put to the user.
class StylePrompts {
 public:
  virtual ~StylePrompts() = default;
  // Text prompt; nullopt when cancelled.
  virtual std::optional<std::string> askText(const std::string& title,
                                             const std::string& prompt) = 0;
  virtual void message(const std::string& text) = 0;             // information box
  virtual void warning(const std::string& text) = 0;             // warning with OK
  virtual bool confirmYesNoCancel(const std::string& text) = 0;  // true only for Yes
};

// "Add": returns true when a style file was created and selected. A name that cleans to the
// empty text is refused with a message.
bool AddStyle(DesignControls& controls, const std::filesystem::path& appPath,
              StylePrompts& prompts);
// "Del": returns true when the selected style was deleted.
bool DeleteStyle(DesignControls& controls, const std::filesystem::path& appPath,
                 StylePrompts& prompts);
// Colours of the "Save" label: grey while the shown design is the saved one, olive after
// every preview refresh.
constexpr ColorValue kSaveLabelSaved = 0x808080;
constexpr ColorValue kSaveLabelUnsaved = 0x2BAA9A;

// "Save": writes the selected style, reporting "Status: Saving Style" and then "Status: Ready"
// through status (status panel 0). Returns the colour for the "Save" label, kSaveLabelSaved.
ColorValue SaveStyle(const DesignControls& controls, const std::filesystem::path& appPath,
                     const std::function<void(const std::string&)>& status = {});

// The 21 lines of the style file of the current design, CR LF after each.
[[nodiscard]] std::string StyleFileText(const DesignControls& controls);

}  // namespace lumabord
