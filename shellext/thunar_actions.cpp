// Thunar keeps all custom actions of a user in one XML file that the user edits through
// Thunar's dialog. An XML library would re-serialise the whole file; these edits touch only
// our own <action> element, so the user's actions keep their exact bytes.
#include "thunar_actions.h"

namespace lumabord::shellext {
namespace {

std::string xmlText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Where our element stands: from the start of its line to past its line end.
struct Span {
  size_t begin = 0;
  size_t end = 0;
};

std::optional<Span> findOurAction(std::string_view document) {
  const std::string marker = "<unique-id>" + std::string(kThunarActionId) + "</unique-id>";
  const size_t id = document.find(marker);
  if (id == std::string_view::npos) return std::nullopt;
  const size_t open = document.rfind("<action>", id);
  const size_t close = document.find("</action>", id);
  if (open == std::string_view::npos || close == std::string_view::npos) return std::nullopt;
  // A closing tag between the opening one and the id means the id sits outside any action.
  const size_t between = document.find("</action>", open);
  if (between < id) return std::nullopt;
  Span span{open, close + std::string_view("</action>").size()};
  while (span.begin > 0 && (document[span.begin - 1] == ' ' || document[span.begin - 1] == '\t'))
    --span.begin;
  if (span.end < document.size() && document[span.end] == '\n') ++span.end;
  return span;
}

}  // namespace

std::string thunarActionElement(std::string_view command) {
  return "<action>\n"
         "\t<icon>lumabord</icon>\n"
         "\t<name>Frame with Lumabord</name>\n"
         "\t<submenu></submenu>\n"
         "\t<unique-id>" +
         std::string(kThunarActionId) +
         "</unique-id>\n"
         "\t<command>" +
         xmlText(command) +
         "</command>\n"
         "\t<description>Put the selected photos into a picture frame</description>\n"
         "\t<range>*</range>\n"
         "\t<patterns>"
         "*.jpg;*.jpeg;*.tif;*.tiff;*.bmp;*.png;*.heic;*.heif;*.avif;*.webp;*.jxl;"
         "*.JPG;*.JPEG;*.TIF;*.TIFF;*.BMP;*.PNG;*.HEIC;*.HEIF;*.AVIF;*.WEBP;*.JXL"
         "</patterns>\n"
         "\t<image-files/>\n"
         "</action>\n";
}

std::string thunarActionsDocument(std::string_view element) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n" + std::string(element) +
         "</actions>\n";
}

std::optional<std::string> mergeThunarAction(std::string_view document, std::string_view element) {
  std::string merged(document);
  if (const auto ours = findOurAction(document)) {
    merged.replace(ours->begin, ours->end - ours->begin, element);
    return merged;
  }
  const size_t close = document.rfind("</actions>");
  if (close == std::string_view::npos || document.find("<actions") > close) return std::nullopt;
  size_t at = close;
  while (at > 0 && (document[at - 1] == ' ' || document[at - 1] == '\t')) --at;
  merged.insert(at, element);
  return merged;
}

std::string removeThunarAction(std::string_view document) {
  std::string rest(document);
  if (const auto ours = findOurAction(document)) rest.erase(ours->begin, ours->end - ours->begin);
  return rest;
}

}  // namespace lumabord::shellext
