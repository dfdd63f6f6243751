#!/usr/bin/env bash
# Runs one fuzz target, niced, from a working copy of its seed corpus.
# usage: tools/fuzz/run-fuzz.sh FORMAT SECONDS [BUILD]   (FORMAT: vgp, fpg, vba or net)
set -euo pipefail
format=$1
seconds=$2
build=${3:-build-fuzz}
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$build/corpus/$format
mkdir -p "$corpus" "$build/findings/$format"
cp -n "$root/tests/formats_corpus/$format/"* "$corpus/" 2>/dev/null || true
# Standard output and the message boxes' standard error are the readers' expected chatter.
exec nice -n 15 "$build/bin/fuzz_$format" -max_total_time="$seconds" -close_fd_mask=3 \
  -max_len=4096 -rss_limit_mb=2048 -artifact_prefix="$build/findings/$format/" "$corpus"
