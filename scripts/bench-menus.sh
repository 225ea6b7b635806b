#!/usr/bin/env bash
# Prints how long the tray menu takes to open with 10,000 bookmarks in 100
# folders under "Bookmarks", and then "Bookmarks" and one folder, under Wine.
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
timeout 600 wine build/win64/bench/menu_bench.exe "${1:-9}" </dev/null
