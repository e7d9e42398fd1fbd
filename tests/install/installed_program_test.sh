#!/usr/bin/env bash
# An installed program works for a user who cannot write its folder: installs the build into
# a temporary prefix made read-only, then, as a user who does not own it, starts the program
# (which must store its settings, recent files and glyph cache folder in the XDG folders) and
# runs the window test of the style operations against it.
# Usage: installed_program_test.sh BUILD_DIR TEST_GUI. Exit 77: skipped.
set -euo pipefail
build=$1
test_gui=$2

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cp "$test_gui" "$work/test_gui"
chmod -R a-w "$work/prefix"
home=$work/home
mkdir -p "$home/tmp"

# Root writes anywhere, so the program runs as another user; anyone else does not own the
# read-only copy's write permission either way.
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  if ! id nobody >/dev/null 2>&1 || ! command -v setpriv >/dev/null; then
    echo "skipped: running as root without the user nobody or setpriv" >&2
    exit 77
  fi
  chown -R nobody "$home"
  as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
run() {
  "${as_user[@]}" env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u LUMABORD_HOME \
    -u LUMABORD_REGISTRY HOME="$home" TMPDIR="$home/tmp" QT_QPA_PLATFORM=offscreen \
    timeout 120 "$@"
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

run "$work/prefix/bin/lumabord" --screenshot "$home/shot.png" || fail "the program did not end well"
[[ -s $home/shot.png ]] || fail "no first preview"
[[ -f $home/.config/lumabord/registry.reg ]] || fail "settings not stored"
[[ -f $home/.config/lumabord/mru.ini ]] || fail "mru.ini not in \$XDG_CONFIG_HOME/lumabord"
[[ -d $home/.cache/lumabord/FontCache3D ]] || fail "FontCache3D not in \$XDG_CACHE_HOME/lumabord"

LUMABORD_INSTALLED_PROGRAM="$work/prefix/lib/lumabord/lumabord" \
  run "$work/test_gui" anInstalledProgramKeepsTheUsersFilesInTheirFolders ||
  fail "the style operations of the installed program"
# The command line frames with the user's own style too.
mkdir -p "$home/.local/share/lumabord/Image Styles" "$home/framed"
cp "$work/prefix/lib/lumabord/Image Styles/Gold Leaf.txt" "$home/.local/share/lumabord/Image Styles/Mine.txt"
chmod -R a+rwX "$home"
run "$work/prefix/bin/lumabord-cli" frame --style Mine --box 200x150 --out "$home/framed" \
  "$work/prefix/lib/lumabord/Sample Photos/Mountain Lake.jpg" >/dev/null ||
  fail "lumabord-cli with the user's style"
[[ -s "$home/framed/Mountain Lake.jpg" ]] || fail "no picture framed with the user's style"
echo "installed program: settings, recent files, glyph cache and styles in the user's folders"
