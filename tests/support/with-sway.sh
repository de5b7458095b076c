#!/usr/bin/env bash
# Runs one test inside its own headless sway (with XWayland) and D-Bus daemon,
# and tears both down afterwards. sway refuses to run as root, so when started
# as root the compositor, the bus and the test itself run as "nobody".
# SOLITASK_HIDE_SWAYSOCK=1 keeps the sway IPC socket from the test.
set -u
source "$(dirname "$0")/scratch.sh" sway
chmod 755 "$tmp"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  owner=65534:65534
  # The test runs as that user too: it must reach the build folder.
  if ! "${as_user[@]}" test -x "$(command -v "$1")"; then
    echo "with-sway: user 65534 cannot run $1; every folder above the build needs o+x" >&2
    exit 77
  fi
else
  owner=$(id -u):$(id -g)
fi
export XDG_RUNTIME_DIR="$tmp/run" HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" TMPDIR="$tmp/home/tmp"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
chown -R "$owner" "$XDG_RUNTIME_DIR" "$HOME"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK I3SOCK

"${as_user[@]}" dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
  --print-address=4 4>"$tmp/bus.addr" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$tmp/bus.addr" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
export DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"

cat >"$tmp/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1280x800
output * background #000000 solid_color
xwayland enable
default_border normal
focus_on_window_activation focus
bindsym Mod4+F12 exec touch "$HOME/sway-binding-ran"
CONF
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_user[@]}" sway -c "$tmp/sway.conf" >"$tmp/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 200); do
  sock=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1)
  wl=$(cd "$XDG_RUNTIME_DIR" && ls wayland-[0-9] 2>/dev/null | head -n1)
  [ -n "$sock" ] && [ -n "$wl" ] && break
  sleep 0.05
done
if [ -z "${sock:-}" ] || [ -z "${wl:-}" ]; then
  echo "with-sway: sway did not start" >&2; cat "$tmp/sway.log" >&2; exit 1
fi
export WAYLAND_DISPLAY="$wl" SWAYSOCK="$sock"
# XWayland's display is known only to sway's children: ask one.
"${as_user[@]}" swaymsg exec "echo \$DISPLAY > $tmp/home/display" >/dev/null
for _ in $(seq 1 100); do [ -s "$tmp/home/display" ] && break; sleep 0.05; done
export DISPLAY=$(cat "$tmp/home/display")
# A test may put its own windows on XWayland (SOLITASK_QPA=xcb).
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway QT_QPA_PLATFORM=${SOLITASK_QPA:-offscreen}
export SOLITASK_SWAYSOCK="$SWAYSOCK"
[ -n "${SOLITASK_HIDE_SWAYSOCK:-}" ] && unset SWAYSOCK

"${as_user[@]}" "$@"
status=$?
[ $status -ne 0 ] && tail -n 20 "$tmp/sway.log" >&2
exit $status
