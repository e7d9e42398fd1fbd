// fontconfig lookup: an uninstalled family resolves to the closest installed one, with
// its own bold and italic variants where they exist.
#include "platform/freetype/font_resolver.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "base/error.h"

namespace lumabord {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

ResolvedFace lookUp(const std::string& name, bool bold, bool italic) {
  if (!FcInit()) fail("The font configuration cannot be loaded");
  Pattern pattern(FcPatternCreate());
  if (!pattern) fail("Out of memory while looking up the font %s", name.c_str());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    fail("No installed font matches %s", name.c_str());
  }
  ResolvedFace face;
  face.file = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &face.index);
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
  face.embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
  face.oblique = italic && slant == FC_SLANT_ROMAN;
  return face;
}

}  // namespace

ResolvedFace resolveFace(const std::string& name, bool bold, bool italic) {
  // Lookups are slow next to glyph drawing and a run uses few faces. Several threads may
  // ask at once.
  static std::mutex lock;
  static std::map<std::tuple<std::string, bool, bool>, ResolvedFace> cache;
  const std::lock_guard hold(lock);
  const auto key = std::make_tuple(name, bold, italic);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, lookUp(name, bold, italic)).first;
  return it->second;
}

}  // namespace lumabord
