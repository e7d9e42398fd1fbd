// The main window's signature: the stored design (the 26 "Signature ..." values), its
// restoring at start-up (LoadSignature), the take-over after the signature dialog's OK, and
// the glyph cache component with its disk cache folder.
#pragma once

#include <filesystem>

#include "app/main_model.h"
#include "signature/signature.h"
#include "signature/signature_settings.h"
#include "signature/smooth_font_manager3d.h"

namespace lumabord {

// Reads the values in their reading order, each only when present, and keeps the controls'
// bounds (SignatureSettings::clampToControls).
[[nodiscard]] SignatureSettings LoadSignatureSettings();
// Writes every value in the writing order, creating the key.
void SaveSignatureSettings(const SignatureSettings& settings);

// The texture list entry the "Texture" index names, "" when it names none.
[[nodiscard]] std::string signatureTextureName(const SignatureSettings& settings,
                                               const ChoiceList& textures);
// "Image Textures/" + name loaded; any failure gives an empty picture (no texture).
[[nodiscard]] Image LoadSignatureTexture(const std::filesystem::path& appPath,
                                         const std::string& name);

// The lettering the controls describe: the text in 8-bit codes, the font, and the 3D settings
// with the texture only for "Solid Text" with the texture button.
[[nodiscard]] SignatureLettering signatureLettering(const SignatureSettings& settings,
                                                    const Image& texture);

class MainSignature final : public SignatureHooks {
 public:
  explicit MainSignature(SmoothText3D& renderer = smoothText3D());

  // Start-up step 1: the glyph cache keeps its rows in folder, with the window's limits.
  void setDiskCacheDirectory(const std::filesystem::path& folder) override;
  // Start-up step 18: the stored design becomes the signature; its glyphs are rendered (or
  // read from the disk cache) now.
  void LoadSignature(DesignSettings& settings, const DesignControls& controls,
                     const std::filesystem::path& appPath) override;
  // The design becomes the signature, with its texture taken from the outer matte texture
  // list under appPath (what LoadSignature does with the stored design).
  void Restore(const SignatureSettings& design, const DesignControls& controls,
               const std::filesystem::path& appPath, DesignSettings& settings);
  // Reads the photo's facts for the signature's variables.
  void workPhotoChanged(const std::filesystem::path& photo) override;
  // The dialog's OK: the design, with the texture its preview loaded, becomes the signature.
  void TakeOver(const SignatureSettings& design, const Image& texture, DesignSettings& settings);

  [[nodiscard]] Signature& signature() { return signature_; }
  [[nodiscard]] const SignatureSettings& design() const { return design_; }

 private:
  Signature signature_;
  TSmoothFontManager3D manager_;
  SignatureSettings design_;
};

}  // namespace lumabord
