#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the installed tree holds the
# programs, the help, the icons, the menu entries and the AppStream description, and that
# the installed Tavrionex4 finds its help and TavrionexFtp there (and the build's programs
# theirs in the build folder). Usage: installed_tree.sh CMAKE BUILD_DIR VERSION
set -euo pipefail
cmake=$1
build=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log"; fail "cmake --install"; }

for f in \
  bin/Tavrionex4 bin/TavrionexFtp \
  share/tavrionex/help/index.html share/tavrionex/help/style.css \
  share/applications/org.tavrionex.Tavrionex4.desktop \
  share/applications/org.tavrionex.TavrionexFtp.desktop \
  share/metainfo/org.tavrionex.Tavrionex4.metainfo.xml \
  share/icons/hicolor/scalable/apps/org.tavrionex.Tavrionex4.svg \
  share/icons/hicolor/scalable/apps/org.tavrionex.TavrionexFtp.svg; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
for size in 16 32 48 256; do
  for name in Tavrionex4 TavrionexFtp; do
    [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/org.tavrionex.$name.png" ] ||
      fail "missing ${size}x${size} icon of $name"
  done
done
[ -x "$prefix/bin/Tavrionex4" ] && [ -x "$prefix/bin/TavrionexFtp" ] || fail "programs not executable"
# Every program and icon a menu entry names is installed.
for entry in "$prefix"/share/applications/*.desktop; do
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$entry names icon $icon, not installed"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$prefix/bin/$program" ] || fail "$entry starts $program, not installed"
done

export QT_QPA_PLATFORM=offscreen HOME=$work/home
unset TAVRIONEX_DATA
mkdir -p "$HOME"

# What a program finds: its own lines of --paths.
paths() { (cd "$1" && shift && "$@" --paths) || fail "$* --paths"; }
expect() { grep -qxF "$2" <<<"$1" || { echo "$1"; fail "expected the line: $2"; }; }

out=$(paths "$work" "$prefix/bin/Tavrionex4")
expect "$out" "Help: $prefix/share/tavrionex/help/index.html"
expect "$out" "Upload utility: $prefix/bin/TavrionexFtp"
expect "$out" "Data folder: $HOME/Tavrionex"
[ -d "$HOME/Tavrionex" ] || fail "~/Tavrionex not created"

out=$(paths "$work" "$build/bin/Tavrionex4")
expect "$out" "Help: $(cd "$build/bin" && pwd -P)/help/index.html"
expect "$out" "Upload utility: $(cd "$build/bin" && pwd -P)/TavrionexFtp"

# The installed program keeps the data folder rule: option, variable, working folder.
mkdir -p "$work/cards" && : >"$work/cards/databases.db"
expect "$(paths "$work/cards" "$prefix/bin/Tavrionex4")" "Data folder: $work/cards"
expect "$(TAVRIONEX_DATA=$work/env paths "$work/cards" "$prefix/bin/Tavrionex4")" "Data folder: $work/env"
expect "$(TAVRIONEX_DATA=$work/env paths "$work/cards" "$prefix/bin/Tavrionex4" --data-dir sub)" \
  "Data folder: $work/cards/sub"

# The installed upload utility keeps its site history in its data folder, not where it
# was started.
(cd "$work" && TAVRIONEX_DATA=$work/ftpdata "$prefix/bin/TavrionexFtp" >/dev/null 2>&1) &
ftp=$!
for _ in $(seq 100); do [ -e "$work/ftpdata/hist.tvx" ] && break; sleep 0.1; done
kill "$ftp" 2>/dev/null || true
wait "$ftp" 2>/dev/null || true
[ -e "$work/ftpdata/hist.tvx" ] || fail "TavrionexFtp did not keep its history in TAVRIONEX_DATA"
[ ! -e "$work/hist.tvx" ] || fail "TavrionexFtp wrote its history into the working folder"

# Printed answers need no display.
for program in Tavrionex4 TavrionexFtp; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version) ||
    fail "$program --version without a display"
  grep -qE " ${version//./\\.}\$" <<<"$out" || fail "$program --version: $out"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help) ||
    fail "$program --help without a display"
  grep -q -- "--data-dir <folder>" <<<"$out" || fail "$program --help: $out"
done
expect "$(cd "$work" && env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/Tavrionex4" --paths)" \
  "Help: $prefix/share/tavrionex/help/index.html"
echo "installed tree complete under $prefix"
