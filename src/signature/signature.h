// The signature on the framed picture: its lettering, where it goes on the level it is drawn
// on (DrawSignature), and the background the signature dialog shows behind it
// (MakeSignatureBackdrop).
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "base/image.h"
#include "compose/frame_spec.h"
#include "compose/level_overlay.h"
#include "platform/text_facility.h"
#include "signature/font3d.h"
#include "signature/smooth_text3d.h"

namespace lumabord {

// What the main window's hidden signature label holds.
struct SignatureLettering {
  std::string text;  // 8-bit codes (Windows-1252), variables as typed
  FontRecord font;
  TFont3D font3d;
};

struct SignaturePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SignaturePoint&, const SignaturePoint&) = default;
};

// The margin m: the inner matte width on the picture, Trunc(ShadowSize / 2) on the matte.
[[nodiscard]] int signatureMargin(const FrameSpec& spec);
// The top-left corner of a w x h text on a W x H bitmap, by alignment index and margin m; an
// index outside 0..5 counts as "Bottom-Center".
[[nodiscard]] SignaturePoint signatureCorner(int align, int m, int W, int H, int w, int h);

class Signature final : public SignatureDrawer {
 public:
  explicit Signature(SmoothText3D& renderer = smoothText3D());

  // Replaces the lettering; the next placing measures and composes it again.
  void setLettering(SignatureLettering lettering);
  [[nodiscard]] SignatureLettering lettering() const;
  // The facts of the window's working photo, which fill the text's variables wherever no
  // other photo is named (the preview, the window's print and clipboard).
  void setPhotoFacts(PhotoFacts facts);
  [[nodiscard]] PhotoFacts photoFacts() const;
  // The lettering's 8-bit text for the photo facts describes. Characters of a value that
  // Windows-1252 lacks (a name in Cyrillic) are drawn as '?'.
  [[nodiscard]] std::string textFor(const PhotoFacts& photo) const;

  [[nodiscard]] bool usesPhotoFacts() const override;
  // Renders the glyphs of the text for the working photo.
  void prepare() override;
  // Places the text for the working photo.
  [[nodiscard]] std::shared_ptr<const LevelOverlay> PlaceSignature(const FrameSpec& spec, int width,
                                                                   int height) override;
  // A text without variables is composed once however many photos are placed; one with
  // variables again whenever a photo's text differs from the last one composed.
  [[nodiscard]] std::shared_ptr<const LevelOverlay> PlacePhotoSignature(
      const FrameSpec& spec, int width, int height, const PhotoFacts& photo) override;
  // Places the signature on bitmap and, when draw is set, draws it there.
  void DrawSignature(const FrameSpec& spec, Image& bitmap, bool draw);

 private:
  // With mutex_ held.
  [[nodiscard]] std::string textForLocked(const PhotoFacts& photo) const;
  void measure(const std::string& text);
  std::shared_ptr<const LevelOverlay> place(const FrameSpec& spec, int width, int height,
                                            const PhotoFacts& photo);

  SmoothText3D& renderer_;
  mutable std::mutex mutex_;  // the batch places from its worker thread
  SignatureLettering lettering_;
  bool variables_ = false;  // the lettering's text names variables
  PhotoFacts photoFacts_;
  bool measured_ = false;
  std::string measuredText_;  // the 8-bit text measured and composed
  int width_ = 0;             // the 3D width of the text
  int height_ = 0;            // its 3D height
  std::shared_ptr<const TextStamp> stamp_;
};

// What lies behind the signature in the dialog's preview.
struct BackdropSources {
  const Image* outerTexture = nullptr;  // the outer matte's texture; nullptr or empty: none
  Rgb outerColour;                      // the outer matte's colour
  const Image* photo = nullptr;         // WorkPhoto
};

// Fills bitmap: the outer matte's texture tiled from (0, 0) or its colour, or for the
// picture the piece of the photo the alignment names, stretched onto the whole bitmap.
// Where there is nothing to show (no texture, a photo smaller than the piece) it is white.
void MakeSignatureBackdrop(Image& bitmap, bool onOuterMatte, int align, bool usesColour,
                           const BackdropSources& sources);

}  // namespace lumabord
