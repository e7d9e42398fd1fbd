// Adding a style file from elsewhere (dropped on the window) to the style list.
#pragma once

#include <filesystem>
#include <string>

#include "compose/design_controls.h"
#include "compose/style_file.h"

namespace lumabord {

// Asks "Add the frame style <name> to the style list?" and, on Yes, copies source into
// "Image Styles" under its cleaned file name and selects the new entry. Returns true when it
// was added. A name already in use is refused with the Add command's message; a file that is
// not a style file (no [FRAME0] COLOR, [OUTERMATTE0] LEFT and [INNERMATTE0] WIDTH, or larger
// than a style can be) throws Error naming it, before anything is asked or written.
bool ImportStyle(DesignControls& controls, const std::filesystem::path& appPath,
                 const std::filesystem::path& source, StylePrompts& prompts);

}  // namespace lumabord
