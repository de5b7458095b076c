#!/usr/bin/env bash
# Solitask at rest beside workrave, a break reminder that also sits in the
# session all day: both run on the same Xvfb with openbox for a few minutes
# while nobody touches them, Solitask committed and taking frames (no judge).
# Prints CPU, wakeups (voluntary context switches of all threads) and resident
# memory of both, and Solitask's share of workrave's. A benchmark: it never fails
# on figures.
#   BENCH_IDLE_SECONDS  length of the measured stretch (default 600: three frames
#                       at the default cadence of three minutes)
#   BENCH_IDLE_DESKTOP  x11 (default) or sway: a headless sway with XWayland instead
set -u
here=$(cd "$(dirname "$0")" && pwd)
app=$(realpath "$1")

if ! command -v workrave >/dev/null; then
  echo "bench-idle: installing workrave, the peer it is measured against"
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends workrave >/dev/null
fi

desktop=${BENCH_IDLE_DESKTOP:-x11}
if [ -z "${BENCH_IDLE_INSIDE:-}" ]; then
  export BENCH_IDLE_INSIDE=1 SOLITASK_X11_SCREENS="-screen 0 1920x1080x24"
  [ "$desktop" = sway ] && exec "$here/../tests/support/with-sway.sh" "$0" "$app"
  exec "$here/../tests/support/with-x11.sh" "$0" "$app"
fi
# Each program picks its own way to the display, as in a session.
unset QT_QPA_PLATFORM
if [ "$desktop" = sway ]; then
  point() { swaymsg -s "$SOLITASK_SWAYSOCK" seat seat0 cursor set "$1" "$2" >/dev/null; }
  # A key that comes with a new virtual keyboard counts as held: a pause first.
  type_text() { wtype -s 150 "$1"; }
  press_return() { wtype -s 150 -k Return; }
  # workrave runs on XWayland only; natively it crashes at start.
  export GDK_BACKEND=x11
else
  point() { xdotool mousemove "$1" "$2"; }
  type_text() { xdotool type --delay 20 "$1"; }
  press_return() { xdotool key Return; }
fi

seconds=${BENCH_IDLE_SECONDS:-600}
root="$HOME/solitask-root"
conf="$XDG_CONFIG_HOME/Solitask/Solitask.conf"
mkdir -p "$(dirname "$conf")"
# Never quiet whatever the hour; frames at the default cadence.
cat >"$conf" <<CONF
[General]
onboardingDone=true
quietWeekends=false
quietStartMinutes=0
quietEndMinutes=0
doubleTapOption=false
CONF

pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null' EXIT
wait_log() {
  for _ in $(seq 1 300); do grep -q "$1" "$root/diag.log" 2>/dev/null && return 0; sleep 0.1; done
  echo "bench-idle: Solitask never logged '$1'" >&2; cat "$root/diag.log" >&2; exit 1
}

SOLITASK_ROOT="$root" "$app" >"$HOME/solitask.out" 2>&1 &
solitask=$!; pids+=($solitask)
wait_log "gate shown: "
sleep 1
point 40 600
type_text "Write the quarterly report"
press_return
wait_log "declared: "
# The pointer rests away from the strip, as while working in another window.
point 900 700

workrave >"$HOME/workrave.out" 2>&1 &
workrave=$!; pids+=($workrave)
sleep 15

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Threads come and go (a pool's workers retire after half a minute), and the
# switches of a thread that ended are nowhere to be read: each thread counts
# from its first sighting (0 when born during the stretch) to its last, read
# every second.
declare -A first last
sample() {
  local f tid key n k v
  for f in /proc/"$1"/task/*/status; do
    tid=${f%/status}; tid=${tid##*/}; key=$1.$tid; n=
    while read -r k v; do [ "$k" = voluntary_ctxt_switches: ] && n=$v; done <"$f" 2>/dev/null
    [ -n "$n" ] || continue
    [ -n "${first[$key]:-}" ] || first[$key]=$([ "${2:-}" = start ] && echo "$n" || echo 0)
    last[$key]=$n
  done
}
wakeups() {
  local key n=0
  for key in "${!last[@]}"; do
    [ "${key%%.*}" = "$1" ] && n=$((n + last[$key] - first[$key]))
  done
  echo $n
}
memory() { awk -v key="$2" '$1 == key ":" { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
alive() { kill -0 "$1" 2>/dev/null || { echo "bench-idle: $2 ended early" >&2; exit 1; }; }

alive $solitask Solitask; alive $workrave workrave
declare -A cpu0
for p in $solitask $workrave; do cpu0[$p]=$(cpu $p); sample $p start; done
start=$(date +%s%N)
echo "bench-idle: measuring for $seconds s at rest..."
while [ $(( ($(date +%s%N) - start) / 1000000000 )) -lt "$seconds" ]; do
  sleep 1
  for p in $solitask $workrave; do sample $p; done
done
alive $solitask Solitask; alive $workrave workrave
calc() { awk "BEGIN { print ($1) }"; }
elapsed=$(calc "($(date +%s%N) - $start) / 1e9")

declare -A pct rate rss peak
for p in $solitask $workrave; do
  pct[$p]=$(calc "($(cpu $p) - ${cpu0[$p]}) * 100 / $ticks / $elapsed")
  rate[$p]=$(calc "$(wakeups $p) / $elapsed")
  rss[$p]=$(memory $p VmRSS); peak[$p]=$(memory $p VmHWM)
done
ratio() { calc "$2 > 0 ? $1 / $2 : 0"; }
frames=$(grep -c "frame captured: " "$root/diag.log")

printf '\n%-24s %12s %12s %10s\n' "at rest, $(printf '%.0f' "$elapsed") s" Solitask workrave ratio
printf '%-24s %12.3f %12.3f %10.2f\n' "CPU, % of one core" "${pct[$solitask]}" "${pct[$workrave]}" \
  "$(ratio "${pct[$solitask]}" "${pct[$workrave]}")"
printf '%-24s %12.2f %12.2f %10.2f\n' "wakeups per second" "${rate[$solitask]}" "${rate[$workrave]}" \
  "$(ratio "${rate[$solitask]}" "${rate[$workrave]}")"
printf '%-24s %12s %12s %10.2f\n' "resident memory, MB" "${rss[$solitask]}" "${rss[$workrave]}" \
  "$(ratio "${rss[$solitask]}" "${rss[$workrave]}")"
printf '%-24s %12s %12s\n' "peak resident, MB" "${peak[$solitask]}" "${peak[$workrave]}"
printf '%-24s %12s\n' "frames taken" "$frames"
