// The program's icon, drawn in code so that no image file has to ship with the window:
// a gold frame around a blue matte window. lumabord.svg draws the same for the desktop.
#pragma once

#include <QIcon>

namespace lumabord {

[[nodiscard]] QIcon appIcon();

}  // namespace lumabord
