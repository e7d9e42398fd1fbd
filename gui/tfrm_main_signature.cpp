// TfrmMain: the signature maker.
#include "tfrm_main.h"
#include "tfrm_signature.h"

namespace lumabord {

void TfrmMain::SignatureMaker1Click() {
  // The batch owns WorkPhoto, which the dialog shows behind a signature on the picture.
  if (batchRunning_) return;
  readDesign();
  SignatureDialogContext context;
  context.appPath = model_.AppPath;
  context.outerTextures = model_.controls.cboOuterMatteTexture;
  context.outerColor = model_.controls.cboOuterMatteColor;
  context.outerUsesColor = !model_.controls.rdoOuterMatte2;
  context.workPhoto = &model_.WorkPhoto;
  context.photoFacts = signature_.signature().photoFacts();
  context.askColor = [this](ColorValue initial) { return services_.dialogs->askColor(initial); };
  setBusy(true);
  TfrmSignature dialog(std::move(context), this);
  processPendingEvents();
  setBusy(false);
  if (dialog.exec() != QDialog::Accepted) return;
  signature_.TakeOver(dialog.design(), dialog.texture(), model_.settings);
  if (model_.controls.chkSignature) {
    model_.RefreshPreview();
  } else {
    model_.controls.chkSignature = true;
    chkSignature_->setChecked(true);
    model_.chkSignatureClick();
  }
}

}  // namespace lumabord
