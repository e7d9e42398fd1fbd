// Merging one custom action into Thunar's "uca.xml" and taking it out again, as text edits
// that leave every byte of the user's own actions as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumabord::shellext {

// The unique id that marks our action among the user's.
inline constexpr std::string_view kThunarActionId = "lumabord-frame-with-lumabord";

// The <action> element for `command` (a shell-style command line with Thunar's %F).
[[nodiscard]] std::string thunarActionElement(std::string_view command);

// A whole "uca.xml" holding only `element`.
[[nodiscard]] std::string thunarActionsDocument(std::string_view element);

// `document` with our action replaced by `element`, or `element` added before the closing
// </actions> when it has none. nullopt when the document has no </actions> to add to (a
// file we do not understand is not touched).
[[nodiscard]] std::optional<std::string> mergeThunarAction(std::string_view document,
                                                           std::string_view element);

// `document` without our action (with the line it stood on); unchanged when it has none.
[[nodiscard]] std::string removeThunarAction(std::string_view document);

}  // namespace lumabord::shellext
