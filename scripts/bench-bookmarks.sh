#!/usr/bin/env bash
# Prints what a bookmark file of 10,000 bookmarks in 100 folders costs under
# Wine: the program's start with it beside the program and without it, one
# load and one store.
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
work="$root/build/wine-bench/bookmarks"
rm -rf "$work"
timeout 900 wine build/win64/bench/bookmarks_bench.exe build/win64/app/tessaly.exe "$(winepath -w "$work")" "${1:-15}" </dev/null
rm -rf "$work"
