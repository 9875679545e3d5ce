#!/usr/bin/env bash
# Times one line-mode run (3000 lines a piece) of the real window, offscreen, against
# tessaline-split --lines 3000 on the same generated GBK text, in turns, and prints the medians,
# their ratio and the window process's peak memory against the targets: at most 1.05 times the
# command line's time, under 80 MiB. Then stops as many window runs 300 ms in and prints how soon
# the start caption was back after the stop was due: at most 50 ms, the slowest of them.
#
# usage: bench/window/run-window-bench.sh [--dir DIR] [--mib N] [--rounds R] [--build DIR]
#   DIR  where the text and the pieces go (default /dev/shm/tessaline-bench, shared with
#        bench/run-bench.sh, whose text is reused when it is there)
#   N    size of the text in MiB (default 1024)
#   R    rounds of each program, odd so that the median is one of them (default 5)
#   DIR  the build folder holding tessaline-split and bench/tessaline-window-bench (default build)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
dir=/dev/shm/tessaline-bench
mib=1024
rounds=5
build=$root/build

usage() {
    sed -n '7,13p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case $1 in
    --dir) [ $# -ge 2 ] || usage; dir=$2; shift 2 ;;
    --mib) [ $# -ge 2 ] || usage; mib=$2; shift 2 ;;
    --rounds) [ $# -ge 2 ] || usage; rounds=$2; shift 2 ;;
    --build) [ $# -ge 2 ] || usage; build=$(cd "$2" && pwd); shift 2 ;;
    -h | --help) usage ;;
    *) echo "run-window-bench: unknown argument '$1'" >&2; usage ;;
    esac
done
[[ $mib =~ ^[1-9][0-9]*$ ]] || { echo "run-window-bench: --mib wants a whole number >= 1" >&2; exit 2; }
[[ $rounds =~ ^[1-9][0-9]*$ ]] && [ $((rounds % 2)) -eq 1 ] \
    || { echo "run-window-bench: --rounds wants an odd whole number" >&2; exit 2; }

cli=$build/tessaline-split
window=$build/bench/tessaline-window-bench
for program in "$cli" "$window"; do
    [ -x "$program" ] || { echo "run-window-bench: no '$program'; build first (./test.sh)" >&2; exit 1; }
done
/usr/bin/time -f %M -o /dev/null true 2>/dev/null \
    || { echo "run-window-bench: GNU time (/usr/bin/time) is missing: apt-get install time" >&2; exit 1; }

mkdir -p "$dir"
source_file=$dir/source-${mib}mib.txt
facts_file=$dir/source-${mib}mib.facts
out=$dir/window-bench-out/
scratch=$(mktemp -d)
trap 'rm -rf "$out" "$scratch"' EXIT
fact() { sed -n "s/^$1=//p" "$facts_file"; }

# The text is the one bench/run-bench.sh makes; it is made again when the generator changed.
generator="$(sed -n 's/^VERSION = //p' "$root/bench/make-text")-$(sha256sum "$root/bench/make-text" | cut -c1-16)"
if [ ! -f "$source_file" ] || [ ! -f "$facts_file" ] || [ "$(fact generator)" != "$generator" ] \
    || [ "$(fact bytes)" != "$(stat -c %s "$source_file")" ]; then
    echo "making a $mib MiB text in $source_file ..." >&2
    "$root/bench/make-text" --facts "$facts_file" "$source_file" "$mib"
fi
base=$(basename "$source_file")
base=${base%????}

