# Sourced by the with-*.sh runners: a scratch folder for one run and the
# processes started in it ($pids), all gone on exit whatever the test did.
#   source scratch.sh NAME
tmp=$(mktemp -d "/tmp/solitask-$1.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
