// The help texts of lumabord-cli, kept in one table so that the commands' files stay about
// their work; a test holds every option of a synopsis to a line here. Only the options the
// command's synopsis offers are shown.
#include "command_help.h"

#include <string>

#include "app/version.h"

namespace lumabord::cli {
namespace {

// The design options that frame and print share: the edge and drop shadows and the signature.
std::vector<OptionHelp> withDesignOptions(std::vector<OptionHelp> options) {
  options.insert(
      options.end(),
      {
          {"--edge-shadow on|off", "the shadow along the outer matte's inner edge"},
          {"--shadow-size N", "that shadow's size from 1 to 30 pixels"},
          {"--shadow-color COLOUR", "that shadow's colour"},
          {"--drop-shadow NAME|none", "the drop shadow from \"Shadows/\", or none"},
          {"--signature on|off", "draw the signature (default: the stored \"Signature\" value)"},
          {"--signature-text TEXT",
           "the signature's text for this run (UTF-8, Windows-1252 letters); {year}, {date}, "
           "{artist}, {copyright}, {camera} and {file} are filled from each photo"},
          {"--signature-on matte|picture", "draw the signature on the outer matte or the picture"},
          {"--signature-align "
           "top-left|top-center|top-right|bottom-left|bottom-center|bottom-right",
           "where the signature stands"},
      });
  return options;
}

// The options of convert and resize, which write one picture from another.
std::vector<OptionHelp> withPictureOptions(std::vector<OptionHelp> options) {
  options.insert(options.end(),
                 {
                     {"--quality N", "JPEG and WebP quality from 1 to 100 (default 80)"},
                     {"--baseline", "write a baseline JPEG file instead of a progressive one"},
                     {"--lossless", "write a lossless WebP file instead of a lossy one"},
                     {"--no-auto-orient", "keep the photo as stored instead of turning it upright"},
                     {"--strip-metadata", "write no EXIF, IPTC or XMP of the photo"},
                     {"--strip-gps", "write no GPS location, even with \"Keep GPS\" stored"},
                 });
  return options;
}

const std::vector<CommandHelp>& helpTable() {
  static const std::vector<CommandHelp> table = {
      {"frame", "frame photos and write them scaled into the output box",
       "Frames every PHOTO with the window's stored design (or a named style), scales it into\n"
       "the output box and writes it under the photo's base name. Every value not given comes\n"
       "from the window's stored settings and selected style.",
       withDesignOptions({
           {"--assets DIR", "the program folder whose asset and style folders to use"},
           {"--style NAME", "the frame style \"Image Styles/NAME.txt\" instead of the stored one"},
           {"--format jpg|tif|bmp|png|webp", "the output format (default jpg)"},
           {"--box WxH", "the output box the framed image is scaled into (default: stored)"},
           {"--quality N", "JPEG and WebP quality from 1 to 100 (default: the stored quality)"},
           {"--baseline", "write baseline JPEG files instead of progressive ones"},
           {"--lossless", "write lossless WebP files instead of lossy ones"},
           {"--no-auto-orient", "keep photos as stored instead of turning them upright"},
           {"--strip-metadata", "write no EXIF, IPTC or XMP of the photos"},
           {"--strip-gps", "write no GPS location, even with \"Keep GPS\" stored"},
           {"--out PATH", "a file for one photo, otherwise a folder (default: the current one)"},
           {"--overwrite", "replace existing output files (default: skip them)"},
           {"--no-overwrite", "fail on the first existing output file"},
           {"--background COLOUR", "the colour around the frame, under the drop shadow"},
       }),
       "lumabord-cli frame --style \"Classic Oak\" --box 1200x900 --out framed *.jpg"},
      {"print", "frame a photo onto one page: a PDF file or a CUPS printer",
       "Frames PHOTO as the frame command does and places it on one page, written as a PDF\n"
       "file or sent to a CUPS printer queue.",
       withDesignOptions({
           {"--pdf OUT.pdf", "write the page as a one-page PDF file"},
           {"--printer NAME", "send the page to the CUPS queue NAME"},
           {"--paper letter|a4|legal|a3|a5", "the paper size (default letter)"},
           {"--margins INCHES", "all four margins in inches (default 0.25)"},
           {"--position top-left|top|top-right|left|center|right|bottom-left|bottom|bottom-right",
            "where the picture sits on the page (default center)"},
           {"--background COLOUR", "the colour of the printable area (default white)"},
           {"--compatible", "rasterise the page at the screen's resolution first"},
           {"--no-auto-orient", "keep the photo as stored instead of turning it upright"},
           {"--dpi N", "the screen's pixels per inch that give the picture's size (default 96)"},
           {"--assets DIR", "the program folder whose asset and style folders to use"},
           {"--style NAME", "the frame style instead of the stored one"},
           {"--box WxH", "the output box the framed image is scaled into"},
       }),
       "lumabord-cli print lake.jpg --pdf lake.pdf --paper a4 --position top"},
      {"signature",
       "print the stored signature design",
       "Prints the stored signature design, one Name=value line per stored value.",
       {},
       "lumabord-cli signature"},
      {"convert", "convert a picture to JPEG, TIFF, BMP, PNG or WebP",
       "Reads IN in any format the program reads and writes it in the format of OUT's\n"
       "extension.",
       withPictureOptions({}), "lumabord-cli convert scan.pcx scan.jpg --quality 90"},
      {"resize", "scale a picture into a box with the program's resampler",
       "Scales IN into the box WxH, keeping its shape, and writes it in the format of OUT's\n"
       "extension.",
       withPictureOptions({{"--box WxH", "the box the picture is scaled into (required)"}}),
       "lumabord-cli resize photo.tif small.jpg --box 800x600"},
      {"fit",
       "print the size a picture takes inside a box",
       "Prints the size \"w h\" that a W x H picture takes inside a MAXW x MAXH box.",
       {},
       "lumabord-cli fit 4000 3000 800 600"},
      {"text",
       "draw a text in 3D lettering into a picture file",
       "Draws TEXT in 3D lettering and writes it to OUT (.bmp, .tif, .jpg, .png or .webp).",
       {
           {"--text TEXT", "the text, UTF-8 (required)"},
           {"--font NAME", "the font family (default Tahoma, or the closest installed face)"},
           {"--size PT", "the font size in points"},
           {"--regular", "no bold, italic or underline"},
           {"--bold", "bold letters"},
           {"--italic", "italic letters"},
           {"--underline", "underlined letters"},
           {"--site flying|raised|lowered", "how the letters stand off the ground"},
           {"--shadow sharp|diffuse|none", "the letters' shadow"},
           {"--view DEG", "the direction the light comes from, in degrees"},
           {"--border N", "the width of the letters' bevelled border"},
           {"--border-color COLOUR", "the border's colour"},
           {"--altitude N", "the shadow's height"},
           {"--margin N", "extra space between letters"},
           {"--gradient BEGIN,END[,horizontal]", "fill the letters with a gradient"},
           {"--solid COLOUR", "fill the letters with one colour"},
           {"--texture FILE", "fill the letters with a picture"},
           {"--aa on|off", "antialiased edges"},
           {"--background COLOUR|FILE", "a colour or a tiled picture behind the text"},
           {"--cache DIR", "keep rendered glyphs in DIR between runs"},
       },
       "lumabord-cli text sig.png --text \"Anna Berg\" --font \"DejaVu Serif\" --size 28"},
  };
  return table;
}

// Whether the synopsis offers the option: its name followed by a space, "]", "|" or the end.
bool offers(std::string_view usage, std::string_view option) {
  const std::string_view name = option.substr(0, option.find(' '));
  for (size_t at = usage.find(name); at != std::string_view::npos; at = usage.find(name, at + 1)) {
    const size_t end = at + name.size();
    if (end == usage.size() || usage[end] == ' ' || usage[end] == ']' || usage[end] == '|') {
      return true;
    }
  }
  return false;
}

constexpr const char* kColourNote =
    "COLOUR is a colour name such as clNavy or clBtnFace, or $00BBGGRR in hexadecimal.\n";

}  // namespace

const CommandHelp* commandHelp(std::string_view name) {
  for (const CommandHelp& help : helpTable()) {
    if (name == help.name) return &help;
  }
  return nullptr;
}

void printVersion(std::FILE* out) {
  std::fprintf(out, "lumabord-cli %s\n", std::string(kVersion).c_str());
}

void printProgramHelp(std::FILE* out) {
  std::fprintf(out,
               "Usage: lumabord-cli COMMAND [OPTION]... [ARGUMENT]...\n"
               "Frame photographs without a window, with the same design, assets and stored\n"
               "settings as the Lumabord window.\n\nCommands:\n");
  for (const Command& command : commands()) {
    const CommandHelp* help = commandHelp(command.name);
    std::fprintf(out, "  %-10s %s\n", command.name, help ? help->summary : "");
  }
  std::fprintf(out,
               "\nOptions:\n"
               "  --help     show this help and exit\n"
               "  --version  show the version and exit\n\n"
               "\"lumabord-cli COMMAND --help\" shows the options of one command.\n"
               "Exit status: 0 on success, 1 when a file cannot be read or written, 2 for a\n"
               "malformed command line.\n");
}

void printCommandHelp(std::FILE* out, const Command& command) {
  std::fprintf(out, "Usage: lumabord-cli %s\n", command.usage);
  const CommandHelp* help = commandHelp(command.name);
  if (!help) return;
  std::fprintf(out, "%s\n", help->details);
  if (!help->options.empty()) {
    std::fprintf(out, "\nOptions:\n");
    bool colours = false;
    for (const OptionHelp& option : help->options) {
      // The table may explain options a build of the command does not offer.
      if (!offers(command.usage, option.option)) continue;
      std::fprintf(out, "  %-24s %s\n", option.option, option.text);
      colours = colours || std::string_view(option.option).find("COLOUR") != std::string::npos;
    }
    if (colours) std::fprintf(out, "\n%s", kColourNote);
  }
  std::fprintf(out, "\nExample:\n  %s\n", help->example);
}

}  // namespace lumabord::cli
