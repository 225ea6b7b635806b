#!/usr/bin/env bash
# Prints the throughput of a download into a file from a loopback server with
# the HTTP client, beside a plain blocking recv loop built the same way, under
# the same Wine, in the same run, and their ratio.
#   scripts/bench-http.sh [SIZE_BYTES] [RUNS]      (default 50 MiB, 5 runs)
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
python3 update/win/tests/http_test_server.py timeout 600 wine build/win64/bench/http_bench.exe \
  "${1:-52428800}" "${2:-5}" </dev/null
