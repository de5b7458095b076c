#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, but
# only those that are missing, so a second run costs a second. With the
# argument "fuzz" it also installs clang and its libFuzzer runtime.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev libgl-dev
  libjpeg-dev libpipewire-0.3-dev libx11-dev libx11-xcb-dev libxcb-shape0-dev libxcb-randr0-dev libxss-dev libxi-dev libxtst-dev libxrandr-dev libxext-dev libxfixes-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox xdotool x11-utils dbus xterm trayer fonts-dejavu-core fonts-inter imagemagick
  librsvg2-bin hicolor-icon-theme dpkg-dev file desktop-file-utils appstream lintian
  libwayland-dev libxkbcommon-dev wayland-protocols librust-wayland-protocols-dev plasma-wayland-protocols
  sway xwayland foot grim wtype wayland-utils swayidle qt6-wayland
  gnome-shell pipewire wireplumber kwin-wayland procps
)

if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
