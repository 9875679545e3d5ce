#!/usr/bin/env bash
# Times tessaline-split against GNU split and dd on a generated GBK text, and on its UTF-8 and
# UTF-16LE copies (the same lines, converted), and prints medians, throughput, peak memory and
# the ratios against their targets.
#
# usage: bench/run-bench.sh [--dir DIR] [--mib N] [--rounds R] [--bin PATH]
#   DIR  where the text and the pieces go; a tmpfs, so that the CPU and not a disk decides
#        (default /dev/shm/tessaline-bench). The text is kept there for the next run.
#   N    size of the text in MiB (default 1024)
#   R    rounds of every command, odd so that the median is one of them (default 3)
#   PATH the tessaline-split to time (default build/tessaline-split of this checkout)
set -euo pipefail
export LC_ALL=C  # split's suffixes and the glob then sort the same way

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

dir=/dev/shm/tessaline-bench
mib=1024
rounds=3
bin=$root/build/tessaline-split

usage() {
    sed -n '5,10p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

while [ $# -gt 0 ]; do
    case $1 in
    --dir) [ $# -ge 2 ] || usage; dir=$2; shift 2 ;;
    --mib) [ $# -ge 2 ] || usage; mib=$2; shift 2 ;;
    --rounds) [ $# -ge 2 ] || usage; rounds=$2; shift 2 ;;
    --bin) [ $# -ge 2 ] || usage; bin=$2; shift 2 ;;
    -h | --help) usage ;;
    *) echo "run-bench: unknown argument '$1'" >&2; usage ;;
    esac
done

[[ $mib =~ ^[1-9][0-9]*$ ]] || { echo "run-bench: --mib wants a whole number >= 1" >&2; exit 2; }
[[ $rounds =~ ^[1-9][0-9]*$ ]] && [ $((rounds % 2)) -eq 1 ] \
    || { echo "run-bench: --rounds wants an odd whole number" >&2; exit 2; }
if [ ! -x "$bin" ]; then
    echo "run-bench: no executable '$bin'." >&2
    echo "  Build it first: ./test.sh, or cmake -S . -B build -G Ninja && cmake --build build" >&2
    echo "  (or point --bin at another build)." >&2
    exit 1
fi
bin=$(cd "$(dirname "$bin")" && pwd)/$(basename "$bin")
for tool in split dd md5sum python3 iconv; do
    command -v "$tool" >/dev/null || { echo "run-bench: '$tool' is missing" >&2; exit 1; }
done
/usr/bin/time -f %M -o /dev/null true 2>/dev/null \
    || { echo "run-bench: GNU time (/usr/bin/time) is missing: apt-get install time" >&2; exit 1; }

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
source_file=$dir/source-${mib}mib.txt
facts_file=$dir/source-${mib}mib.facts
out=$dir/out
scratch=$(mktemp -d)
trap 'rm -rf "$out" "$scratch"' EXIT

fact() { sed -n "s/^$1=//p" "$facts_file"; }
fsize() { stat -c %s "$1"; }

# ---- the text: made once, reused while the generator and the size are unchanged -----------
generator="$(sed -n 's/^VERSION = //p' "$here/make-text")-$(sha256sum "$here/make-text" | cut -c1-16)"
if [ -f "$source_file" ] && [ -f "$facts_file" ] && [ "$(fact generator)" = "$generator" ] \
    && [ "$(fact bytes)" = "$(fsize "$source_file")" ]; then
    made="reused"
else
    rm -f "$source_file" "$facts_file"
    needed=$(( (mib * 1048576) * 23 / 10 / 1024 ))  # text + pieces + a copy, in KiB
    free=$(df -Pk "$dir" | awk 'NR == 2 { print $4 }')
    if [ "$free" -lt "$needed" ]; then
        echo "run-bench: $dir has $((free / 1024)) MiB free, needs about $((needed / 1024))" >&2
        exit 1
    fi
    t0=$(date +%s%N)
    "$here/make-text" --facts "$facts_file" "$source_file" "$mib"
    t1=$(date +%s%N)
    made=$(awk -v ns=$((t1 - t0)) 'BEGIN { printf "generated in %.1f s", ns / 1e9 }')
