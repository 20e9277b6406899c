#!/bin/sh
# Records one book three ways, one after another in the same run: to MP3
# blocks ("MP3, файл на блок"), to an M4B whose blocks are encoded once to
# AAC ("M4B" with "Удалять MP3 блоков"), and to an M4B the old way (MP3
# blocks kept, the book encoded again from them). Prints the wall times, the
# ratio of the M4B recording to the MP3 one, the share of the M4B recording
# spent putting the book together, and the silence where blocks meet in the
# M4B against the same places of the blocks' own WAVs.
# Usage: bench/bench_m4b.sh [BUILD_DIR] [BOOK] [BYTES]
#   BUILD_DIR  a Release build (default build-release)
#   BOOK       a book file (default ../shared/books/txt/kashtanka.cp1251.txt)
#   BYTES      only the first BYTES of the book (default: all of it)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-release}
book=${2:-$here/../../shared/books/txt/kashtanka.cp1251.txt}
bytes=${3:-}
cli="$(cd "$build" && pwd)/bin/lectorium-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source="$work/book.${book##*.}"
if [ -n "$bytes" ]; then head -c "$bytes" "$book" > "$source"; else cp "$book" "$source"; fi
mkdir -p "$work/pf"
# $1: "Удалять MP3 блоков", $2: "Удалять WAV файлы"
settings() {
    printf '[Общие настройки]\r\nПервый запуск=0\r\n[Настройки движка]\r\nНомер движка=0\r\n[Настройки аудиофайлов]\r\nСжимать в MP3=1\r\nУдалять WAV файлы=%s\r\nПараметры LAME=-b 64 -h\r\nПриоритет LAME=0\r\nУдалять MP3 блоков=%s\r\n' "$2" "$1" \
        | iconv -f UTF-8 -t CP1251 > "$work/pf/Lectorium.ini"
}
settings 0 1
"$cli" --program-folder "$work/pf" import "$source" --title Bench > /dev/null 2>&1
count=$(ls "$work/pf/Projects/Bench" | grep -c '^[0-9][0-9][0-9][0-9]\.txt$')

seconds() { date +%s.%N; }
# Records the book in the format asked; each line the command prints gets the
# moment it came, so the assembly's start is known.
record() {
    rm -rf "$work/pf/Audiobooks"
    start=$(seconds)
    /usr/bin/time -f '%U %S' -o "$work/$2.cpu" "$cli" --program-folder "$work/pf" record Bench --from 1 --to "$count" \
        --format "$1" --output "$work/pf/Audiobooks" 2>&1 | while IFS= read -r line; do echo "$(seconds) $line"; done \
        > "$work/$2.log"
    end=$(seconds)
    assembly=$(grep -m1 'Сборка' "$work/$2.log" | cut -d' ' -f1)
    echo "$start $end ${assembly:-$end}"
}

settings 0 1
set -- $(record mp3 mp3); mp3=$(echo "$2 - $1" | bc)
settings 1 0
set -- $(record m4b m4b); m4b=$(echo "$2 - $1" | bc); assembly=$(echo "$2 - $3" | bc)
folder="$work/pf/Audiobooks/Bench"
m4bfile="$folder/Bench.m4b"
# The silence at each join: the book's, and the WAVs' (kept for this) at the
# same place; the blocks' WAVs joined are the sound the book should carry.
ls "$folder"/*.wav | sort > "$work/wavs.txt"
sed "s/'/'\\\\''/g; s/^/file '/; s/$/'/" "$work/wavs.txt" > "$work/concat.txt"
ffmpeg -nostdin -v error -f concat -safe 0 -i "$work/concat.txt" -c copy "$work/joined.wav"
silences() { ffmpeg -nostdin -hide_banner -i "$1" -map 0:a -af silencedetect=noise=-50dB:d=0.01 -f null - 2>&1 | grep -o 'silence_\(start\|end\): [0-9.]*' | cut -d' ' -f2 | paste - - ; }
silences "$m4bfile" > "$work/book.sil"
silences "$work/joined.wav" > "$work/wav.sil"
joins=$(ffprobe -v error -show_chapters -of csv=p=0 "$m4bfile" | cut -d, -f4 | tail -n +2 | tr '\n' ' ')
wavjoins=$(while read -r f; do ffprobe -v error -show_entries format=duration -of csv=p=0 "$f"; done < "$work/wavs.txt" \
    | awk '{ sum += $1; printf "%.6f ", sum }')
gaps=$(python3 - "$work/book.sil" "$work/wav.sil" "$joins" "$wavjoins" <<'PY'
import sys
def load(p):
    return [tuple(map(float, l.split())) for l in open(p) if len(l.split()) == 2]
book, wav = load(sys.argv[1]), load(sys.argv[2])
def around(sil, t, slack):
    return max([e - s for s, e in sil if s - slack <= t <= e + slack] or [0.0])
joins = [float(t) for t in sys.argv[3].split()]
wavjoins = [float(t) for t in sys.argv[4].split()]
worst = max([around(book, b, 0.03) - around(wav, w, 0.01) for b, w in zip(joins, wavjoins)] or [0.0])
print("%.3f" % worst)
PY
)
settings 0 1
set -- $(record m4b old); old=$(echo "$2 - $1" | bc); oldassembly=$(echo "$2 - $3" | bc)

ratio() { echo "scale=3; $1 / $2" | bc; }
# Processor time of the command and the programs it started (user + system).
cpu() { awk '{ printf "%.2f", $1 + $2 }' "$work/$1.cpu"; }
echo "book: $(basename "$book")${bytes:+ (first $bytes bytes)}, $count blocks, $(nproc) processors"
echo "record to MP3 blocks:                      ${mp3} s"
echo "record to M4B of AAC blocks:               ${m4b} s (assembly ${assembly} s)"
echo "record to M4B, MP3 blocks encoded again:   ${old} s (assembly ${oldassembly} s)"
echo "processor time, MP3 / M4B / old M4B:       $(cpu mp3) s / $(cpu m4b) s / $(cpu old) s"
echo "M4B / MP3 blocks:                          $(ratio "$m4b" "$mp3") (processor time $(ratio "$(cpu m4b)" "$(cpu mp3)"))"
echo "assembly / M4B recording:                  $(ratio "$assembly" "$m4b")"
echo "old M4B / MP3 blocks:                      $(ratio "$old" "$mp3")"
echo "longest silence at a join beyond the WAVs': ${gaps} s"
