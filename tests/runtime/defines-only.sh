#!/bin/sh
# usage: defines-only.sh OBJECT SYMBOL
# Fails, naming them, when OBJECT defines any global or weak symbol other than SYMBOL.
set -eu
others=$(nm -g --defined-only "$1" | awk '{ print $3 }' | grep -vx "$2" || true)
if [ -n "$others" ]; then
    echo "$1 defines more than $2:" >&2
    echo "$others" >&2
    exit 1
fi
nm -g --defined-only "$1" | grep -q " $2\$" || { echo "$1 does not define $2" >&2; exit 1; }
