#!/usr/bin/env bash
# Runs one test inside its own headless KWin (with XWayland) and D-Bus daemon,
# and tears both down afterwards. Debian's kwin_wayland carries the file
# capability cap_sys_resource, which containers refuse to grant: a copy without
# it runs instead, under the same name, which KWin checks. The test may restart
# KWin with the command in SOLITASK_KWIN_RESTART; SOLITASK_KWIN_OUTPUTS sets
# the number of outputs, side by side. Exit 77 (skipped) when KWin
# is missing or cannot start here.
set -u
kwin=$(command -v kwin_wayland) || { echo "with-kwin: kwin_wayland is not installed" >&2; exit 77; }
tmp=$(mktemp -d /tmp/solitask-kwin.XXXXXX)
chmod 755 "$tmp"
cleanup() {
  [ -x "$tmp/restart-kwin" ] && "$tmp/restart-kwin" stop
  [ -n "${bus:-}" ] && kill "$bus" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

mkdir -p "$tmp/bin" && cp "$kwin" "$tmp/bin/kwin_wayland"
export XDG_RUNTIME_DIR="$tmp/run" HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data"
export XDG_CACHE_HOME="$tmp/home/cache" TMPDIR="$tmp/home/tmp"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK I3SOCK

# KWin gives screenshots only to programs whose desktop file declares the
# interface: the test binary and the app each get a copy of Solitask's own
# entry (SOLITASK_KWIN_ENTRY) naming them in Exec. The tests' entries also
# open KWin's fake input, through which they type keys.
mkdir -p "$tmp/share/applications"
entry=${SOLITASK_KWIN_ENTRY:-}
if [ ! -f "$entry" ]; then
  echo "with-kwin: no desktop entry to copy (SOLITASK_KWIN_ENTRY=$entry)" >&2; exit 1
fi
for program in "$1" ${SOLITASK_KWIN_TRUSTED:-}; do
  path=$(readlink -f "$program")
  { sed "s|^Exec=.*|Exec=$path|" "$entry"
    echo "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input"
  } >"$tmp/share/applications/solitask-test-$(basename "$path").desktop"
done
export XDG_DATA_DIRS="$tmp/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"

dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
  --print-address=4 4>"$tmp/bus.addr" 2>/dev/null &
bus=$!
for _ in $(seq 1 100); do [ -s "$tmp/bus.addr" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
export DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"
socket="solitask-kwin-$$"

# "restart-kwin [stop]" stops KWin if it runs; unless told to stop, it then
# starts KWin and waits until it answers on the bus and its XWayland is up;
# the XWayland display goes to $tmp/display.
cat >"$tmp/restart-kwin" <<SCRIPT
#!/usr/bin/env bash
# Running: neither gone nor a zombie (KWin outlives the shell that started it).
alive() {
  local state
  state=\$(cut -d' ' -f3 /proc/\$1/stat 2>/dev/null)
  [ -n "\$state" ] && [ "\$state" != Z ]
}
if [ -s "$tmp/kwin.pid" ]; then
  pid=\$(cat "$tmp/kwin.pid")
  kill "\$pid" 2>/dev/null
  for _ in \$(seq 1 100); do alive "\$pid" || break; sleep 0.05; done
fi
rm -f "$tmp/display" "$tmp/kwin.pid"
[ "\${1:-}" = stop ] && exit 0
"$tmp/bin/kwin_wayland" --virtual --width 1280 --height 800 --xwayland --no-lockscreen \
  --output-count "${SOLITASK_KWIN_OUTPUTS:-1}" --socket "$socket" >>"$tmp/kwin.log" 2>&1 </dev/null &
echo \$! >"$tmp/kwin.pid"
for _ in \$(seq 1 200); do
  alive "\$(cat "$tmp/kwin.pid")" || exit 1
  xw=\$(pgrep -P "\$(cat "$tmp/kwin.pid")" Xwayland)
  if [ -n "\$xw" ] && dbus-send --session --print-reply --dest=org.kde.KWin /KWin \
      org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; then
    # Its display is the first argument KWin gave it.
    ps -o args= -p "\$xw" | awk '{print \$2}' >"$tmp/display"
    exit 0
  fi
  sleep 0.05
done
exit 1
SCRIPT
chmod +x "$tmp/restart-kwin"
if ! "$tmp/restart-kwin"; then
  echo "with-kwin: KWin did not start here; skipping" >&2
  tail -n 20 "$tmp/kwin.log" >&2
  exit 77
fi
export WAYLAND_DISPLAY="$socket" DISPLAY=$(cat "$tmp/display")
export SOLITASK_KWIN_RESTART="$tmp/restart-kwin" SOLITASK_KWIN_DISPLAY_FILE="$tmp/display"
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE QT_QPA_PLATFORM=${SOLITASK_QPA:-offscreen}

"$@"
status=$?
[ $status -ne 0 ] && tail -n 20 "$tmp/kwin.log" >&2
exit $status