fi
# The same lines in UTF-8 and in UTF-16LE (no mark: the split finds it by its NUL bytes).
declare -A encoded=([gbk]=$source_file)
for enc in utf-8 utf-16le; do
    encoded[$enc]=$dir/source-${mib}mib-$enc.txt
    if [ ! -f "${encoded[$enc]}" ] || [ "${encoded[$enc]}" -ot "$source_file" ]; then
        iconv -f GB18030 -t "$enc" "$source_file" >"${encoded[$enc]}.part"
        mv "${encoded[$enc]}.part" "${encoded[$enc]}"
    fi
done
bytes=$(fact bytes)
kept_lines=$(fact kept_lines)
base=$(basename "$source_file")
base=${base%????}  # pieces are named after the name without its last four characters

# ---- one timed run -----------------------------------------------------------------------
# Every run starts on an empty output folder; emptying it is not timed.
declare -A secs user sys halfcpu overhalf rss
run_case() {
    local id=$1
    shift
    rm -rf "$out"
    mkdir -p "$out"
    local t0 t1 rc=0
    t0=$(date +%s%N)
    /usr/bin/time -f '%M %U %S' -o "$scratch/time" "$@" >"$scratch/$id.out" 2>"$scratch/$id.err" || rc=$?
    t1=$(date +%s%N)
    if [ $rc -ne 0 ]; then
        echo "run-bench: '$*' failed with status $rc:" >&2
        cat "$scratch/$id.err" >&2
        exit 1
    fi
    local m u s
    read -r m u s <"$scratch/time"
    secs[$id]+="$(awk -v ns=$((t1 - t0)) 'BEGIN { printf "%.3f", ns / 1e9 }') "
    user[$id]+="$u "
    sys[$id]+="$s "
    # Half the round's processor time, and its wall time against that (see least()).
    halfcpu[$id]+="$(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.3f", (u + s) / 2 }') "
    overhalf[$id]+="$(awk -v ns=$((t1 - t0)) -v u="$u" -v s="$s" \
        'BEGIN { printf "%.3f", (u + s > 0 ? ns / 1e9 / ((u + s) / 2) : 0) }') "
    rss[$id]+="$m "
}

source "$here/stats.sh"

# ---- plausibility of the last round's output, checked before the folder is emptied ---------
declare -A check
pieces_in_order() {  # the tool's pieces 1..n, by number
    local n=$1 i
    for ((i = 1; i <= n; i++)); do echo "$out/$base$i.txt"; done
}
digest_and_lines() {  # sets md5 and lines of the concatenation of the files listed in $1, in one pass
    rm -f "$scratch/fifo"
    mkfifo "$scratch/fifo"
    wc -l <"$scratch/fifo" >"$scratch/lines" &
    local counter=$!
    xargs -d '\n' cat <"$1" | tee "$scratch/fifo" | md5sum >"$scratch/md5"
    wait $counter
    md5=$(cut -d' ' -f1 "$scratch/md5")
    lines=$(cat "$scratch/lines")
}

# The md5 and lines of the pieces listed in $1, converted back to GBK from encoding $2.
digest_converted() {
    xargs -d '\n' cat <"$1" | iconv -f "$2" -t GB18030 >"$scratch/back" || true
    md5=$(md5sum <"$scratch/back" | cut -d' ' -f1)
    lines=$(wc -l <"$scratch/back")
    rm -f "$scratch/back"
}

