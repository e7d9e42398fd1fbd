// The stored signature through QuickReg and the main window's signature state.
#include "app/signature_state.h"

#include "app/quick_reg.h"
#include "base/error.h"
#include "compose/asset_paths.h"
#include "compose/texture_cache.h"
#include "platform/cp1252.h"

namespace lumabord {
namespace {

std::string signaturePath(std::string_view name) {
  return std::string(kSettingsKey) + "Signature " + std::string(name);
}

}  // namespace

SignatureSettings LoadSignatureSettings() {
  SignatureSettings settings;
  for (const SignatureValueName& value : kSignatureReadingOrder) {
    const std::string path = signaturePath(value.name);
    if (value.type == SignatureValueType::String) {
      std::string text;
      if (RegReadString(path, text)) applySignatureValue(settings, value.name, text);
    } else {
      int32_t number = 0;
      if (RegReadInteger(path, number)) applySignatureValue(settings, value.name, number);
    }
  }
  settings.clampToControls();
  return settings;
}

void SaveSignatureSettings(const SignatureSettings& settings) {
  for (const SignatureValueName& value : kSignatureWritingOrder) {
    const std::string path = signaturePath(value.name);
    const SignatureStoredValue stored = storedSignatureValue(settings, value.name);
    if (const auto* text = std::get_if<std::string>(&stored)) {
      RegWriteString(path, *text, true);
    } else if (value.type == SignatureValueType::Bool) {
      RegWriteBool(path, std::get<int32_t>(stored) != 0, true);
    } else {
      RegWriteInteger(path, std::get<int32_t>(stored), true);
    }
  }
}

std::string signatureTextureName(const SignatureSettings& settings, const ChoiceList& textures) {
  const int index = settings.cboTexture;
  if (index < 0 || index >= static_cast<int>(textures.entries.size())) return {};
  return textures.entries[static_cast<size_t>(index)];
}

Image LoadSignatureTexture(const std::filesystem::path& appPath, const std::string& name) {
  if (name.empty()) return {};
  try {
    // The texture is read each time it is asked for; an unchanged file is not decoded again.
    return loadTexture(texturePath(appPath, name))->clone();
  } catch (const Error&) {
    return {};  // drawn without texture
  }
}

SignatureLettering signatureLettering(const SignatureSettings& settings, const Image& texture) {
  SignatureLettering lettering;
  lettering.text = utf8ToCp1252(settings.txtSig);
  lettering.font = settings.font;
  ApplyToFont3D(settings, lettering.font3d);
  if (settings.rdoUseTexture && settings.rdoSolid) lettering.font3d.setBitmap(texture);
  return lettering;
}

MainSignature::MainSignature(SmoothText3D& renderer) : signature_(renderer), manager_(renderer) {}

void MainSignature::setDiskCacheDirectory(const std::filesystem::path& folder) {
  manager_.setDiskCacheDirectory(folder);
  manager_.setMemoryCacheSizeMax(1000000);
  manager_.setDiskCacheSizeMax(5000000);
  manager_.setUseDiskCache(true);
}

void MainSignature::LoadSignature(DesignSettings& settings, const DesignControls& controls,
                                  const std::filesystem::path& appPath) {
  Restore(LoadSignatureSettings(), controls, appPath, settings);
  try {
    signature_.prepare();
  } catch (const Error&) {
    // The glyphs are tried again, and the failure shown, when the signature is drawn.
  }
}

void MainSignature::Restore(const SignatureSettings& design, const DesignControls& controls,
                            const std::filesystem::path& appPath, DesignSettings& settings) {
  Image texture;
  if (design.rdoUseTexture && design.rdoSolid) {
    texture =
        LoadSignatureTexture(appPath, signatureTextureName(design, controls.cboOuterMatteTexture));
  }
  TakeOver(design, texture, settings);
}

void MainSignature::workPhotoChanged(const std::filesystem::path& photo) {
  signature_.setPhotoFacts(photo.empty() ? PhotoFacts() : readPhotoFacts(photo));
}

void MainSignature::TakeOver(const SignatureSettings& design, const Image& texture,
                             DesignSettings& settings) {
  design_ = design;
  settings.SigDrawOn = design.cboDraw;
  settings.SigAlign = design.cboAlignText;
  signature_.setLettering(signatureLettering(design, texture));
}

}  // namespace lumabord
