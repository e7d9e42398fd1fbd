// The maker's web site and support mailbox: the one place that names them. Until the project
// has a site and mailbox of its own they lie under a domain reserved for documentation, so no
// third party receives the program's visits or mail.
#pragma once

#include <string>
#include <string_view>

namespace lumabord {

inline constexpr std::string_view kWebSite = "https://www.example.org/lumabord/";
inline constexpr std::string_view kSupportEmail = "support@example.org";

// The link of "Email Support": a new message to the support mailbox with the subject
// "Lumabord" and nothing else.
[[nodiscard]] inline std::string supportMailLink() {
  return "mailto:" + std::string(kSupportEmail) + "?SUBJECT=Lumabord";
}

}  // namespace lumabord
