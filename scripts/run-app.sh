#!/usr/bin/env bash
# Starts Solitask on the person's X11 display; without one, says how to try it.
set -u
app="$1"; shift || true
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "solitask: no display found (DISPLAY is not set)."
  echo "  Run it inside an X11 session, or try the headless dry run: make dry-run"
  echo "  or under a virtual display: xvfb-run -a $app"
  exit 1
fi
exec "$app" "$@"
