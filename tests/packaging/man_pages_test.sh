#!/usr/bin/env bash
# The man pages say what the programs' own help says: every option line of lumabord --help,
# lumabord-cli --help and each lumabord-cli COMMAND --help is in the page, and the version.
set -euo pipefail
build=$1
failures=0
# roff to plain text, enough for help2man's output: fonts, hyphens and escapes dropped.
plain() { zcat "$1" | sed -e 's/\\f[BIRP]//g' -e 's/\\[,\/&]//g' -e 's/\\-/-/g' -e 's/\\e/\\/g'; }
check() { # page, help text
  local page=$1 text=$2 line
  while IFS= read -r line; do
    [[ $line =~ ^\ +(--[a-z][a-z-]*) ]] || continue
    grep -qF -- "${BASH_REMATCH[1]}" <<<"$page" || { echo "FAIL: ${BASH_REMATCH[1]} missing"; failures=$((failures + 1)); }
  done <<<"$text"
}
cli=$build/lumabord-cli
page=$(plain "$build/man/lumabord-cli.1.gz")
grep -qF 'lumabord-cli 2.1.1' <<<"$page" || { echo "FAIL: lumabord-cli(1) lacks the version"; failures=$((failures + 1)); }
overview=$("$cli" --help)
check "$page" "$overview"
for name in $(sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p' <<<"$overview"); do
  help=$("$cli" "$name" --help)
  grep -qF -- "$(head -1 <<<"$help")" <<<"$page" || { echo "FAIL: $name synopsis"; failures=$((failures + 1)); }
  check "$page" "$help"
done
if [[ -x $build/lumabord ]]; then
  page=$(plain "$build/man/lumabord.1.gz")
  grep -qF 'lumabord 2.1.1' <<<"$page" || { echo "FAIL: lumabord(1) lacks the version"; failures=$((failures + 1)); }
  check "$page" "$("$build/lumabord" --help)"
fi
((failures == 0)) && echo "man pages match the programs' help"
exit $((failures > 0))
