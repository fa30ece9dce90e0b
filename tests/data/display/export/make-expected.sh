#!/bin/sh
# Turns the hand-written UTF-8 sources in src/ into the expected export files: code page 1252,
# every line ended by CR LF.
set -e
cd "$(dirname "$0")"
for source in src/*; do
    iconv -f UTF-8 -t WINDOWS-1252 "$source" | sed 's/$/\r/' > "$(basename "$source")"
done
