#!/usr/bin/env bash
# Runs one test inside its own X server, window manager and D-Bus daemon, and
# tears all of them down afterwards, whatever the test did.
set -u
source "$(dirname "$0")/scratch.sh" x11

export XDG_RUNTIME_DIR="$tmp/run"; mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" HOME="$tmp/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$HOME"

# Two separate X screens give Qt two screens; a benchmark may ask for others.
read -r -a screens <<<"${SOLITASK_X11_SCREENS:--screen 0 1280x800x24 -screen 1 1024x768x24}"
Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp +extension MIT-SHM \
  3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
if [ ! -s "$tmp/display" ]; then echo "with-x11: Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; fi
export DISPLAY=":$(head -n1 "$tmp/display")"
unset WAYLAND_DISPLAY

dbus-daemon --session --nofork --address="unix:path=$tmp/bus" --print-address=4 4>"$tmp/bus.addr" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$tmp/bus.addr" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$tmp/bus"

if [ -z "${SOLITASK_NO_WM:-}" ]; then
  openbox --sm-disable >"$tmp/wm.log" 2>&1 &
  pids+=($!)
  # Openbox announces itself before it manages windows; a window mapped in
  # that gap is never managed. Wait for its hints, then for a probe window to
  # appear in its client list.
  for _ in $(seq 1 200); do
    xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break
    sleep 0.05
  done
  xterm -geometry 2x1+0+0 -title solitask-wm-probe -e sleep 30 >/dev/null 2>&1 &
  probe=$!
  for _ in $(seq 1 200); do
    xdotool search --name solitask-wm-probe >"$tmp/probe" 2>/dev/null
    if [ -s "$tmp/probe" ] && xprop -root _NET_CLIENT_LIST 2>/dev/null \
        | grep -qi "$(printf '0x%x' "$(head -n1 "$tmp/probe")")"; then
      break
    fi
    sleep 0.05
  done
  kill "$probe" 2>/dev/null; wait "$probe" 2>/dev/null
  for _ in $(seq 1 100); do xdotool search --name solitask-wm-probe >/dev/null 2>&1 || break; sleep 0.05; done
fi

export QT_QPA_PLATFORM=xcb
"$@"
