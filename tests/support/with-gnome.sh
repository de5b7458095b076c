#!/usr/bin/env bash
# Runs one test inside its own headless GNOME Shell (Wayland, no X), with its
# own session bus, a stand-in system bus (so the shell does not look for
# logind), PipeWire for screen casts and Solitask's shell extension from the
# build folder (SOLITASK_SHELL_DATA). SOLITASK_GNOME_EXTENSION_OFF=1 starts
# the shell with the extension turned off.
set -u
source "$(dirname "$0")/scratch.sh" gnome

for tool in gnome-shell pipewire wireplumber foot; do
  if ! command -v "$tool" >/dev/null; then
    echo "with-gnome: $tool is not installed" >&2; exit 77
  fi
done
export XDG_RUNTIME_DIR="$tmp/run" HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" TMPDIR="$tmp/home/tmp"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK I3SOCK
export XDG_DATA_DIRS="${SOLITASK_SHELL_DATA:-}:/usr/local/share:/usr/share"
# Settings in a plain file, so that gsettings and the shell share them without dconf.
export GSETTINGS_BACKEND=keyfile

start_bus() { # name
  dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/$1" \
    --print-address=4 4>"$tmp/$1.addr" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 1 100); do [ -s "$tmp/$1.addr" ] && break; sleep 0.05; done
}
start_bus bus
start_bus system-bus
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system-bus"

pipewire >"$tmp/pipewire.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.05; done
wireplumber >"$tmp/wireplumber.log" 2>&1 &
pids+=($!)

extension=solitask@solitask.org
if [ -z "${SOLITASK_GNOME_EXTENSION_OFF:-}" ]; then
  gsettings set org.gnome.shell enabled-extensions "['$extension']"
fi
gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 \
  --wayland-display solitask-gnome >"$tmp/shell.log" 2>&1 &
pids+=($!)
ask() { # object path, interface, method
  gdbus call --session -d org.gnome.Shell -o "$1" -m "$2.$3" >/dev/null 2>&1
}
for _ in $(seq 1 200); do
  if [ -n "${SOLITASK_GNOME_EXTENSION_OFF:-}" ]; then
    ask /org/gnome/Shell org.freedesktop.DBus.Peer Ping && break
  else
    ask /org/solitask/Solitask/ShellWindows org.solitask.Solitask.ShellWindows Windows && break
  fi
  sleep 0.05
done
if ! ask /org/gnome/Shell org.freedesktop.DBus.Peer Ping; then
  echo "with-gnome: GNOME Shell did not start" >&2; tail -n 20 "$tmp/shell.log" >&2; exit 1
fi
# The shell opens its overview once started, which holds the keyboard focus;
# leave it, as a person would, so that windows get focus.
overview() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.freedesktop.DBus.Properties."$1" org.gnome.Shell OverviewActive ${2:+"$2"} 2>/dev/null
}
for _ in $(seq 1 60); do overview Get | grep -q true && break; sleep 0.05; done
overview Set "<false>" >/dev/null
export WAYLAND_DISPLAY=solitask-gnome XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
export QT_QPA_PLATFORM=${SOLITASK_QPA:-offscreen}

"$@"
status=$?
[ $status -ne 0 ] && tail -n 20 "$tmp/shell.log" >&2
exit $status
