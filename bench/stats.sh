# The order statistics both benchmarks quote, of a space-separated list of numbers; sourced.
median() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
largest() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | tail -n 1; }
smallest() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | head -n 1; }