check_tool() {
    local id=$1 mode=$2 enc=${3:-gbk}
    local summary files reported md5 lines verdict=ok notes=()
    local base  # the pieces are named after this encoding's copy
    base=$(basename "${encoded[$enc]}")
    base=${base%????}
    summary=$(cat "$scratch/$id.out")
    reported=$(sed -n 's/^\([0-9]*\) pieces.*/\1/p' <<<"$summary")
    files=$(find "$out" -type f | wc -l)
    pieces_in_order "$reported" >"$scratch/list"
    if [ "$enc" = gbk ]; then
        digest_and_lines "$scratch/list"
        grep -q " $(fact kept_lines) lines kept, $(fact blank_lines) lines dropped, $(fact kept_bytes) bytes written, gb18030" \
            <<<"$summary" || { verdict=BAD; notes+=("summary counts differ: $summary"); }
    else
        digest_converted "$scratch/list" "$enc"
        grep -q " $(fact kept_lines) lines kept, $(fact blank_lines) lines dropped, .* bytes written, $enc" \
            <<<"$summary" || { verdict=BAD; notes+=("summary counts differ: $summary"); }
    fi
    [ "$files" = "$reported" ] || { verdict=BAD; notes+=("$files files for $reported pieces"); }
    [ "$md5" = "$(fact kept_md5)" ] || { verdict=BAD; notes+=("content differs from the trimmed source"); }
    [ "$lines" = "$kept_lines" ] || { verdict=BAD; notes+=("$lines lines, expected $kept_lines"); }
    if [ "$mode" = lines ]; then
        local expected=$(((kept_lines + 2999) / 3000)) first
        [ "$reported" = "$expected" ] || { verdict=BAD; notes+=("expected $expected pieces"); }
        first=$(iconv -f "$([ "$enc" = gbk ] && echo GB18030 || echo "$enc")" -t GB18030 <"$out/${base}1.txt" | wc -l)
        [ "$reported" -eq 1 ] || [ "$first" -eq 3000 ] || { verdict=BAD; notes+=("first piece has $first lines"); }
    else
        # Every piece but the last reaches 1,024,000 characters and passes it by less than a line.
        awk -v p="$reported" -v c="$(fact kept_chars)" \
            'BEGIN { exit !((p - 1) * 1024000 <= c && c < p * (1024000 + 200)) }' \
            || { verdict=BAD; notes+=("$reported pieces do not fit $(fact kept_chars) characters"); }
    fi
    if [ $verdict = ok ]; then
        check[$id]="ok: $reported pieces, $lines lines = source's non-blank lines, same bytes as the trimmed source"
    else
        check[$id]="BAD: $reported pieces, $lines lines; $(IFS=';'; echo "${notes[*]}")"
    fi
}

check_copy() {  # split's and dd's output is the source (or the copy whose md5 is $3) byte for byte
    local id=$1 want_files=${2:-} want_md5=${3:-$(fact source_md5)}
    local files md5 lines verdict=ok notes=()
    files=$(find "$out" -type f | wc -l)
    find "$out" -type f | sort >"$scratch/list"
    digest_and_lines "$scratch/list"
    [ "$md5" = "$want_md5" ] || { verdict=BAD; notes+=("differs from the source"); }
    [ -z "$want_files" ] || [ "$files" = "$want_files" ] || { verdict=BAD; notes+=("expected $want_files files"); }
    if [ $verdict = ok ]; then
        check[$id]="ok: $files files, $lines lines, same bytes as the source"
    else
        check[$id]="BAD: $files files, $lines lines; $(IFS=';'; echo "${notes[*]}")"
    fi
}

# ---- the runs: rounds interleaved, so that a burst of load falls on every command alike ----
echo "tessaline benchmark"
echo "  binary : $bin ($("$bin" --version))"
echo "  commit : $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo '?')"
echo "  split  : $(split --version | head -n 1)"
echo "  machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "  folder : $dir ($(stat -f -c %T "$dir"))"
echo "  source : $source_file, $bytes bytes ($made)"
echo "           and its copies ${encoded[utf-8]} ($(fsize "${encoded[utf-8]}") bytes),"
echo "           ${encoded[utf-16le]} ($(fsize "${encoded[utf-16le]}") bytes)"
echo "           $(fact lines) lines, $(fact blank_lines) blank or spaces only, $kept_lines kept"
echo "  rounds : $rounds, medians quoted"
echo "  load   : $(uptime | sed 's/^ *//')"
# A guest that hands freed pages back to its host pays a host fault for each page it takes
# again, and the page cache takes a page for every 4 KiB written: such rounds vary by several
# times, always upwards, so the fastest round tells the commands' own cost best there.
reported_kib=$(cat /sys/module/page_reporting/parameters/reported_kib 2>/dev/null || echo 0)
if [ "$reported_kib" -gt 0 ]; then
    echo "  memory : freed pages go back to the host ($((reported_kib / 1048576)) GiB so far): expect slow"
    echo "           rounds; the ratios of the fastest rounds are printed beside the medians"
fi
loads=()