declare -A runs peaks
# One timed run into an empty folder: the program's own run seconds (the last "N s" it prints)
# and its peak resident memory.
run_case() {
    local id=$1
    shift
    rm -rf "$out"
    mkdir -p "$out"
    if ! /usr/bin/time -f %M -o "$scratch/rss" "$@" >"$scratch/$id.out" 2>"$scratch/$id.err"; then
        echo "run-window-bench: '$*' failed:" >&2
        cat "$scratch/$id.err" "$scratch/$id.out" >&2
        exit 1
    fi
    runs[$id]+="$(sed -n 's/.* \([0-9.]*\) s\b.*/\1/p' "$scratch/$id.out") "
    peaks[$id]+="$(cat "$scratch/rss") "
}
# The pieces hold exactly the trimmed source's kept lines, in order.
check_output() {
    local id=$1 pieces md5
    pieces=$(sed -n 's/^\([0-9]*\) pieces.*/\1/p' "$scratch/$id.out")
    md5=$(for ((i = 1; i <= pieces; i++)); do echo "$out$base$i.txt"; done | xargs -d '\n' cat | md5sum | cut -d' ' -f1)
    if [ "$md5" = "$(fact kept_md5)" ] && [ "$(find "$out" -type f | wc -l)" = "$pieces" ]; then
        echo "ok: $pieces pieces, same bytes as the trimmed source"
    else
        echo "BAD: $pieces pieces reported, content differs from the trimmed source"
    fi
}
source "$root/bench/stats.sh"

echo "window benchmark: $source_file, $(fact bytes) bytes, $rounds rounds, $(nproc) cores"
echo "  load before: $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A checks
for ((round = 1; round <= rounds; round++)); do
    run_case cli "$cli" --quiet --lines 3000 "$source_file" "$out"
    [ $round -eq $rounds ] && checks[cli]=$(check_output cli)
    run_case window env QT_QPA_PLATFORM=offscreen "$window" "$source_file" "$out"
    [ $round -eq $rounds ] && checks[window]=$(check_output window)
    echo "  round $round/$rounds done, 1-min load $(cut -d' ' -f1 /proc/loadavg)" >&2
done
stops=""
for ((round = 1; round <= rounds; round++)); do
    rm -rf "$out"
    mkdir -p "$out"
    env QT_QPA_PLATFORM=offscreen "$window" "$source_file" "$out" 300 >"$scratch/stop.out" 2>"$scratch/stop.err" \
        || { echo "run-window-bench: the stopped run failed:" >&2; cat "$scratch/stop.err" >&2; exit 1; }
    # From the moment the stop was due: the click's lateness plus the caption's time after it.
    stops+="$(sed -n 's/^stop: click \([0-9.-]*\) ms late, caption back \([0-9.]*\) ms.*/\1 \2/p' "$scratch/stop.out" \
        | awk '{ print $1 + $2 }') "
done
echo "  load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

cli_s=$(median "${runs[cli]}")
window_s=$(median "${runs[window]}")
window_peak=$(largest "${peaks[window]}")
printf '\n%-36s %9s %10s  %s\n' program "median s" "peak RSS" "rounds (s)"
printf '%-36s %9.3f %6.1f MiB  %s\n' "tessaline-split --lines 3000" "$cli_s" \
    "$(awk -v k="$(largest "${peaks[cli]}")" 'BEGIN { print k / 1024 }')" "${runs[cli]% }"
printf '%-36s %9.3f %6.1f MiB  %s\n' "window, line mode, 3000 a piece" "$window_s" \
    "$(awk -v k="$window_peak" 'BEGIN { print k / 1024 }')" "${runs[window]% }"
echo
echo "output checks (last round):"
echo "  cli    ${checks[cli]}"
echo "  window ${checks[window]}"
echo
awk -v w="$window_s" -v c="$cli_s" -v k="$window_peak" \
    -v fw="$(smallest "${runs[window]}")" -v fc="$(smallest "${runs[cli]}")" 'BEGIN {
    r = c > 0 ? w / c : 0
    printf "  %-38s %6.2f       target <= 1.05    %s   fastest rounds %.2f\n", "window run / command-line run", r,
        (r <= 1.05 ? "PASS" : "MISS"), (fc > 0 ? fw / fc : 0)
    printf "  %-38s %6.1f MiB   target < 80 MiB   %s\n", "peak RSS of the window process", k / 1024,
        (k < 80 * 1024 ? "PASS" : "MISS")
}'
awk -v s="$(largest "$stops")" -v all="${stops% }" 'BEGIN {
    printf "  %-38s %6.1f ms    target <= 50 ms   %s  (every stop: %s)\n", "caption back after a stop, slowest",
        s, (s != "" && s <= 50 ? "PASS" : "MISS"), all
}'
[[ ${checks[cli]} == ok* && ${checks[window]} == ok* ]]
