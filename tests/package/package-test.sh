#!/usr/bin/env bash
# Builds the Debian package from this build tree and meets it as a person
# installing it would: the checkers of Debian and the desktop pass it, it holds
# what a desktop app needs, and the binary inside starts and shows the gate
# with the desktop entry's class, id and icon.
# Usage: package-test.sh BUILD_DIR APP_ID   (inside tests/support/with-x11.sh)
set -euo pipefail
build="$1" app_id="$2"
work=$(mktemp -d /tmp/solitask-package.XXXXXX)
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test: $*" >&2; exit 1; }

# --- build -----------------------------------------------------------------
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; fail "cpack failed"
fi
debs=("$work"/out/solitask_*_*.deb)
[ -f "${debs[0]}" ] || fail "no solitask_<version>_<arch>.deb in $work/out"
deb="${debs[0]}"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- contents --------------------------------------------------------------
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/files"
for f in usr/bin/solitask "usr/share/applications/$app_id.desktop" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    "usr/share/icons/hicolor/symbolic/apps/$app_id-symbolic.svg" \
    "usr/share/icons/hicolor/48x48/apps/$app_id.png" \
    "usr/share/icons/hicolor/256x256/apps/$app_id.png" \
    "usr/share/metainfo/$app_id.metainfo.xml" usr/share/man/man1/solitask.1.gz \
    usr/share/doc/solitask/copyright; do
  grep -qx "./$f" "$work/files" || fail "missing from the package: /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries: $depends"

# --- checkers --------------------------------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/as.log" 2>&1 \
  || { cat "$work/as.log"; fail "metainfo"; }
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" >"$work/lintian.log" 2>&1 \
  || { cat "$work/lintian.log"; fail "lintian reports errors"; }
echo "lintian: no errors"; grep '^[WI]:' "$work/lintian.log" || true

# --- the command line of the installed binary ------------------------------
bin="$root/usr/bin/solitask"
version=$("$bin" --version)
grep -qx "Solitask [0-9.]*" <<<"$version" || fail "--version: $version"
help=$("$bin" --help)
manual=$(zcat "$root/usr/share/man/man1/solitask.1.gz")
for word in $(grep -oE -- '--[a-z-]+|SOLITASK_[A-Z_]+' <<<"$help" | sort -u); do
  grep -qF -- "${word//-/\\-}" <<<"$manual" || fail "manual lacks $word"
done
set +e; "$bin" --no-such-flag 2>"$work/err"; status=$?; set -e
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "unknown flag: status $status"

# --- the installed app under X11 -------------------------------------------
export XDG_DATA_DIRS="$root/usr/share:/usr/share" PATH="$root/usr/bin:$PATH"
export SOLITASK_ROOT="$work/store"
solitask --preview-gate >"$work/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 1 200); do
  grep -qs 'gate shown: ' "$SOLITASK_ROOT/diag.log" && break
  sleep 0.05
done
grep -qs 'gate shown: ' "$SOLITASK_ROOT/diag.log" || { cat "$work/app.log"; fail "no gate"; }
gate=$(xdotool search --onlyvisible --class '^Solitask$' 2>/dev/null | while read -r w; do
  [ "$(xdotool getwindowname "$w")" = Solitask ] && echo "$w"; done | head -n1)
[ -n "$gate" ] || fail "no visible window of class Solitask named Solitask"
# The shell matches the window to the desktop entry by its class
# (StartupWMClass) and shows the entry's icon by name.
entry="$root/usr/share/applications/$app_id.desktop"
wm_class=$(xprop -id "$gate" WM_CLASS)
[[ $wm_class == *"\"$(sed -n 's/^StartupWMClass=//p' "$entry")\""* ]] || fail "class: $wm_class"
grep -qx "Icon=$app_id" "$entry" || fail "the desktop entry names another icon"
icon=$(xprop -id "$gate" _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON(CARDINAL) = "* ]] || fail "no icon on the gate: $icon"
! grep -q 'icon: ' "$SOLITASK_ROOT/diag.log" || fail "icon not from the installed theme"
wait "$app_pid" || fail "preview ended with status $?"
app_pid=""
echo "package test: ok"
