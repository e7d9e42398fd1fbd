// The links of the Help menu and the About box, built from the maker's addresses.
#pragma once

#include <string>
#include <string_view>

#include "app/version.h"

namespace lumabord {

// The web site as the About box shows it: without its scheme and trailing slash.
[[nodiscard]] constexpr std::string_view webSiteText() {
  std::string_view text = kWebSite;
  if (const size_t scheme = text.find("://"); scheme != std::string_view::npos) {
    text.remove_prefix(scheme + 3);
  }
  if (text.ends_with('/')) text.remove_suffix(1);
  return text;
}

// The link of "Email Support": a new message to the support mailbox with the subject
// "Lumabord" and nothing else.
[[nodiscard]] inline std::string supportMailLink() {
  return "mailto:" + std::string(kSupportEmail) + "?SUBJECT=Lumabord";
}

}  // namespace lumabord
