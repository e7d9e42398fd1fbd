// lumabord-cli signature: the stored signature design, one Name=value line per value in the
// order it is read, as a batch of lumabord-cli frame will draw it.
#include <cstdio>
#include <string>
#include <vector>

#include "app/signature_state.h"
#include "args.h"
#include "command.h"

namespace lumabord::cli {
namespace {

int runSignature(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  if (!args.positionals().empty()) throw UsageError("takes no arguments");
  const SignatureSettings design = LoadSignatureSettings();
  for (const SignatureValueName& value : kSignatureReadingOrder) {
    std::printf("%.*s=%s\n", static_cast<int>(value.name.size()), value.name.data(),
                signatureValueText(design, value).c_str());
  }
  return 0;
}

const CommandRegistration kRegister{{"signature", "signature", runSignature}};

}  // namespace
}  // namespace lumabord::cli