pieces=""
for ((round = 1; round <= rounds; round++)); do
    last=$([ $round -eq $rounds ] && echo 1 || echo 0)

    run_case tl_lines "$bin" --quiet --lines 3000 "$source_file" "$out"
    if [ -z "$pieces" ]; then
        pieces=$(sed -n 's/^\([0-9]*\) pieces.*/\1/p' "$scratch/tl_lines.out")
    fi
    if [ $last = 1 ]; then check_tool tl_lines lines; fi

    run_case split_l split -l 3000 "$source_file" "$out/x"
    if [ $last = 1 ]; then check_copy split_l; fi

    run_case split_n split -n "$pieces" "$source_file" "$out/x"
    if [ $last = 1 ]; then check_copy split_n "$pieces"; fi

    run_case tl_size "$bin" --quiet --size 1024 "$source_file" "$out"
    if [ $last = 1 ]; then check_tool tl_size size; fi

    # The same two runs through a mapping of the source: what the mapping saves or costs here.
    run_case tl_lines_map "$bin" --quiet --map-source --lines 3000 "$source_file" "$out"
    if [ $last = 1 ]; then check_tool tl_lines_map lines; fi
    run_case tl_size_map "$bin" --quiet --map-source --size 1024 "$source_file" "$out"
    if [ $last = 1 ]; then check_tool tl_size_map size; fi

    run_case split_C split -C 1024000 "$source_file" "$out/x"
    if [ $last = 1 ]; then check_copy split_C; fi

    run_case dd dd if="$source_file" of="$out/copy" bs=1M status=none
    if [ $last = 1 ]; then check_copy dd 1; fi

    for enc in utf-8 utf-16le; do
        run_case "tl_lines_$enc" "$bin" --quiet --lines 3000 "${encoded[$enc]}" "$out"
        if [ $last = 1 ]; then check_tool "tl_lines_$enc" lines "$enc"; fi
        # The copies are larger: their own floor tells what their extra bytes cost this machine.
        run_case "split_n_$enc" split -n "$pieces" "${encoded[$enc]}" "$out/x"
        if [ $last = 1 ]; then check_copy "split_n_$enc" "$pieces" "$(md5sum <"${encoded[$enc]}" | cut -d' ' -f1)"; fi
        run_case "tl_size_$enc" "$bin" --quiet --size 1024 "${encoded[$enc]}" "$out"
        if [ $last = 1 ]; then check_tool "tl_size_$enc" size "$enc"; fi
    done

    loads+=("$(cut -d' ' -f1 /proc/loadavg)")
    echo "  round $round/$rounds done, 1-min load ${loads[-1]}" >&2
done
rm -rf "$out"

# ---- report ------------------------------------------------------------------------------
ids=(tl_lines split_l split_n tl_size split_C dd tl_lines_map tl_size_map
     tl_lines_utf-8 tl_size_utf-8 split_n_utf-8 tl_lines_utf-16le tl_size_utf-16le split_n_utf-16le)
declare -A label=(
    [tl_lines]="tessaline-split --lines 3000"
    [split_l]="split -l 3000"
    [split_n]="split -n $pieces (floor)"
    [tl_size]="tessaline-split --size 1024"
    [split_C]="split -C 1024000"
    [dd]="dd bs=1M (floor)"
    [tl_lines_map]="  the same, --lines, mapped"
    [tl_size_map]="  the same, --size, mapped"
    [tl_lines_utf-8]="  the same, --lines, UTF-8"
    [tl_size_utf-8]="  the same, --size, UTF-8"
    [split_n_utf-8]="  split -n $pieces, UTF-8"
    [tl_lines_utf-16le]="  the same, --lines, UTF-16LE"
    [tl_size_utf-16le]="  the same, --size, UTF-16LE"
    [split_n_utf-16le]="  split -n $pieces, UTF-16LE"
)
declare -A med best
echo
echo "load after the runs: $(uptime | sed 's/^ *//')"
echo "1-min load after each round: ${loads[*]}"
echo
printf '%-31s %9s %9s %8s %8s %10s  %s\n' command "median s" "MB/s" "user s" "sys s" "peak RSS" "rounds (s)"
for id in "${ids[@]}"; do
    med[$id]=$(median "${secs[$id]}")
    best[$id]=$(smallest "${secs[$id]}")
    peak=$(largest "${rss[$id]}")
    printf '%-31s %9.3f %9.0f %8.2f %8.2f %6.1f MiB  %s\n' "${label[$id]}" "${med[$id]}" \
        "$(awk -v b="$bytes" -v s="${med[$id]}" 'BEGIN { print (s > 0 ? b / s / 1e6 : 0) }')" \
        "$(median "${user[$id]}")" "$(median "${sys[$id]}")" \
        "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "${secs[$id]% }"
