#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what a user would get from it:
# the file list, the dependencies dpkg-shlibdeps found, valid desktop and AppStream files, the
# man pages, and programs that run from a read-only install for a user with an empty home.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/out/lumabord_*_*.deb)
[[ -f $deb ]] || { echo "no package built"; exit 1; }
[[ $(basename "$deb") == lumabord_2.1.1_*.deb ]] || fail "package name $(basename "$deb")"

files=$(dpkg -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }')
for path in ./usr/bin/lumabord ./usr/bin/lumabord-cli ./usr/lib/lumabord/lumabord \
  ./usr/lib/lumabord/lumabord-cli ./usr/lib/lumabord/cvaframe.dll \
  ./usr/lib/lumabord/LumabordHelp/index.html ./usr/lib/lumabord/LumabordHelp/cli.html \
  "./usr/lib/lumabord/Image Edges/outermattelowered.bmp" "./usr/lib/lumabord/Image Styles/Gold Leaf.txt" \
  ./usr/share/applications/lumabord.desktop ./usr/share/icons/hicolor/scalable/apps/lumabord.svg \
  ./usr/share/metainfo/io.github.lumabord.Lumabord.metainfo.xml \
  ./usr/share/man/man1/lumabord.1.gz ./usr/share/man/man1/lumabord-cli.1.gz; do
  grep -qxF -- "$path" <<<"$files" || grep -qF -- "$path ->" <<<"$files" || fail "missing $path"
done
if grep -v '^\./usr/' <<<"$files" | grep -qv '^\./$'; then fail "files outside /usr"; fi
if grep -qE 'test_|bench|lumabord-assets|\.a$' <<<"$files"; then fail "build-only files packaged"; fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 libqt6gui6 libjpeg62-turbo libtiff6 libpng16-16 libgif7 \
  libfreetype6 libfontconfig1 qt6-qpa-plugins; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "xdg-utils not recommended"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/lumabord.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.lumabord.Lumabord.metainfo.xml" ||
  fail "metainfo invalid"
man=$(zcat "$root/usr/share/man/man1/lumabord-cli.1.gz")
grep -q '^\.SS frame' <<<"$man" || fail "man page lacks frame"

# The context-menu library is an ELF shared object that offers its two entry points only.
lib=$root/usr/lib/lumabord/cvaframe.dll
[[ $(head -c4 "$lib" | od -An -c | tr -d ' ') == 177ELF ]] || fail "cvaframe.dll is not ELF"
exported=$(nm -D --defined-only "$lib" | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' ')
[[ $exported == "DllRegisterServer DllUnregisterServer " ]] || fail "cvaframe.dll exports: $exported"

# The installed programs run from a folder their user cannot write, with an empty home; as
# root the test runs them as the user nobody, for whom the folder really is read-only.
chmod -R a-w "$root"
chmod 755 "$work"
home=$work/home
mkdir -m 777 "$home" "$work/framed"
as_user=(env)
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
fi
run() { "${as_user[@]}" HOME="$home" XDG_CONFIG_HOME= XDG_CACHE_HOME= XDG_DATA_HOME= "$@"; }
cli=$root/usr/bin/lumabord-cli
[[ $(run "$cli" --version) == "lumabord-cli 2.1.1" ]] || fail "lumabord-cli --version"
[[ $(run "$root/usr/bin/lumabord" --version) == "lumabord 2.1.1" ]] || fail "lumabord --version"
run "$cli" frame --style "Gold Leaf" --box 400x300 --out "$work/framed" \
  "$root/usr/lib/lumabord/Sample Photos/Mountain Lake.jpg" >/dev/null || fail "installed lumabord-cli frame"
[[ -s "$work/framed/Mountain Lake.jpg" ]] || fail "no framed photo from the installed program"
# The window starts, renders and keeps its settings in the user's XDG folder.
run QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/lumabord" --screenshot "$work/framed/window.png" \
  "$root/usr/lib/lumabord/Sample Photos/Mountain Lake.jpg" >/dev/null 2>&1 || fail "installed lumabord"
[[ -s "$work/framed/window.png" ]] || fail "the installed window showed no preview"
[[ -s "$home/.config/lumabord/registry.reg" ]] || fail "the installed window kept no settings"

# apt can resolve the package's dependencies from the distribution's packages.
policy=$(apt-cache policy libqt6widgets6 2>/dev/null || true)
if [[ $policy == *"Candidate: "[0-9]* ]]; then
  apt-get -s install "$deb" >"$work/apt.log" 2>&1 && grep -q '^Conf lumabord ' "$work/apt.log" ||
    { cat "$work/apt.log"; fail "apt-get install cannot install the package"; }
else
  echo "note: apt has no package lists here; installability not simulated"
fi

((failures == 0)) && echo "package ok: $(basename "$deb")"
exit $((failures > 0))
