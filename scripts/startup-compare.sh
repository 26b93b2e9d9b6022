#!/usr/bin/env bash
# Start-up of velmora against a bare Qt window (a text editor holding the same draw
# history): both run alternately RUNS times under one Xvfb server, each timed from
# process start to its first paint; prints every run, both medians (ms) and the
# resident memory (VmRSS) at the first paint. With --site URL velmora also runs RUNS
# times showing that site, timed until the web view has loaded it.
#
# usage: scripts/startup-compare.sh [-n RUNS] [-b BUILD-FOLDER] [--site URL] [--game pl3]
# The history is resources/history/3d-history.txt (with --game pl3 velmora starts in 排列三
# over pl3-history.txt) unless VELMORA_HISTORY names another file.
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$0")/.."

runs=5
build=build
site=""
game=3d
inside=""
while (($#)); do
  case "$1" in
    -n) runs="$2"; shift 2 ;;
    -b) build="$2"; shift 2 ;;
    --site) site="$2"; shift 2 ;;
    --game) game="$2"; shift 2 ;;
    --inside) inside=1; shift ;;
    *) echo "usage: $0 [-n RUNS] [-b BUILD-FOLDER] [--site URL] [--game pl3]" >&2; exit 2 ;;
  esac
done
bin="$build/bin"

if [ -z "$inside" ]; then
  cmake --build "$build" --target velmora velmora_bare_window >/dev/null
  # velmora runs from a folder of its own holding a copy of the history as its data
  # file (a portable install, with the web view plugin where it looks for it), so the
  # build's own data is neither read nor changed; the bare window reads the same file.
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/bin" "$work/lib" "$work/data" "$work/runtime" "$work/config/velmora"
  chmod 700 "$work/runtime"
  # Settings of its own too: the game it starts in is the one remembered there.
  export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
  printf '[game]\ncurrent=%s\n' "$game" >"$work/config/velmora/velmora.conf"
  cp "$bin/velmora" "$bin/velmora_bare_window" "$work/bin/"
  [ -d "$build/lib/velmora" ] && cp -r "$build/lib/velmora" "$work/lib/"
  if [ "$game" = pl3 ]; then
    history="${VELMORA_HISTORY:-resources/history/pl3-history.txt}"
    data_file="$work/bin/pl3data.ldf"
  else
    history="${VELMORA_HISTORY:-resources/history/3d-history.txt}"
    data_file="$work/bin/lotdata.ldf"
  fi
  cp "$history" "$data_file"
  export STARTUP_HISTORY="$data_file"
  echo "history: $STARTUP_HISTORY ($(wc -l <"$STARTUP_HISTORY") lines); load: $(cut -d' ' -f1-3 /proc/loadavg)"
  args=(-n "$runs" -b "$work" --inside)
  [ -n "$site" ] && args+=(--site "$site")
  # One X server for the whole comparison.
  xvfb-run -a -s "-screen 0 1280x1024x24" "$self" "${args[@]}"
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  exit 0
fi

# One run: "<ms to first paint> <VmRSS kB then> <ms to main or -> [<ms to page loaded> <kB then>]".
measure() {
  local start out
  start=$EPOCHREALTIME
  out=$("$@" 2>&1 >/dev/null) || true
  awk -v start="$start" '
    /^main / { m = sprintf("%.1f", ($2 - start) * 1000) }
    /^shown / { s = sprintf("%.1f", ($2 - start) * 1000); r = $4 }
    /^webview / { w = sprintf("%.1f %d", ($2 - start) * 1000, $4) }
    END { if (s == "") { print "no paint reported" > "/dev/stderr"; exit 1 }
          print s, r, (m == "" ? "-" : m), w }' <<<"$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_velmora() { env -u VELMORA_SITE VELMORA_STARTUP_TIMING=1 "$bin/velmora"; }
run_bare() { "$bin/velmora_bare_window" "$STARTUP_HISTORY"; }
run_site() { env VELMORA_SITE="$site" VELMORA_STARTUP_TIMING=1 "$bin/velmora"; }

# A first run of each fills the caches; it is not counted.
measure run_velmora >/dev/null
measure run_bare >/dev/null
velmora_runs=()
bare_runs=()
for ((i = 1; i <= runs; i++)); do
  v=$(measure run_velmora)
  b=$(measure run_bare)
  velmora_runs+=("$v")
  bare_runs+=("$b")
  printf 'run %d: velmora %s ms (main at %s ms) %s kB | bare window %s ms %s kB\n' "$i" \
    "$(cut -d' ' -f1 <<<"$v")" "$(cut -d' ' -f3 <<<"$v")" "$(cut -d' ' -f2 <<<"$v")" \
    "$(cut -d' ' -f1 <<<"$b")" "$(cut -d' ' -f2 <<<"$b")"
done

field_median() { printf '%s\n' "${@:2}" | cut -d' ' -f"$1" | median; }
vm=$(field_median 1 "${velmora_runs[@]}")
bm=$(field_median 1 "${bare_runs[@]}")
echo "median start to first paint: velmora $vm ms, bare window $bm ms, ratio $(awk -v a="$vm" -v b="$bm" 'BEGIN { printf "%.2f", a / b }')"
echo "median VmRSS at first paint: velmora $(field_median 2 "${velmora_runs[@]}") kB, bare window $(field_median 2 "${bare_runs[@]}") kB"
echo "median start to main: velmora $(field_median 3 "${velmora_runs[@]}") ms"

if [ -n "$site" ]; then
  measure run_site >/dev/null
  site_runs=()
  for ((i = 1; i <= runs; i++)); do
    s=$(measure run_site)
    site_runs+=("$s")
    printf 'site run %d: first paint %s ms %s kB, page loaded %s ms %s kB\n' "$i" \
      "$(cut -d' ' -f1 <<<"$s")" "$(cut -d' ' -f2 <<<"$s")" "$(cut -d' ' -f4 <<<"$s")" "$(cut -d' ' -f5 <<<"$s")"
  done
  echo "median with site $site: first paint $(field_median 1 "${site_runs[@]}") ms $(field_median 2 "${site_runs[@]}") kB," \
    "page loaded $(field_median 4 "${site_runs[@]}") ms $(field_median 5 "${site_runs[@]}") kB (helper processes not counted)"
fi