done
echo "(MB/s = source bytes / median seconds; peak RSS = largest of the rounds)"

echo
echo "output checks (last round):"
for id in "${ids[@]}"; do
    printf '  %-31s %s\n' "${label[$id]}" "${check[$id]}"
done

echo
echo "ratios (median seconds; the fastest rounds' ratio after the verdict):"
ratio() {  # label, numerator id, denominator id, target
    awk -v l="$1" -v a="${med[$2]}" -v b="${med[$3]}" -v t="$4" -v fa="${best[$2]}" -v fb="${best[$3]}" 'BEGIN {
        r = b > 0 ? a / b : 0
        printf "  %-44s %6.2f   target <= %.2f  %s   fastest %.2f\n", l, r, t, (r <= t ? "PASS" : "MISS"),
            (fb > 0 ? fa / fb : 0)
        }'
}
ratio "lines: tessaline / split -n $pieces (floor)" tl_lines split_n 0.8
ratio "size:  tessaline / split -C 1024000" tl_size split_C 0.85
ratio "size:  tessaline / lines: tessaline" tl_size tl_lines 1.0
ratio "lines: tessaline / split -l 3000" tl_lines split_l 0.8
ratio "size:  UTF-8 / GBK" tl_size_utf-8 tl_size 1.15
ratio "lines: UTF-8 / GBK" tl_lines_utf-8 tl_lines 1.15
ratio "lines: UTF-16LE / GBK" tl_lines_utf-16le tl_lines 1.5
ratio "size:  UTF-16LE / GBK" tl_size_utf-16le tl_size 1.5
tl_rss=""
for id in "${ids[@]}"; do [[ $id == tl_* ]] && tl_rss+="${rss[$id]} "; done
tl_peak=$(largest "$tl_rss")
awk -v k="$tl_peak" 'BEGIN {
    printf "  %-44s %6.1f MiB   target < 16 MiB   %s\n", "peak RSS of tessaline-split (every run)", k / 1024,
        (k < 16 * 1024 ? "PASS" : "MISS") }'
info() {  # label, numerator id, denominator id
    awk -v l="$1" -v a="${med[$2]}" -v b="${med[$3]}" 'BEGIN {
        printf "  %-44s %6.2f   (no target)\n", l, (b > 0 ? a / b : 0) }'
}
info "lines: tessaline / dd copy" tl_lines dd
# Two threads on two cores take at least half their processor time: where that half alone
# misses a target, no balance of the work between the threads meets it, only less work does;
# a run that takes well over its half waits on one thread while the other idles.
least() {  # label, tessaline id, denominator id
    awk -v l="$1" -v h="$(median "${halfcpu[$2]}")" -v o="$(median "${overhalf[$2]}")" -v b="${med[$3]}" 'BEGIN {
        printf "  %-44s %6.2f   (no target; a round took %.2f times its half)\n", l, (b > 0 ? h / b : 0), o }'
}
least "lines: half tessaline's CPU / floor" tl_lines split_n
least "size:  half tessaline's CPU / split -C" tl_size split_C
info "lines: mapped / read source" tl_lines_map tl_lines
info "size:  mapped / read source" tl_size_map tl_size
# Reading and writing cost by the byte: beside the encodings' time ratios, their size ratios,
# what the floor pays for the larger copies, and each run against its own text's floor.
for enc in utf-8 utf-16le; do
    awk -v l="source bytes: $enc / GBK" -v a="$(fsize "${encoded[$enc]}")" -v b="$bytes" 'BEGIN {
        printf "  %-44s %6.2f   (no target)\n", l, a / b }'
    info "floor: $enc / GBK" "split_n_$enc" split_n
    awk -v l="lines: $enc / GBK, each over its floor" -v a="${med[tl_lines_$enc]}" -v fa="${med[split_n_$enc]}" \
        -v b="${med[tl_lines]}" -v fb="${med[split_n]}" 'BEGIN {
        printf "  %-44s %6.2f   (no target)\n", l, (fa > 0 && b > 0 ? (a / fa) / (b / fb) : 0) }'
done

bad=0
for id in "${ids[@]}"; do [[ ${check[$id]} == ok* ]] || bad=1; done
if [ $bad -ne 0 ]; then
    echo "some output check failed" >&2
    exit 1
fi
exit 0
