#!/bin/sh
# What giving the dialogue roles voices of their own costs the recording:
# imports a book with dialogue (Каштанка by default) and records it with
# `lectorium-cli record`, once with every role in the book's voice and once
# with speech and second speech in two other voices (Russian+m3, Russian+f3),
# so espeak-ng switches voices at every reply. Both with MP3s (the recording
# as a user makes it) and with WAVs only (the synthesis alone, where the
# switches weigh most). Runs alternate; each setting runs RUNS times and the
# best time counts. Prints the times, the overhead and the voice switches.
# Usage: bench/bench_role_voices.sh [BUILD_DIR] [BOOK] [RUNS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-release}
book=${2:-$here/../../shared/books/txt/kashtanka.cp1251.txt}
runs=${3:-3}
cli="$(cd "$build" && pwd)/bin/lectorium-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/pf"
settings() {
    printf '[Общие настройки]\r\nПервый запуск=0\r\n[Настройки движка]\r\nНомер движка=0\r\n[Настройки аудиофайлов]\r\nСжимать в MP3=%s\r\nУдалять WAV файлы=1\r\nПараметры LAME=-b 64\r\nПриоритет LAME=0\r\n' "$1" \
        | iconv -f UTF-8 -t CP1251 > "$work/pf/Lectorium.ini"
}
settings 1
cp "$book" "$work/book.${book##*.}"
"$cli" --program-folder "$work/pf" import "$work/book.${book##*.}" --title Bench > /dev/null 2>&1
blocks="$work/pf/Projects/Bench"
count=$(ls "$blocks" | grep -c '^[0-9][0-9][0-9][0-9]\.txt$')
# Replies: each one switches to its voice and back.
replies=$(cat "$blocks"/[0-9]*.txt | iconv -f CP1251 -t UTF-8 | grep -o '{речь2\?->}' | wc -l)

voices() {
    if [ "$1" = two ]; then
        printf '[Russian]\r\n2Voice=Russian+m3\r\n3Voice=Russian+f3\r\n'
    else
        printf '[Russian]\r\n'
    fi > "$work/pf/Voice.ini"
}

record() {
    rm -rf "$work/pf/Audiobooks"
    start=$(date +%s.%N)
    "$cli" --program-folder "$work/pf" record Bench --from 1 --to "$count" --output "$work/pf/Audiobooks" \
        --quiet > /dev/null
    echo "$(date +%s.%N) - $start" | bc
}

best() { printf '%s\n' "$@" | sort -n | head -1; }

for compress in 1 0; do
    settings $compress
    one=""
    two=""
    i=0
    while [ $i -lt "$runs" ]; do
        voices one; one="$one $(record)"
        voices two; two="$two $(record)"
        i=$((i + 1))
    done
    b1=$(best $one)
    b2=$(best $two)
    what=$([ $compress = 1 ] && echo "MP3" || echo "WAV only")
    echo "$what: one voice $b1 s ($one ), two dialogue voices $b2 s ($two ), overhead $(echo "scale=1; ($b2 - $b1) * 100 / $b1" | bc) %"
done
echo "$count blocks, $replies replies in their own voices"
