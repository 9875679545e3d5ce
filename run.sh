#!/usr/bin/env bash
# Installs what is missing, builds, and shows the tool at work: for now it splits the sample
# text that ships with the repository into a temporary folder and lists the pieces.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages
configure_and_build
out=$(mktemp -d)/pieces/
./build/tessaline-split --lines 100 samples/sample-gbk.txt "$out"
ls -l "$out"
